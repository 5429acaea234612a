#include "render/HtmlExport.h"

#include "core/Units.h"
#include "document/CKavoDoc.h"
#include "geometry/IntGeometry.h"
#include "platform/Ansi.h"
#include "render/DiagramExport.h"
#include "richtext/TextUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool OptionsUsable(const CKavoDoc& doc, const HtmlExportOptions& o)
{
    const bool format = o.format == 4 || o.format == 5 || o.format == 7;
    return format && !o.folder.isEmpty() && !o.extension.empty() && (o.scope == 0 || o.scope == 1) &&
           !doc.GetPathName().empty();
}

HtmlLinkServices LinkServicesFor(HtmlExportSession& session, const QString& folder)
{
    HtmlLinkServices s;
    s.exists = [](const QString& path) { return QFileInfo::exists(path); };
    s.looksLikeUrl = [](const std::string& text) { return LooksLikeUrl(text); };
    s.alreadyListed = [&session, folder](const std::string& page) {
        return session.Listed(folder + AnsiToQString(page));
    };
    s.exportDiagram = [&session](const QString& path, const std::string&) {
        CKavoDoc* target = session.services.openDiagram ? session.services.openDiagram(path) : nullptr;
        if (!target)
            target = session.OpenQuietly(path);
        if (!target)
            return false;
        HtmlExportOptions all = session.options;
        all.scope = 0;
        return HtmlImageMapWriter(*target, all, session) == 1;
    };
    s.copyDocument = [&session, folder](const QString& source, const std::string& name) {
        const QString copy = folder + AnsiToQString(name);
        if (QFileInfo(copy).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
            return true;
        QFile::remove(copy);
        if (!QFile::copy(source, copy))
            return false;
        session.written.push_back(copy);
        return true;
    };
    return s;
}

// The figures with a hyperlink, back to front, as areas of the image.
std::vector<HtmlArea> CollectAreas(CKavoDoc& doc, const HtmlExportOptions& o, const CRect& exportRect,
                                   const CRect& imageRect, HtmlExportSession& session)
{
    const QString diagramFolder = QFileInfo(AnsiToQString(doc.GetPathName())).absolutePath();
    const HtmlLinkServices links = LinkServicesFor(session, o.folder);
    std::vector<HtmlArea> areas;
    doc.ForEachFigure([&](CFigure* fig) {
        if (fig->IsInvisible() || fig->m_strLink.empty() || (o.scope == 1 && !fig->m_bSelected))
            return;
        HtmlArea area;
        area.href = ResolveHtmlLink(fig->m_strLink, diagramFolder, o.extension, o.links, session.names, links);
        RECT mapped = fig->m_rect;
        MapRectBetweenRects(mapped, exportRect, imageRect);
        area.rect = mapped;
        std::vector<CPoint> outline;
        if (fig->GetOutlinePoints(outline, &mapped) > 0)
            area.outline.assign(outline.begin(), outline.end());
        areas.push_back(std::move(area));
    });
    return areas;
}

} // namespace

bool HtmlExportSession::Listed(const QString& path) const
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (const QString& p : written)
        if (QFileInfo(p).absoluteFilePath() == wanted)
            return true;
    return false;
}

CKavoDoc* HtmlExportSession::OpenQuietly(const QString& path)
{
    auto doc = std::make_shared<CKavoDoc>();
    if (!doc->OnOpenDocument(QStringToAnsi(path)))
        return nullptr;
    opened.push_back(doc);
    return doc.get();
}

int HtmlImageMapWriter(CKavoDoc& doc, const HtmlExportOptions& o, HtmlExportSession& session)
{
    if (!OptionsUsable(doc, o) || !session.services.objSetRect)
        return 0;
    const QString diagram = AnsiToQString(doc.GetPathName());
    const std::string base = session.names.BaseName(diagram);
    const QString imageName = AnsiToQString(base + "." + HtmlImageExtension(o.format));
    const QString imagePath = o.folder + imageName;
    const QString pagePath = o.folder + AnsiToQString(base + "." + o.extension);

    const CRect objSet = session.services.objSetRect(doc, o.scope);
    const CRect exportRect = ExportRectFromObjSetRect(objSet, nullptr, false);
    int width = LogicalToScreenPixels(exportRect.Width());
    int height = LogicalToScreenPixels(exportRect.Height());
    if (o.scale != 100) {
        width = width * o.scale / 100;
        height = height * o.scale / 100;
    }
    session.written.push_back(imagePath);
    const ExportResult image = ExportGraphic(doc, o.scope, objSet, o.format, imagePath, width, height, o.quality,
                                             o.bits, o.antialias, nullptr);
    if (!image.ok)
        return 0;
    session.written.push_back(pagePath);
    const CRect imageRect(0, 0, width, height);
    const std::vector<HtmlArea> areas = CollectAreas(doc, o, exportRect, imageRect, session);
    const std::string title = QStringToAnsi(QFileInfo(diagram).completeBaseName());
    const std::string page = BuildHtmlPage(title, QStringToAnsi(imageName), areas);
    QSaveFile file(pagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(page.data(), qint64(page.size())) != qint64(page.size())) {
        file.cancelWriting();
        return 0;
    }
    return file.commit() ? 1 : 0;
}

#include "render/ExportCommands.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "render/ExportFormats.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool AskOverwrite(const QString& path)
{
    return MsgBoxPrintf(MB_YESNO | MB_ICONQUESTION, "Overwrite \"%s\"?", QStringToAnsi(path).c_str()) == IDYES;
}

QString WithSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith('/'))
        folder += '/';
    return folder;
}

} // namespace

bool OnFileExport(CKavoDoc& doc, const ExportCommandServices& s)
{
    DiagPrintf("USER  CKavoDoc::File export\n");
    if (!s.saveDialog || !s.objSetRect)
        return false;
    std::string ext;
    int filter = ExportTypeToFilter(ExpType, &ext);
    QString proposed = QFileInfo(AnsiToQString(doc.GetPathName())).completeBaseName();
    if (!proposed.isEmpty())
        proposed += "." + AnsiToQString(ext);
    // The folder of the last export; before the first one, the diagram's own.
    QString folder = AnsiToQString(ExpDir);
    if (folder.isEmpty() && !doc.GetPathName().empty())
        folder = QFileInfo(AnsiToQString(doc.GetPathName())).absolutePath();
    QString path;
    if (!s.saveDialog("Export Graphic", proposed, BuildExportFilter(), filter, folder, path))
        return false;
    ExpDir = QStringToAnsi(QFileInfo(path).absolutePath());
    const int type = ExportFilterToType(filter);
    ExpType = type;
    if (QFileInfo::exists(path) && !AskOverwrite(path))
        return false;
    const int which = doc.HasSelection() ? kExportSelected : kExportAll;
    const ExportResult r =
        ExportGraphic(doc, which, s.objSetRect(doc, which), type, path, 0, 0, 0, 0, true, s.optionsDialog);
    if (!r.ok && !r.reported)
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Export failed.");
    return r.ok && QFileInfo::exists(path);
}

bool CheckHtmlOptions(QString& folder, const std::string& extension)
{
    folder = WithSeparator(folder);
    if (!QDir(folder).exists()) {
        if (MsgBoxPrintf(MB_YESNO | MB_ICONQUESTION, "Folder does not exist.  Create it?") != IDYES)
            return false;
        if (!QDir().mkpath(folder)) {
            MsgBoxPrintf(MB_ICONEXCLAMATION, "Folder could not be created.");
            return false;
        }
    }
    if (extension.empty() || extension.find_first_of(". ") != std::string::npos) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "File extension must be non-blank and contain no periods.");
        return false;
    }
    return true;
}

bool OnSaveHtml(CKavoDoc& doc, const HtmlCommandServices& s)
{
    if (doc.GetPathName().empty() || !s.optionsDialog)
        return false;
    HtmlExportOptions o;
    o.extension = HtmlExtension.empty() ? "htm" : HtmlExtension;
    o.folder = HtmlFolder.empty() ? QFileInfo(AnsiToQString(doc.GetPathName())).absolutePath()
                                  : AnsiToQString(HtmlFolder);
    o.folder = WithSeparator(o.folder);
    o.format = HTMLGraphicFormat;
    o.scale = HtmlScale;
    o.quality = HtmlQuality;
    o.links.includeDiagrams = HtmlInclDiagrams != 0;
    o.links.includeDocuments = HtmlInclDocs != 0;
    o.links.includeUrls = HtmlInclURLs != 0;
    o.antialias = ExpAntialias != 0;
    o.background = BitmapBackgroundColor;
    if (!s.optionsDialog(o))
        return false;
    HtmlFolder = QStringToAnsi(o.folder);
    HtmlExtension = o.extension;
    HTMLGraphicFormat = o.format;
    HtmlScale = o.scale;
    HtmlQuality = o.quality;
    HtmlColorBits = 24;
    HtmlInclDiagrams = o.links.includeDiagrams;
    HtmlInclDocs = o.links.includeDocuments;
    HtmlInclURLs = o.links.includeUrls;
    ExpAntialias = o.antialias;
    BitmapBackgroundColor = o.background;  // the image export draws on it
    o.bits = 24;
    HtmlExportSession session;
    session.options = o;
    session.services = s.documents;
    const QString page = o.folder + AnsiToQString(session.names.MakeOutputName(AnsiToQString(doc.GetPathName()), o.extension));
    if (QFileInfo::exists(page) && !AskOverwrite(page))
        return false;
    if (HtmlImageMapWriter(doc, o, session) != 1) {
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "Save failed.  Either the requested folder did not exist or files could not be saved there.");
        return false;
    }
    if (s.showResult)
        s.showResult(session.written, page);
    return true;
}

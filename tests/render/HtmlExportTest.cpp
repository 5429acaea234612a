#include "render/DiagramExport.h"
#include "render/HtmlExport.h"

#include "document/CKavoDoc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

std::string ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

CFigure* AddLinkedFig(CKavoDoc& doc, const CRect& rect, const std::string& link)
{
    CFigProps props;
    auto* fig = new CFigure(rect.left, rect.top, rect.Width(), rect.Height(), props, -1, 0, "", "",
                            CFigure::CreateArgs(), &doc);
    fig->m_nId = doc.m_nNextId++;
    fig->m_strLink = link;
    doc.AddFig(fig);
    return fig;
}

// The figures' bounds grown by one, as the export measures a diagram.
CRect AllFiguresRect(CKavoDoc& doc, int)
{
    CRect all;
    doc.ForEachFigure([&](CFigure* f) { all |= f->m_rect; });
    all.InflateRect(1, 1);
    return all;
}

} // namespace

TEST(HtmlExport, LinkedDiagramsBecomePagesOnceEach)
{
    QTemporaryDir src, out;
    std::map<QString, std::unique_ptr<CKavoDoc>> docs;
    for (const char* name : {"First Chart.kvd", "b.kvd"}) {
        const QString path = src.filePath(name);
        QFile touch(path);
        ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
        auto doc = std::make_unique<CKavoDoc>();
        ASSERT_TRUE(doc->OnNewDocument());
        doc->SetPathName(path.toStdString(), false);
        docs[path] = std::move(doc);
    }
    CKavoDoc& a = *docs[src.filePath("First Chart.kvd")];
    CKavoDoc& b = *docs[src.filePath("b.kvd")];
    AddLinkedFig(a, CRect(0, 0, 256, 128), "b.kvd");
    AddLinkedFig(a, CRect(300, 0, 556, 128), "www.example.org");
    CFigure* poly = AddLinkedFig(b, CRect(0, 0, 512, 512), "First Chart.kvd");
    std::vector<POINT> pts;
    for (int i = 0; i < 20; ++i)
        pts.push_back(POINT{i * 100, (i % 2) * 2000});
    ASSERT_TRUE(poly->SetPolyPoints(int(pts.size()), pts.data()));

    SetExportDrawer([](CKavoDoc&, CGraphics*, CDC*, const ExportDrawRequest&) {});
    HtmlExportSession session;
    session.options.folder = out.path() + "/";
    session.services.objSetRect = AllFiguresRect;
    session.services.openDiagram = [&](const QString& path) -> CKavoDoc* {
        auto it = docs.find(path);
        return it == docs.end() ? nullptr : it->second.get();
    };
    ASSERT_EQ(HtmlImageMapWriter(a, session.options, session), 1);
    SetExportDrawer(nullptr);

    const std::string first = ReadAll(out.filePath("First_Chart.htm"));
    const std::string second = ReadAll(out.filePath("b.htm"));
    EXPECT_NE(first.find("<TITLE>First Chart</title>"), std::string::npos);
    EXPECT_NE(first.find("<img src=\"First_Chart.jpg\" usemap=\"#linkmap\""), std::string::npos);
    EXPECT_NE(first.find("href=\"b.htm\""), std::string::npos);
    EXPECT_NE(first.find("href=\"http://www.example.org\""), std::string::npos);
    EXPECT_NE(second.find("href=\"First_Chart.htm\""), std::string::npos);
    EXPECT_NE(second.find(" shape=\"poly\" coords=\""), std::string::npos);
    EXPECT_TRUE(QFile::exists(out.filePath("b.jpg")));
    // Each page and image written once: four files in the list.
    EXPECT_EQ(session.written.size(), 4u);

    // Without a saved path nothing is written.
    CKavoDoc unsaved;
    ASSERT_TRUE(unsaved.OnNewDocument());
    EXPECT_EQ(HtmlImageMapWriter(unsaved, session.options, session), 0);
}

// A linked diagram that is not open is read from its file for its page, and
// its own links are resolved like those of the diagram the export began with.
TEST(HtmlExport, ALinkedDiagramThatIsNotOpenIsReadForItsPage)
{
    QTemporaryDir src, out;
    const QString linkedPath = src.filePath("linked.kvd");
    {
        CKavoDoc linked;
        ASSERT_TRUE(linked.OnNewDocument());
        AddLinkedFig(linked, CRect(0, 0, 256, 128), "www.example.org");
        ASSERT_TRUE(linked.OnSaveDocument(linkedPath.toStdString()));
    }
    const QString startPath = src.filePath("start.kvd");
    QFile touch(startPath);
    ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    CKavoDoc start;
    ASSERT_TRUE(start.OnNewDocument());
    start.SetPathName(startPath.toStdString(), false);
    AddLinkedFig(start, CRect(0, 0, 256, 128), "linked.kvd");

    SetExportDrawer([](CKavoDoc&, CGraphics*, CDC*, const ExportDrawRequest&) {});
    HtmlExportSession session;
    session.options.folder = out.path() + "/";
    session.services.objSetRect = AllFiguresRect;
    session.services.openDiagram = [](const QString&) -> CKavoDoc* { return nullptr; };
    ASSERT_EQ(HtmlImageMapWriter(start, session.options, session), 1);
    SetExportDrawer(nullptr);

    EXPECT_NE(ReadAll(out.filePath("start.htm")).find("href=\"linked.htm\""), std::string::npos);
    const std::string linkedPage = ReadAll(out.filePath("linked.htm"));
    EXPECT_NE(linkedPage.find("<TITLE>linked</title>"), std::string::npos);
    EXPECT_NE(linkedPage.find("href=\"http://www.example.org\""), std::string::npos);
    EXPECT_TRUE(QFile::exists(out.filePath("linked.jpg")));
}

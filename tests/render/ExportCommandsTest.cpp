#include "render/ExportCommands.h"
#include "render/ExportFormats.h"

#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/CGraphicExportData.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "render/DiagramExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExportCommands, ExportGraphicFollowsTheChosenFilterAndReportsFailures)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPathName(dir.filePath("My Chart.kvd").toStdString(), false);
    SetExportDrawer([](CKavoDoc&, CGraphics*, CDC*, const ExportDrawRequest&) {});
    ExpType = EXPORT_GIF;
    QString proposed, target = dir.filePath("out.gif");
    int offered = 0;
    ExportCommandServices s;
    s.saveDialog = [&](const std::string& title, const QString& name, const std::string&, int& filter,
                       const QString&, QString& path) {
        EXPECT_EQ(title, "Export Graphic");
        proposed = name;
        offered = filter;
        filter = 5;  // PNG, whatever the name says
        path = target;
        return true;
    };
    s.optionsDialog = [](CGraphicExportData& d) {
        d.m_nWidth = 40;
        d.m_nHeight = 20;
        return true;
    };
    s.objSetRect = [](CKavoDoc&, int) { return CRect(0, 0, 256, 128); };
    ASSERT_TRUE(OnFileExport(doc, s));
    EXPECT_EQ(proposed, "My Chart.GIF");
    EXPECT_EQ(offered, 7);
    EXPECT_EQ(ExpType, EXPORT_PNG);
    EXPECT_EQ(QImageReader(target).format(), "png");

    // An existing file is kept when the user says No.
    prompt.QueueAnswer(IDNO);
    EXPECT_FALSE(OnFileExport(doc, s));
    // A failed save says so once.
    target = dir.filePath("missing/out.png");
    prompt.shown.clear();
    EXPECT_FALSE(OnFileExport(doc, s));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Export failed.");
    SetExportDrawer(nullptr);
}

TEST(ExportCommands, HtmlOptionsChecks)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    QString folder = dir.path();
    EXPECT_TRUE(CheckHtmlOptions(folder, "htm"));
    EXPECT_TRUE(folder.endsWith('/'));
    EXPECT_FALSE(CheckHtmlOptions(folder, "h.tm"));
    EXPECT_FALSE(CheckHtmlOptions(folder, ""));
    EXPECT_EQ(prompt.shown.back().text, "File extension must be non-blank and contain no periods.");
    QString missing = dir.filePath("new/sub");
    prompt.QueueAnswer(IDYES);
    EXPECT_TRUE(CheckHtmlOptions(missing, "htm"));
    EXPECT_TRUE(QDir(missing).exists());
    QString declined = dir.filePath("other");
    prompt.QueueAnswer(IDNO);
    EXPECT_FALSE(CheckHtmlOptions(declined, "htm"));
    EXPECT_FALSE(QDir(declined).exists());
}

// "Save HTML": the dialog starts from the settings and writes them back
// (background included, colour bits always 24); an existing page is kept when
// the user says No; a diagram never saved offers no dialog.
TEST(ExportCommands, SaveHtmlTakesItsSettingsAndAsksBeforeOverwriting)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPathName(dir.filePath("Web Chart.kvd").toStdString(), false);
    SetExportDrawer([](CKavoDoc&, CGraphics*, CDC*, const ExportDrawRequest&) {});
    // The settings this command writes, put back at the end.
    struct Restore {
        COLORREF background = BitmapBackgroundColor;
        std::string folder = HtmlFolder, extension = HtmlExtension;
        int format = HTMLGraphicFormat, bits = HtmlColorBits;
        ~Restore()
        {
            BitmapBackgroundColor = background;
            HtmlFolder = folder;
            HtmlExtension = extension;
            HTMLGraphicFormat = format;
            HtmlColorBits = bits;
        }
    } restore;
    BitmapBackgroundColor = RGB(1, 2, 3);
    HtmlColorBits = 8;
    HtmlFolder.clear();
    HtmlExtension.clear();
    HtmlExportOptions offered;
    QString shownPage;
    std::vector<QString> shownFiles;
    HtmlCommandServices s;
    s.optionsDialog = [&](HtmlExportOptions& o) {
        offered = o;
        o.background = RGB(200, 0, 0);
        o.format = 5;
        return true;
    };
    s.showResult = [&](const std::vector<QString>& files, const QString& page) {
        shownFiles = files;
        shownPage = page;
    };
    s.documents.objSetRect = [](CKavoDoc&, int) { return CRect(0, 0, 256, 128); };
    ASSERT_TRUE(OnSaveHtml(doc, s));
    EXPECT_EQ(offered.extension, "htm");
    EXPECT_EQ(QDir(offered.folder).absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(offered.background, RGB(1, 2, 3));
    EXPECT_EQ(BitmapBackgroundColor, RGB(200, 0, 0));
    EXPECT_EQ(HtmlColorBits, 24);
    EXPECT_EQ(HTMLGraphicFormat, 5);
    EXPECT_EQ(QFileInfo(shownPage).fileName(), "Web_Chart.htm");
    EXPECT_EQ(shownFiles, (std::vector<QString>{offered.folder + "Web_Chart.png", offered.folder + "Web_Chart.htm"}));

    // The page exists now: No keeps it and shows nothing.
    shownPage.clear();
    prompt.QueueAnswer(IDNO);
    EXPECT_FALSE(OnSaveHtml(doc, s));
    EXPECT_EQ(prompt.shown.back().text, "Overwrite \"" + QStringToAnsi(offered.folder + "Web_Chart.htm") + "\"?");
    EXPECT_TRUE(shownPage.isEmpty());

    CKavoDoc unsaved;
    ASSERT_TRUE(unsaved.OnNewDocument());
    bool asked = false;
    s.optionsDialog = [&](HtmlExportOptions&) { return asked = true; };
    EXPECT_FALSE(OnSaveHtml(unsaved, s));
    EXPECT_FALSE(asked);
    SetExportDrawer(nullptr);
}

// The set exported and drawn: the selection when anything is selected,
// else every object.
TEST(ExportCommands, TheSelectionIsExportedWhenThereIsOneElseAll)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    DiagramFixture fx;
    CFigure* a = fx.AddBox(100, 100, 400, 200, "A");
    fx.AddBox(800, 100, 400, 200, "B");
    int asked = -1, drawn = -1;
    SetExportDrawer([&](CKavoDoc&, CGraphics*, CDC*, const ExportDrawRequest& r) { drawn = r.which; });
    ExportCommandServices s;
    s.saveDialog = [&](const std::string&, const QString&, const std::string&, int& filter, const QString&,
                       QString& path) {
        filter = 3;  // BMP
        path = dir.filePath("set.bmp");
        QFile::remove(path);
        return true;
    };
    s.optionsDialog = [](CGraphicExportData& d) {
        d.m_nWidth = 30;
        d.m_nHeight = 20;
        return true;
    };
    s.objSetRect = [&](CKavoDoc&, int which) {
        asked = which;
        return CRect(0, 0, 256, 128);
    };
    struct Case {
        bool select;
        int which;
    } cases[] = {{false, kExportAll}, {true, kExportSelected}};
    for (const Case& c : cases) {
        if (c.select)
            fx.doc.Select(a);
        ASSERT_TRUE(OnFileExport(fx.doc, s)) << c.select;
        EXPECT_EQ(asked, c.which);
        EXPECT_EQ(drawn, c.which);
    }
    SetExportDrawer(nullptr);
}

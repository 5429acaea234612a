// The property bar on a diagram opened from its file, as the user reaches
// it: the first-start sample in the main window, "Check stock" clicked with
// the mouse in select mode. Its symbol has no text boxes of its own (the
// text fills the figure), and the bar's text controls serve it all the same:
// each is enabled, changes the figure in one step that is saved with the
// diagram, and undo takes the diagram back to the text last saved.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CColorDropButton.h"
#include "controls/PaletteLayout.h"
#include "core/CAppProfile.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DiagramRecordWriter.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/KeywordStreams.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
constexpr int kUndo = 57643;

std::string TextOf(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

CFigure* FigureWithText(CKavoDoc& doc, const std::string& text)
{
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure && static_cast<CFigure*>(o)->m_strText.find(text) != std::string::npos)
            return static_cast<CFigure*>(o);
    return nullptr;
}

struct PropertyBarSampleTest : testing::Test {
    CTempProfile profile;
    SavedBarSettings savedBars;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;
    CFigure* check = nullptr;
    std::string opened;

    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        g_nUIMode = 0;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1280, 800);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_TRUE(fx.doc.OpenDocumentUnlocked(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd", false));
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "InitialSample.kvd");
        QApplication::processEvents();
        check = FigureWithText(fx.doc, "Check stock");
        ASSERT_NE(check, nullptr);
        ASSERT_EQ(check->GetSymbol()->m_nTextBoxes, 0) << "the sample's Process shows its text in the whole figure";
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        opened = TextOf(fx.doc);
        // Select mode's click on the figure, as the user makes it.
        const CPoint at = view->LogicalPtToClient(check->m_rect.CenterPoint());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(at.x, at.y));
        ASSERT_EQ(fx.doc.GetSelCount(), 1);
        ASSERT_TRUE(check->m_bSelected);
        frame->OnIdleUpdateCmdUI();
    }
    void TearDown() override
    {
        SaveShot(testing::UnitTest::GetInstance()->current_test_info()->name(), frame.get());
        g_nUIMode = 0;
        SetScreenPixelHeightForTest(0);
    }
    CCustomToolBar* Bar() const { return frame->PropertyBar(); }
    QWidget* Item(unsigned command) const { return Bar()->ItemWidget(Bar()->Buttons().IndexOf(command)); }
};

struct SampleRow {
    const char* name;
    std::function<void(PropertyBarSampleTest&)> use;
    std::function<bool(const CFigure&)> done;
};

const SampleRow kSampleRows[] = {
    {"bold",
     [](PropertyBarSampleTest& t) { QTest::mouseClick(t.Item(36531), Qt::LeftButton); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfWeight == 700; }},
    {"italic",
     [](PropertyBarSampleTest& t) { QTest::mouseClick(t.Item(36532), Qt::LeftButton); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfItalic != 0; }},
    {"underline",
     [](PropertyBarSampleTest& t) { QTest::mouseClick(t.Item(36533), Qt::LeftButton); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfUnderline != 0; }},
    {"font size",
     [](PropertyBarSampleTest& t) {
         auto* box = qobject_cast<QComboBox*>(t.Bar()->ControlForCmd(32776));
         ASSERT_NE(box, nullptr);
         // The box shows the figure's size (8 points) before the user picks.
         EXPECT_EQ(box->currentText(), "8");
         box->showPopup();
         QAbstractItemView* list = box->view();
         ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
         list->setCurrentIndex(list->model()->index(box->findText("14"), 0));
         QTest::keyClick(list, Qt::Key_Return);
     },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfHeight == -14; }},
    {"font family",
     [](PropertyBarSampleTest& t) {
         auto* box = qobject_cast<QComboBox*>(t.Bar()->ControlForCmd(32775));
         ASSERT_NE(box, nullptr);
         box->showPopup();
         QAbstractItemView* list = box->view();
         ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
         list->setCurrentIndex(list->model()->index(box->findText("Liberation Serif"), 0));
         QTest::keyClick(list, Qt::Key_Return);
     },
     [](const CFigure& f) { return std::string(f.m_props.m_font.m_lf.lfFaceName) == "Liberation Serif"; }},
    {"text colour",
     [](PropertyBarSampleTest& t) {
         auto* button = qobject_cast<CColorDropButton*>(t.Bar()->ControlForCmd(36499));
         ASSERT_NE(button, nullptr);
         QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
         ASSERT_TRUE(button->Popup() && button->Popup()->isVisible()) << "no palette opened";
         // A red of the palette's.
         const QPoint at = button->Popup()->ItemRect(kPaletteFirstId + 16).center();
         QTest::mouseMove(button->Popup(), at);
         QTest::mouseClick(button->Popup(), Qt::LeftButton, {}, at);
     },
     [](const CFigure& f) { return f.m_props.TextColor == COLORREF(0x0404FC); }},
};
} // namespace

TEST_F(PropertyBarSampleTest, TextControlsChangeAClickedFigureOfTheOpenedSample)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const SampleRow& row : kSampleRows) {
        SCOPED_TRACE(row.name);
        frame->OnIdleUpdateCmdUI();
        for (unsigned command : {36531u, 36532u, 36533u, 32775u, 32776u, 36499u})
            EXPECT_TRUE(Item(command) && Item(command)->isEnabled()) << command;
        ASSERT_FALSE(row.done(*check));
        row.use(*this);
        EXPECT_TRUE(row.done(*check));
        EXPECT_TRUE(fx.doc.IsModified());
        // One step: undo takes the diagram back to the text last saved.
        frame->OnCommand(kUndo);
        EXPECT_TRUE(TextOf(fx.doc) == opened) << "undo leaves a changed diagram";
        EXPECT_FALSE(fx.doc.CanUndo());
        // Done again, it is saved with the diagram: the file read back has it.
        frame->OnIdleUpdateCmdUI();
        row.use(*this);
        const std::string path = folder.filePath(QString(row.name) + ".kvd").toStdString();
        ASSERT_TRUE(fx.doc.OnSaveDocument(path));
        opened = TextOf(fx.doc);
        DiagramFixture reread;
        ASSERT_TRUE(reread.doc.OpenDocumentUnlocked(path, false));
        const CFigure* again = FigureWithText(reread.doc, "Check stock");
        ASSERT_NE(again, nullptr);
        EXPECT_TRUE(row.done(*again));
        EXPECT_TRUE(check->m_bSelected);
    }
}

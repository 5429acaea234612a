// A property-bar drop button used while text is edited in place: the choice
// goes to the edited text and the editor keeps the keyboard focus.
#include "CommandRecorder.h"
#include "common/FakeAppContext.h"
#include "controls/CColorDropButton.h"
#include "controls/CPlacedColorDialog.h"
#include "controls/ValueDropControls.h"
#include "core/AppContext.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/ViewEvents.h"
#include "undo/UndoCodes.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
CKavoView* g_view = nullptr;
CKavoView* FindView() { return g_view; }

struct ValueDropEditorTest : testing::Test, ViewEvents {
    FakeAppContext app;
    QWidget frame;
    QWidget bar{&frame};
    CFigure* box = nullptr;

    void SetUp() override
    {
        // The bar and the view share one window, as in the main frame.
        box = fx.AddBox(600, 600, 900, 450, "Alpha");
        app.doc = &fx.doc;
        SetAppContext(&app);
        bar.setGeometry(0, 0, 120, 40);
        view = std::make_unique<CKavoView>(&fx.doc, &frame);
        view->move(0, 40);
        app.view = view.get();
        g_view = view.get();
        SetActiveKavoViewFinder(FindView);
        frame.resize(900, 720);
        frame.show();
        QApplication::setActiveWindow(&frame);
        view->setFocus();
        FitView(*view);
        Save();
    }
    void TearDown() override
    {
        view.reset();
        g_view = nullptr;
        SetActiveKavoViewFinder(nullptr);
        SetAppContext(nullptr);
    }
};
} // namespace

TEST_F(ValueDropEditorTest, TextColourGoesToTheEditedTextAndTheEditorKeepsTheFocus)
{
    auto* color = static_cast<CColorDropButton*>(MakeValueDropControl(36499, &bar, {}));
    ASSERT_NE(color, nullptr);
    color->setGeometry(10, 10, 27, 26);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    ASSERT_TRUE(view->OpenTextEditor(box, 0, false, CPoint(0, 0), 0, 0));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    editor->OnSelectAll();
    // Part of the text: the whole of it would colour the figure itself.
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_TRUE(editor->HasSelection());
    ASSERT_EQ(QApplication::focusWidget(), editor);
    const std::string before = editor->Text();

    QTest::mousePress(color, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(color->Popup()->isVisible());
    const QPoint red = color->Popup()->ItemRect(kPaletteFirstId + 16).center();
    QTest::mouseMove(color->Popup(), red);
    QTest::mouseClick(color->Popup(), Qt::LeftButton, {}, red);

    ASSERT_EQ(view->TextEditor(), editor);   // still editing
    EXPECT_NE(editor->Text(), before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == editor; }, 1000));
    // Nothing reached the diagram's objects directly: no step of its own.
    EXPECT_EQ(Steps(), 0);
}

// The colour dialog opened while text is edited in place: it marks the edit
// changed (its colour will be applied to it), the editor stays open while
// the focus is elsewhere, and gets the focus back when the dialog goes.
TEST_F(ValueDropEditorTest, ColourDialogMarksTheEditChangedAndGivesTheFocusBack)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    ASSERT_TRUE(view->OpenTextEditor(box, 0, false, CPoint(0, 0), 0, 0));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), editor);
    fx.doc.SetModifiedFlag(false);
    bar.setFocusPolicy(Qt::StrongFocus);
    {
        CPlacedColorDialog dialog(RGB(200, 0, 0), 40, 40, &frame);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(fx.doc.IsModified());
            // The focus goes elsewhere while the dialog is up (the window
            // system gives it to the dialog; here a control of the frame
            // takes it).
            bar.setFocus();
            dialog.reject();
        });
        EXPECT_FALSE(dialog.RunModal());
        EXPECT_EQ(view->TextEditor(), editor);
    }
    EXPECT_EQ(view->TextEditor(), editor);
    EXPECT_EQ(frame.focusWidget(), editor);
}

// The alignment palette while the whole of a one-area figure is edited:
// the figure itself takes the alignment, one undo step of its own, and the
// editor stays open over the same text.
TEST_F(ValueDropEditorTest, AlignmentChosenWhileEditingAlignsTheFigureInAStepOfItsOwn)
{
    auto* halign = static_cast<CDropPaletteButton*>(MakeValueDropControl(36562, &bar, {}));
    ASSERT_NE(halign, nullptr);
    halign->setGeometry(10, 10, 27, 26);
    box->m_props.TextFormat = 0x24;
    Save();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(0, 0), 0, -2));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    const std::string text = editor->Text();

    QTest::mousePress(halign, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(halign->Popup()->isVisible());
    const QPoint right = halign->Popup()->ItemRect(kPaletteFirstId + 2).center();
    QTest::mouseMove(halign->Popup(), right);
    QTest::mouseClick(halign->Popup(), Qt::LeftButton, {}, right);

    EXPECT_EQ(box->m_props.TextFormat, 0x21);
    ASSERT_EQ(view->TextEditor(), editor);
    EXPECT_EQ(editor->Text(), text);
    view->CloseEditor();
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_TEXTFMT);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}

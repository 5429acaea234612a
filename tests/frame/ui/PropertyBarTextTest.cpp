// The property bar's text controls in the main window: Bold, Italic,
// Underline, Drop Shadow, the font family and size boxes and the text colour
// change the selected figures (a box with a text box, a figure whose symbol
// has none and shows its text in the whole figure, a free label) in one
// undo step that undo takes back to the saved text; in text mode they
// change the current label style, in the creation mode the current figure
// style; while text is edited in place the size goes to that text.
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
#include "editing/ui/CTextDialog.h"
#include "fileformat/DiagramRecordWriter.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/KeywordStreams.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupQueries.h"
#include "shapes/FigFlags.h"
#include "undo/UndoCodes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
constexpr int kUndo = 57643;

std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

struct PropertyBarTextTest : testing::Test {
    CTempProfile profile;
    SavedBarSettings savedBars;
    DiagramFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;
    CFigure* box = nullptr;     // its symbol has a text box
    CFigure* whole = nullptr;   // its symbol has none: the text fills it
    CFigure* label = nullptr;   // a free label
    std::string saved;

    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        g_nUIMode = 0;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1280, 700);
        frame->show();
        box = fx.AddBox(300, 300, 600, 300, "Check");
        SymbolBuilder b;
        b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.sym.m_strName = "Process";
        CFigProps props;
        props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&b.sym);
        whole = new CFigure(1200, 300, 300, 600, props, -1, 0, "Reorder", "", CFigure::CreateArgs(), &fx.doc);
        fx.doc.AddFigWithId(whole);
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "test");
        label = view->CreateLbl(CPoint(300, 900));
        EXPECT_NE(label, nullptr);
        if (label) {
            label->SetText("free note", "", -1);
            FitFigToText(fx.doc, label, 0, false, false, nullptr);
        }
        fx.doc.ClearSelection();
        for (CFigure* f : Targets())
            fx.doc.Select(f);
        Save();
    }
    void TearDown() override
    {
        if (!frame)
            return;
        SaveShot(testing::UnitTest::GetInstance()->current_test_info()->name(), frame.get());
        if (view)
            view->CloseEditor();
        g_nUIMode = 0;
        SetScreenPixelHeightForTest(0);
    }
    std::vector<CFigure*> Targets() const { return {box, whole, label}; }
    void Save()
    {
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        saved = DocText(fx.doc);
    }
    CCustomToolBar* Bar() const { return frame->PropertyBar(); }
    QToolButton* Button(unsigned command) const
    {
        return qobject_cast<QToolButton*>(Bar()->ItemWidget(Bar()->Buttons().IndexOf(command)));
    }
    // A click on the bar's button, as the user makes it.
    void ClickButton(unsigned command)
    {
        frame->OnIdleUpdateCmdUI();
        QToolButton* button = Button(command);
        ASSERT_NE(button, nullptr) << command;
        ASSERT_TRUE(button->isEnabled()) << command;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // An entry of a bar box chosen from its list with the keys.
    void ChooseInBox(unsigned command, const QString& text)
    {
        frame->OnIdleUpdateCmdUI();
        auto* combo = qobject_cast<QComboBox*>(Bar()->ControlForCmd(command));
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->isEnabled());
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        list->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }
    // The colour of the text colour palette's cell, chosen with the mouse.
    COLORREF ChooseTextColour(int cell)
    {
        frame->OnIdleUpdateCmdUI();
        auto* button = qobject_cast<CColorDropButton*>(Bar()->ControlForCmd(36499));
        EXPECT_NE(button, nullptr);
        if (!button)
            return 0;
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(button->Popup()->isVisible());
        const QPoint at = button->Popup()->ItemRect(kPaletteFirstId + UINT(cell)).center();
        QTest::mouseMove(button->Popup(), at);
        QTest::mouseClick(button->Popup(), Qt::LeftButton, {}, at);
        return button->GetColor();
    }
};

struct ControlRow {
    const char* name;
    std::function<void(PropertyBarTextTest&)> use;
    // The state the control sets on a figure.
    std::function<bool(const CFigure&)> set;
};

const ControlRow kControls[] = {
    {"bold", [](PropertyBarTextTest& t) { t.ClickButton(36531); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfWeight == 700; }},
    {"italic", [](PropertyBarTextTest& t) { t.ClickButton(36532); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfItalic == 1; }},
    {"underline", [](PropertyBarTextTest& t) { t.ClickButton(36533); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfUnderline == 1; }},
    {"drop shadow", [](PropertyBarTextTest& t) { t.ClickButton(36494); },
     [](const CFigure& f) { return f.m_props.Shadow != 0; }},
    // Sizes are points, as the font record keeps them.
    {"font size", [](PropertyBarTextTest& t) { t.ChooseInBox(32776, "24"); },
     [](const CFigure& f) { return f.m_props.m_font.m_lf.lfHeight == -24; }},
    {"font family", [](PropertyBarTextTest& t) { t.ChooseInBox(32775, "Liberation Serif"); },
     [](const CFigure& f) { return std::string(f.m_props.m_font.m_lf.lfFaceName) == "Liberation Serif"; }},
    // A red of the palette's.
    {"text colour", [](PropertyBarTextTest& t) { EXPECT_EQ(t.ChooseTextColour(16), COLORREF(0x0404FC)); },
     [](const CFigure& f) { return f.m_props.TextColor == COLORREF(0x0404FC); }},
};
} // namespace

TEST_F(PropertyBarTextTest, EachControlChangesTheSelectedFiguresInOneStep)
{
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        Save();
        for (const CFigure* f : Targets())
            ASSERT_FALSE(row.set(*f));
        row.use(*this);
        for (const CFigure* f : Targets())
            EXPECT_TRUE(row.set(*f)) << f->m_strText;
        EXPECT_NE(DocText(fx.doc), saved);
        EXPECT_TRUE(fx.doc.IsModified());
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

// A toggle turns off what the selection has on, the newest selected figure
// telling; a label grown by its bolder text keeps all of it in view.
TEST_F(PropertyBarTextTest, TogglesTurnOffWhatIsOnAndLabelsKeepTheirText)
{
    for (const unsigned command : {36531u, 36532u, 36533u, 36494u}) {
        SCOPED_TRACE(command);
        Save();
        ClickButton(command);
        const std::string on = DocText(fx.doc);
        ClickButton(command);
        EXPECT_EQ(DocText(fx.doc), saved);
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), on);
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    Save();
    const CRect before = label->m_rect;
    ChooseInBox(32776, "24");
    SaveShot("PropertyBar-24pt", frame.get());
    CRect fitted;
    EXPECT_FALSE(CalcSizeForText(*label, fitted, 1, nullptr)) << "the label is cut off";
    EXPECT_GT(label->m_rect.Width(), before.Width());
    EXPECT_EQ(label->m_rect.TopLeft(), before.TopLeft());
}

// With nothing selected in text mode the bar sets up the next label, in the
// creation mode the next figure; neither is a change of the diagram.
TEST_F(PropertyBarTextTest, TextModeAndCreationModeChangeTheCurrentStyles)
{
    fx.doc.ClearSelection();
    fx.doc.m_nCurLblStyle = 0;
    fx.doc.m_curLblStyle.m_strName = "Note";
    const CFigProps labelLook = fx.doc.m_curLblStyle.m_props;
    Save();
    g_nUIMode = 3;
    ClickButton(36531);
    ChooseInBox(32776, "14");
    EXPECT_EQ(fx.doc.m_curLblStyle.m_props.m_font.m_lf.lfWeight, 700);
    EXPECT_EQ(fx.doc.m_curLblStyle.m_props.m_font.m_lf.lfHeight, -14);
    EXPECT_EQ(fx.doc.m_curLblStyle.m_props.m_fill.m_nKind, labelLook.m_fill.m_nKind);
    // No longer the named style: its name and index go.
    EXPECT_EQ(fx.doc.m_nCurLblStyle, -1);
    EXPECT_EQ(fx.doc.m_curLblStyle.m_strName, "");
    ClickButton(36531);
    EXPECT_EQ(fx.doc.m_curLblStyle.m_props.m_font.m_lf.lfWeight, 0);

    g_nUIMode = 2;
    fx.doc.m_bCurFigStyleChanged = 1;
    ClickButton(36532);
    ClickButton(36494);
    EXPECT_EQ(fx.doc.m_curFigStyle.m_props.m_font.m_lf.lfItalic, 1);
    EXPECT_NE(fx.doc.m_curFigStyle.m_props.Shadow, 0);
    EXPECT_EQ(fx.doc.m_bCurFigStyleChanged, 0);
    EXPECT_FALSE(fx.doc.CanUndo());
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The size chosen while part of a text is edited in place goes to the
// edited text and the editor keeps the keyboard focus; the figure's own font
// stays.
TEST_F(PropertyBarTextTest, TheSizeGoesToTextEditedInPlace)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    editor->OnSelectAll();
    // All but the last letter.
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(editor->SelEnd(), 4);
    const LONG height = box->m_props.m_font.m_lf.lfHeight;
    ChooseInBox(32776, "18");
    ASSERT_EQ(view->TextEditor(), editor);
    EXPECT_NE(editor->Text().find("\\fs36"), std::string::npos) << editor->Text();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == editor; }, 1000));
    view->CloseEditor();
    EXPECT_EQ(box->m_props.m_font.m_lf.lfHeight, height);
    EXPECT_NE(box->m_strText.find("\\fs36"), std::string::npos) << box->m_strText;
    frame->OnCommand(kUndo);
    EXPECT_EQ(DocText(fx.doc), saved);
}

namespace {
struct AlignRow {
    int command;
    WORD bits, group;
};
// Each alignment button replaces its own group and keeps the other.
const AlignRow kAlignRows[] = {
    {36505, 4, 0x07}, {36506, 2, 0x07}, {36507, 1, 0x07}, {36508, 64, 0x70}, {36509, 32, 0x70}, {36510, 16, 0x70},
};
} // namespace

// An alignment button aligns the selected figures' text in one step; in
// text mode it aligns the next label (no named style any more), in the
// creation mode the next figure (its style mark cleared), neither a change
// of the diagram.
TEST_F(PropertyBarTextTest, AlignmentButtonsGoToTheFirstTargetThatExists)
{
    const CFigProps labelLook = fx.doc.m_curLblStyle.m_props;
    for (const AlignRow& row : kAlignRows) {
        SCOPED_TRACE(row.command);
        for (CFigure* f : Targets())
            f->m_props.TextFormat = WORD(0x77 & ~row.bits);
        g_nUIMode = 0;
        fx.doc.ClearSelection();
        for (CFigure* f : Targets())
            fx.doc.Select(f);
        Save();
        frame->OnCommand(row.command);
        for (const CFigure* f : Targets())
            EXPECT_EQ(f->m_props.TextFormat, WORD((0x77 & ~row.group) | row.bits)) << f->m_strText;
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());

        fx.doc.ClearSelection();
        Save();
        fx.doc.m_nCurLblStyle = 0;
        fx.doc.m_curLblStyle.m_strName = "Note";
        fx.doc.m_curLblStyle.m_props.TextFormat = WORD(0x77 & ~row.bits);
        g_nUIMode = 3;
        frame->OnCommand(row.command);
        EXPECT_EQ(fx.doc.m_curLblStyle.m_props.TextFormat, WORD((0x77 & ~row.group) | row.bits));
        EXPECT_EQ(fx.doc.m_curLblStyle.m_props.m_fill.m_nKind, labelLook.m_fill.m_nKind);
        EXPECT_EQ(fx.doc.m_nCurLblStyle, -1);
        EXPECT_EQ(fx.doc.m_curLblStyle.m_strName, "");

        g_nUIMode = 2;
        fx.doc.m_curFigStyle.m_props.TextFormat = WORD(0x77 & ~row.bits);
        fx.doc.m_bCurFigStyleChanged = 1;
        frame->OnCommand(row.command);
        EXPECT_EQ(fx.doc.m_curFigStyle.m_props.TextFormat, WORD((0x77 & ~row.group) | row.bits));
        EXPECT_EQ(fx.doc.m_bCurFigStyleChanged, 0);
        EXPECT_FALSE(fx.doc.CanUndo());
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// Sub- and superscript and the guillemets belong to text edited in place:
// with the editor open they change its marked text or type at its caret;
// with it closed they change nothing.
TEST_F(PropertyBarTextTest, EditorOnlyCommandsActOnTheEditedText)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    for (const int command : {36556, 36557, 32795, 32796}) {
        SCOPED_TRACE(command);
        frame->OnCommand(command);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
    struct Row {
        int command;
        const char* code;
    };
    for (const Row& row : {Row{36556, "\\sub"}, Row{36557, "\\super"}}) {
        SCOPED_TRACE(row.command);
        ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
        CTextDialog* editor = view->TextEditor();
        ASSERT_NE(editor, nullptr);
        editor->OnSelectAll();
        frame->OnCommand(row.command);
        EXPECT_NE(editor->Text().find(row.code), std::string::npos) << editor->Text();
        // Again on text that has it: off.
        frame->OnCommand(row.command);
        RangeFormat now;
        ASSERT_TRUE(editor->GetSelectionFormat(now));
        EXPECT_EQ(row.command == 36556 ? now.sub : now.super, 0);
        view->CloseEditor();
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    const std::string before = editor->Text();
    frame->OnCommand(32795);
    frame->OnCommand(32796);
    const std::string after = editor->Text();
    const size_t left = after.find("\\'ab"), right = after.find("\\'bb");
    const size_t rawLeft = after.find('\xAB'), rawRight = after.find('\xBB');
    EXPECT_TRUE((left != std::string::npos && right != std::string::npos && left < right) ||
                (rawLeft != std::string::npos && rawRight != std::string::npos && rawLeft < rawRight))
        << before << " -> " << after;
    view->CloseEditor();
    frame->OnCommand(kUndo);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Text of the normal weight is not bold: Bold makes it bold.
TEST_F(PropertyBarTextTest, BoldMakesNormalWeightTextBold)
{
    for (CFigure* f : Targets())
        f->m_props.m_font.m_lf.lfWeight = 400;
    Save();
    ClickButton(36531);
    for (const CFigure* f : Targets())
        EXPECT_EQ(f->m_props.m_font.m_lf.lfWeight, 700) << f->m_strText;
}

namespace {
// A start word whose `group` holds another value than `bits`, the other
// group centred; and the word the button makes of it.
WORD OtherThan(const AlignRow& row)
{
    const WORD other = WORD(row.group & (row.bits == (row.group & 0x44) ? 0x11 : 0x44));
    return WORD(other | (~row.group & 0x22));
}
WORD Aligned(const AlignRow& row)
{
    return WORD(row.bits | (~row.group & 0x22));
}
} // namespace

// While text is edited in place an alignment button aligns a figure of one
// text area as a whole, an undo step of its own, the editor staying open;
// in an area of several it goes into that area's format prefix and is part
// of the text step.
TEST_F(PropertyBarTextTest, AlignmentButtonsWhileTextIsEditedInPlace)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    for (const AlignRow& row : kAlignRows) {
        SCOPED_TRACE(row.command);
        box->m_props.TextFormat = OtherThan(row);
        Save();
        ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
        CTextDialog* editor = view->TextEditor();
        ASSERT_NE(editor, nullptr);
        const std::string text = editor->Text(), prefix = editor->Prefix();
        frame->OnCommand(row.command);
        EXPECT_EQ(box->m_props.TextFormat, Aligned(row));
        ASSERT_EQ(view->TextEditor(), editor);
        EXPECT_EQ(editor->Text(), text);
        EXPECT_EQ(editor->Prefix(), prefix);
        view->CloseEditor();
        EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_TEXTFMT);
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
    const int rows = fx.AddRowsSymbol();
    box->m_props.Symbol = rows;
    box->m_strText = "r0\\sect r1\\sect r2";
    for (const AlignRow& row : kAlignRows) {
        SCOPED_TRACE(row.command);
        box->m_props.TextFormat = OtherThan(row);
        Save();
        ASSERT_TRUE(view->BeginTextEdit(box, 1, false, CPoint(), 0, -2));
        CTextDialog* editor = view->TextEditor();
        ASSERT_NE(editor, nullptr);
        frame->OnCommand(row.command);
        EXPECT_EQ(box->m_props.TextFormat, OtherThan(row));
        ASSERT_EQ(view->TextEditor(), editor);
        uint16_t align = 0;
        EXPECT_TRUE(GetAlignFromMarkup(editor->Prefix(), align)) << editor->Prefix();
        EXPECT_EQ(align, Aligned(row)) << editor->Prefix();
        view->CloseEditor();
        EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_TEXTEDIT);
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

// A character format given to the whole text of a figure of one text area
// is the figure's own: the markup that said otherwise gives way, the
// editor stays open on the whole text, and undo takes it back in one step.
// Typing afterwards is a text step of its own.
TEST_F(PropertyBarTextTest, TheWholeTextOfOneAreaFormatsTheFigure)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    struct Row {
        const ControlRow& control;
        const char* code;   // the markup's own code for it, gone afterwards
    } rows[] = {
        {kControls[0], "\\b1"}, {kControls[1], "\\i1"}, {kControls[2], "\\ul "}, {kControls[4], "\\fs48"},
        {kControls[5], nullptr}, {kControls[6], nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control.name);
        box->m_strText = "Ch\\b1\\i1\\ul\\fs48 ec\\b0\\i0\\ulnone\\fs20 k";
        Save();
        ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
        CTextDialog* editor = view->TextEditor();
        ASSERT_NE(editor, nullptr);
        row.control.use(*this);
        EXPECT_TRUE(row.control.set(*box));
        ASSERT_EQ(view->TextEditor(), editor);
        const std::string formatted = box->m_strText;
        if (row.code) {
            EXPECT_EQ(formatted.find(row.code), std::string::npos) << formatted;
        }
        EXPECT_EQ(editor->Text(), formatted);
        EXPECT_EQ(editor->SelAnchor(), 0);
        EXPECT_EQ(editor->SelEnd(), 5);
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_S);
        view->CloseEditor();
        EXPECT_NE(box->m_strText, formatted);
        EXPECT_TRUE(row.control.set(*box));
        EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_TEXTEDIT);
        frame->OnCommand(kUndo);
        EXPECT_EQ(box->m_strText, formatted);
        EXPECT_TRUE(row.control.set(*box));
        EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_FIGPROPS);
        frame->OnCommand(kUndo);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

// A size typed into the size box is applied by Enter or a choice from the
// list, not by the focus leaving the box: the window closed with the focus
// there (and the box's text one of its entries) goes without touching the
// diagram or the half-destroyed window.
TEST_F(PropertyBarTextTest, ClosingTheWindowWithTheFocusInTheSizeBoxChangesNothing)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->OnIdleUpdateCmdUI();
    auto* sizes = qobject_cast<QComboBox*>(Bar()->ControlForCmd(32776));
    ASSERT_NE(sizes, nullptr);
    ASSERT_TRUE(sizes->isEnabled());
    QTest::mouseClick(sizes->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes->lineEdit()->hasFocus(); }, 1000));
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "24");
    ASSERT_GE(sizes->findText("24"), 0);
    view = nullptr; // the window takes its views with it
    frame.reset();
    EXPECT_TRUE(DocText(fx.doc) == saved) << "the diagram changed";
    EXPECT_FALSE(fx.doc.CanUndo());
}

// Leaving the box for the diagram does not apply what was typed either.
TEST_F(PropertyBarTextTest, ATypedSizeWaitsForEnter)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->OnIdleUpdateCmdUI();
    auto* sizes = qobject_cast<QComboBox*>(Bar()->ControlForCmd(32776));
    ASSERT_NE(sizes, nullptr);
    QTest::mouseClick(sizes->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes->lineEdit()->hasFocus(); }, 1000));
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "24");
    view->setFocus(Qt::MouseFocusReason);
    ASSERT_FALSE(sizes->lineEdit()->hasFocus());
    EXPECT_TRUE(DocText(fx.doc) == saved) << "the diagram changed";
    // Enter applies it.
    QTest::mouseClick(sizes->lineEdit(), Qt::LeftButton);
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "24");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->m_props.m_font.m_lf.lfHeight, -24);
}

// A size typed and entered while text is edited in place goes to that text,
// and the keyboard goes back to the editor: the user types on.
TEST_F(PropertyBarTextTest, EnterInTheSizeBoxGivesTheFocusBackToTheEditor)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
    CTextDialog* editor = view->TextEditor();
    ASSERT_NE(editor, nullptr);
    editor->OnSelectAll();
    // All but the last letter.
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(editor->SelEnd(), 4);
    frame->OnIdleUpdateCmdUI();
    auto* sizes = qobject_cast<QComboBox*>(Bar()->ControlForCmd(32776));
    ASSERT_TRUE(sizes && sizes->isEnabled());
    QTest::mouseClick(sizes->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes->lineEdit()->hasFocus(); }, 1000));
    ASSERT_EQ(view->TextEditor(), editor);
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "18");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(view->TextEditor(), editor);
    EXPECT_NE(editor->Text().find("\\fs36"), std::string::npos) << editor->Text();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == editor; }, 1000));
}

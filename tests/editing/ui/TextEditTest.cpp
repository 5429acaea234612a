// Editing text in place on a real view offscreen: Qt's own mouse, key and
// input-method events open the editor over a figure's text area, type,
// select, copy and paste, and close it; the figure's stored markup is
// checked, and undo takes the document back to its saved text byte for byte.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/TextEntrySeams.h"
#include "richtext/RichTextClipboard.h"
#include "richtext/TextUtils.h"
#include "shapes/SymbolTestSupport.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <string>

namespace {
constexpr DWORD kExpandHorz = 0x4000;

int g_beeps = 0;
void CountBeep(UINT)
{
    ++g_beeps;
}

class StatusContext : public FakeAppContext {
public:
    void SetStatusBarText(const std::string& text) override { status = text; }
    std::string status;
};

struct TextEditTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        DoubleClickEditsText = 1;
        UndoableNavigation = 1;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        a = fx.AddBox(600, 600, 900, 450, "Alpha");
        b = fx.AddBox(2400, 600, 900, 450, "Beta");
        for (CFigure* f : {a, b})
            f->m_props.Behavior.low |= kExpandHorz;
        app.doc = &fx.doc;
        SetAppContext(&app);
        g_nUIMode = 0;
        g_beeps = 0;
        previousBeep = SetMessageBeepHandler(CountBeep);
        view = std::make_unique<CKavoView>(&fx.doc);
        app.view = view.get();
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        FitView(*view);
        Save();
    }
    void TearDown() override
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            const QString name = QString(dir) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name();
            if (view && Editor())
                Editor()->Picture().save(name + "-editor.png");
            if (view) {
                view->FlushPaint();
                view->Surface().save(name + ".png");
            }
        }
        view.reset();
        SetMessageBeepHandler(previousBeep);
        GetTextEntrySeams() = TextEntrySeams();
        DoubleClickEditsText = 0;
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
    }
    void Send(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
        QApplication::sendEvent(w, &e);
    }
    void Click(const QPoint& p, QWidget* w = nullptr, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        w = w ? w : view->viewport();
        Send(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
        Send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    // Press, release, the double click Qt sends for the second press, and
    // its release.
    void DoubleClick(const QPoint& p, QWidget* w = nullptr)
    {
        w = w ? w : view->viewport();
        Click(p, w);
        Send(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    // Keys go where the keyboard focus is, as the window system sends them.
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
        QKeyEvent override(QEvent::ShortcutOverride, key, m, text);
        QApplication::sendEvent(target, &override);
        QKeyEvent e(QEvent::KeyPress, key, m, text);
        QApplication::sendEvent(target, &e);
    }
    void Type(const QString& text)
    {
        for (QChar c : text)
            Key(0, Qt::NoModifier, QString(c));
    }
    void PointAt(const QPoint& client) { QCursor::setPos(view->viewport()->mapToGlobal(client)); }
    // A key acts where the pointer is over the view: the figure is scrolled
    // into sight and pointed at.
    void PointAtShown(const CFigure* f)
    {
        view->ScrollToViewAnchorPoint(f->m_rect.CenterPoint(), kAnchorCentre, true);
        PointAt(Centre(f));
    }
    CTextDialog* Editor() const { return view->TextEditor(); }
    std::string Section(const CFigure* f, int area = 0) const { return GetTextSection(f->m_strText, area); }
    void ExpectUndoToSaved(int code)
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(DocText(fx.doc), saved);
    }

    StatusContext app;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    MessageBeepHandler previousBeep = nullptr;
};
} // namespace

TEST_F(TextEditTest, DoubleClickOpensTypingReplacesClickOutsideKeepsOneStep)
{
    DoubleClick(Centre(a));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), a);
    EXPECT_EQ(Editor()->SelAnchor(), 0);   // everything selected
    EXPECT_EQ(Editor()->SelEnd(), 5);
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    Type("Gamma");
    EXPECT_EQ(Section(a), "Gamma");
    // A click outside the text closes the editor and keeps what was typed.
    Click(At(CPoint(2000, 1800)));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Section(a), "Gamma");
    EXPECT_TRUE(fx.doc.IsModified());
    EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_TEXTEDIT);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

TEST_F(TextEditTest, TypingOverAFigureOpensItsEditorAndEscapeKeepsTheText)
{
    PointAtShown(b);
    Type("Q");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), b);
    Type("{x}\\");
    // Braces and backslash are escaped in the markup.
    EXPECT_EQ(Section(b), "Q\\{x\\}\\\\");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), view.get());
    EXPECT_EQ(Section(b), "Q\\{x\\}\\\\");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, ShiftArrowsSelectAndCopyPastesBetweenEditors)
{
    PointAt(Centre(a));
    Type("abcdef");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Caret(), 6);
    Key(Qt::Key_Home);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->SelAnchor(), 2);
    EXPECT_EQ(Editor()->SelEnd(), 5);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "cde");
    Key(Qt::Key_Right);   // without Shift the selection goes
    EXPECT_FALSE(Editor()->HasSelection());
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(a), "abcdef");

    PointAtShown(b);
    Type("x");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Section(b), "xcde");
    EXPECT_EQ(Editor()->Caret(), 4);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Section(b), "xcd");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(b), "xcd");
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_TEXTEDIT);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, PlainTextFromOtherProgramsKeepsOnlyWindows1252)
{
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8("a\xE2\x82\xAC\xD1\x84z"));   // a, euro, Cyrillic ef, z
    QApplication::clipboard()->setMimeData(data);
    PointAt(Centre(a));
    Type("[");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Section(a), "[a\x80z");
    EXPECT_EQ(g_beeps, 1);
    EXPECT_FALSE(app.status.empty());
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, CharactersOutsideWindows1252AreRefusedWithABeep)
{
    PointAt(Centre(a));
    Type("e");
    ASSERT_NE(Editor(), nullptr);
    Key(0, Qt::NoModifier, QString::fromUtf8("\xC3\xA9\xD1\x84\xE2\x82\xAC"));   // e acute, Cyrillic ef, euro
    EXPECT_EQ(Section(a), "e\xE9\x80");
    EXPECT_EQ(g_beeps, 1);
    EXPECT_FALSE(app.status.empty());
    // Composed characters from an input method arrive like typed ones.
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromUtf8("\xC3\xBC"));   // u diaeresis
    QApplication::sendEvent(Editor(), &compose);
    EXPECT_EQ(Section(a), "e\xE9\x80\xFC");
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TypingOverAFigureWithANonWindows1252CharacterOpensNothing)
{
    PointAt(Centre(a));
    Key(0, Qt::NoModifier, QString::fromUtf8("\xD1\x84"));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(g_beeps, 1);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

TEST_F(TextEditTest, OpeningAndClosingWithoutChangeLeavesNoStep)
{
    DoubleClick(Centre(a));
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Right);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
    EXPECT_FALSE(fx.doc.IsModified());
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextEditTest, TypedGuillemetsAndBackspace)
{
    PointAt(Centre(a));
    Type("<<x>");
    Type(">");
    EXPECT_EQ(Section(a), "\xABx\xBB");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Section(a), "\xAB");
    Key(Qt::Key_Return);
    Type("y");
    EXPECT_EQ(Section(a), "\xAB\\line y");
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, MouseClicksPlaceTheCaretAndDoubleAndTripleClicksSelect)
{
    PointAt(Centre(a));
    Type("one two");
    CTextDialog* ed = Editor();
    ASSERT_NE(ed, nullptr);
    Click(ed->CaretPointAt(1), ed);
    EXPECT_EQ(ed->Caret(), 1);
    EXPECT_FALSE(ed->HasSelection());
    // A drag selects from the press to the release.
    const QPoint from = ed->CaretPointAt(2), to = ed->CaretPointAt(6);
    Send(ed, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(ed, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Send(ed, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ed->SelAnchor(), 2);
    EXPECT_EQ(ed->SelEnd(), 6);
    // The word with its blank, then everything.
    const QPoint inOne = ed->CaretPointAt(1);
    DoubleClick(inOne, ed);
    EXPECT_EQ(ed->SelAnchor(), 0);
    EXPECT_EQ(ed->SelEnd(), 4);
    Click(inOne, ed);
    EXPECT_EQ(ed->SelAnchor(), 0);
    EXPECT_EQ(ed->SelEnd(), 7);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(a), "one two");
}

TEST_F(TextEditTest, TabMovesBetweenTextAreasAndWraps)
{
    int rows = fx.AddRowsSymbol();
    a->m_props.Symbol = rows;
    a->m_strText = "r0\\sect r1\\sect r2";
    Save();
    view->BeginTextEdit(a, 2, false, CPoint(), 0, -2);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Tab);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Section(), 0);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Section(), 2);
    Type("R");
    Key(Qt::Key_Escape);
    EXPECT_EQ(a->m_strText, "r0\\sect r1\\sect R");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

TEST_F(TextEditTest, TextOnlyFigureEmptiedIsDeletedAndUndoBringsItBack)
{
    a->m_props.Behavior.low |= 0x40;
    Save();
    DoubleClick(Centre(a));
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Section(a), "");
    const int32_t id = a->m_nId;
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.m_pObjList->FindById(id), nullptr);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

TEST_F(TextEditTest, AnAreaThatCannotOpenLeavesNoStep)
{
    EXPECT_FALSE(view->BeginTextEdit(a, 5, false, CPoint(), 'x', -2));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextEditTest, TextStopsAtTheLimitWithABeep)
{
    a->m_strText = std::string(4094, 'w');
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_End, Qt::ControlModifier);
    Type("xy");
    EXPECT_EQ(Section(a), std::string(4094, 'w') + "x");
    EXPECT_EQ(g_beeps, 1);
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, ClosingTheViewKeepsWhatWasTyped)
{
    PointAt(Centre(a));
    Type("kept");
    ASSERT_NE(Editor(), nullptr);
    app.view = nullptr;
    view.reset();
    EXPECT_EQ(Section(a), "kept");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TypingOverEmptySpaceMakesAFreeLabelThroughTheSeam)
{
    CPoint made;
    char typed = 0;
    GetTextEntrySeams().createLbl = [&](CKavoView&, const CPoint& logical, char ch) {
        made = logical;
        typed = ch;
        return true;
    };
    PointAt(At(CPoint(1800, 1800)));
    Type("L");
    EXPECT_EQ(typed, 'L');
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_NEAR(made.x, 1800, 5);
    EXPECT_NEAR(made.y, 1800, 5);
}

TEST_F(TextEditTest, DoubleClickWithoutTheSettingOpensTheProperties)
{
    DoubleClickEditsText = 0;
    std::vector<int> sent;
    GetTextEntrySeams().sendCommand = [&](int id) { sent.push_back(id); };
    CConnector* con = fx.Connect(a, b);
    Save();
    DoubleClick(Centre(a));
    EXPECT_EQ(Editor(), nullptr);
    const CPoint mid((a->m_rect.right + b->m_rect.left) / 2, a->m_rect.CenterPoint().y);
    DoubleClick(At(mid));
    ASSERT_TRUE(con->m_bSelected);
    EXPECT_EQ(sent, (std::vector<int>{33054, 33063}));
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextEditTest, TextModeClickPlacesTheCaretWhereTheUserClicked)
{
    PointAt(Centre(a));
    Type("one two");
    ASSERT_NE(Editor(), nullptr);
    const QPoint atThree = Editor()->CaretPointAt(3) + Editor()->pos();
    Key(Qt::Key_Escape);
    g_nUIMode = 3;
    Click(atThree);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Caret(), 3);
    EXPECT_FALSE(Editor()->HasSelection());
    Type("_");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(a), "one_ two");
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_TEXTEDIT);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TypingOverAConnectorMakesItsLabelThroughTheSeam)
{
    CConnector* con = fx.Connect(a, b);
    Save();
    CConnector* labelled = nullptr;
    GetTextEntrySeams().createConLbl = [&](CKavoView&, CConnector* c, const CPoint&, char ch) {
        labelled = c;
        return ch == 'k';
    };
    PointAt(At(CPoint((a->m_rect.right + b->m_rect.left) / 2, a->m_rect.CenterPoint().y)));
    Type("k");
    EXPECT_EQ(labelled, con);
    EXPECT_EQ(g_nUIMode, 3);
}

TEST_F(TextEditTest, BoldCommandFormatsTheSelectionOrWhatIsTypedNext)
{
    PointAt(Centre(a));
    Type("one two");
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_TRUE(view->OnEditorCommand(36531));
    const std::string bold = Section(a);
    EXPECT_EQ(bold, "one \\b1 two");
    // Between the words the change waits for the next character.
    Key(Qt::Key_Home);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(view->OnEditorCommand(36532));
    EXPECT_EQ(Section(a), bold);
    Type("X");
    EXPECT_EQ(Section(a), "one \\i1 X\\i0 \\b1 two");
    // A second command on the selection switches bold off again.
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_TRUE(view->OnEditorCommand(36531));
    std::string plain = Section(a);
    MarkupToPlainText(plain);
    EXPECT_EQ(plain, "one Xtwo");
    EXPECT_EQ(Section(a).find("\\b1"), std::string::npos) << Section(a);
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, EnterMakesAHardBreakAndUpDownKeepTheColumn)
{
    PointAt(Centre(a));
    Type("abc");
    Key(Qt::Key_Return);
    Type("def");
    EXPECT_EQ(Section(a), "abc\\line def");
    EXPECT_EQ(Editor()->Caret(), 7);
    Key(Qt::Key_Up);
    EXPECT_EQ(Editor()->Caret(), 3);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->SelAnchor(), 3);
    EXPECT_EQ(Editor()->SelEnd(), 7);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Section(a), "abc");
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TheEditorDrawsTheTextAsTheViewDoes)
{
    // In black and in a text colour of the figure's own.
    for (CFigure* f : {a, b}) {
        SCOPED_TRACE(f->m_strText);
        if (f == b)
            f->m_props.TextColor = RGB(200, 0, 0);
        PointAtShown(f);
        Type("Same picture");
        ASSERT_NE(Editor(), nullptr);
        Key(Qt::Key_Left, Qt::ShiftModifier);
        Key(Qt::Key_Left, Qt::ShiftModifier);
        const QImage selected = Editor()->Picture();
        Editor()->PrepareClose();
        const QImage shown = Editor()->Picture();
        EXPECT_FALSE(selected == shown);   // the selection is drawn inverted
        const QRect where = Editor()->geometry();
        if (const char* dir = std::getenv("KAVO_SHOTS"))
            selected.save(QString(dir) + "/EditorWithSelection.png");
        Key(Qt::Key_Escape);
        view->FlushPaint();
        EXPECT_TRUE(view->Surface().copy(where) == shown);
    }
}

TEST_F(TextEditTest, TypingOverAFigureWithoutTextAreasEditsItsOneLabel)
{
    // A shape without text boxes carries its name in a label.
    SymbolBuilder sb;
    sb.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    sb.sym.m_strName = "plain";
    a->m_props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&sb.sym);
    CFigure* label = fx.doc.AddAutoFigLabel(a, "Name");
    ASSERT_NE(label, nullptr);
    Save();
    PointAt(Centre(a));
    Type("N");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), label);
    EXPECT_EQ(g_nUIMode, 3);
    Type("ew");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(label), "New");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);

    // Typing over the label itself edits it too.
    g_nUIMode = 0;
    PointAt(Centre(label));
    Type("L");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), label);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(label), "L");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

// A shape without text boxes shows its text in the whole figure: without a
// label, typing over it edits that text.
TEST_F(TextEditTest, TypingOverAFigureWithoutTextBoxesOrLabelsEditsItsOwnText)
{
    SymbolBuilder sb;
    sb.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    sb.sym.m_strName = "plain";
    a->m_props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&sb.sym);
    Save();
    PointAt(Centre(a));
    Type("Z");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), a);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(a), "Z");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, AnotherWindowOrTheWheelClosesTheEditorKeepingTheText)
{
    PointAt(Centre(a));
    Type("one");
    ASSERT_NE(Editor(), nullptr);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Section(a), "one");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);

    QApplication::setActiveWindow(view.get());
    view->setFocus();
    PointAtShown(b);
    Type("two");
    ASSERT_NE(Editor(), nullptr);
    const QPoint p(400, 300);
    QWheelEvent wheel(QPointF(p), QPointF(view->viewport()->mapToGlobal(p)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Section(b), "two");
}

TEST_F(TextEditTest, HugeOrBrokenMarkupOnTheClipboardIsRefusedWhole)
{
    CRecordingPrompt prompt;
    for (const std::string& markup : {std::string(2000000, '{'), std::string("ab{\\b cd"), std::string(5000, 'm')}) {
        auto* data = new QMimeData;
        data->setData(kMimeKrtf, QByteArray(markup.data(), qsizetype(markup.size())));
        QApplication::clipboard()->setMimeData(data);
        view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
        ASSERT_NE(Editor(), nullptr);
        Key(Qt::Key_V, Qt::ControlModifier);
        const std::string text = Section(a);
        EXPECT_LE(text.size(), 4095u);
        // Whatever went in, the braces of the stored markup balance.
        int depth = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\') {
                ++i;
                continue;
            }
            depth += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
            EXPECT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0) << text.substr(0, 60);
        Key(Qt::Key_Escape);
    }
    EXPECT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.front().text, "Paste Failed.\nText may be too long.");
}

TEST_F(TextEditTest, AFigureGrownByItsTextComesBackWithItsConnectorAndLabel)
{
    fx.Connect(a, b);
    ASSERT_NE(fx.doc.AddAutoFigLabel(a, "Under"), nullptr);
    Save();
    const CRect before = a->m_rect;
    PointAt(Centre(a));
    Type("A text much longer than the box is wide, so that the box has to grow with it to hold it all");
    Key(Qt::Key_Escape);
    EXPECT_GT(a->m_rect.Width(), before.Width()) << a->m_strText << " " << a->m_rect.Height();
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, EditCommandsGoToTheOpenEditorNotTheSelection)
{
    Click(Centre(a));
    ASSERT_TRUE(a->m_bSelected);
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(view->OnEditorCommand(57632));   // Delete
    EXPECT_EQ(Section(a), "");
    EXPECT_TRUE(view->OnEditorCommand(33029));   // Select All
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->OnEditorCommand(57632));   // closed: the document's own
    EXPECT_NE(fx.doc.m_pObjList->FindById(a->m_nId), nullptr);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TypingBackTheSameTextLeavesNoStepAndNoChange)
{
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_End);
    Type("x");
    EXPECT_TRUE(fx.doc.IsModified());
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
    EXPECT_FALSE(fx.doc.IsModified());
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(TextEditTest, EnterBeforeCodesAtALineEndMovesTheBreakFirst)
{
    a->m_strText = "ab\\b1 \\line cd";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_End);
    ASSERT_EQ(Editor()->Caret(), 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(Section(a), "ab\\line \\line \\b1 cd");
    EXPECT_EQ(Editor()->Caret(), 3);
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

// The same on an empty first line: its break goes before the codes at the
// very start of the text.
TEST_F(TextEditTest, EnterOnAnEmptyFirstLineMovesItsBreakBeforeTheCodes)
{
    a->m_strText = "\\b1 \\line cd";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(Editor()->Caret(), 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(Section(a), "\\line \\line \\b1 cd");
    EXPECT_EQ(Editor()->Caret(), 1);
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, FontBoxesKeepTheEditorOpenARightClickClosesIt)
{
    QComboBox faces(view.get());
    faces.setProperty("commandId", 32775);
    faces.show();
    PointAt(Centre(a));
    Type("ab");
    ASSERT_NE(Editor(), nullptr);
    faces.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &faces);
    ASSERT_NE(Editor(), nullptr);
    Editor()->TakeFocus();
    g_nUIMode = 3;
    Send(Editor(), QEvent::MouseButtonPress, QPoint(2, 2), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(Section(a), "ab");
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

TEST_F(TextEditTest, TextModeShowsWhatAClickWouldDo)
{
    g_nUIMode = 3;
    Send(view->viewport(), QEvent::MouseMove, Centre(a), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->StatusText(), "Click to edit text   CTRL: freeform   ESC: select mode");
    EXPECT_EQ(view->ViewCursor(), int(Qt::IBeamCursor));
    Send(view->viewport(), QEvent::MouseMove, At(CPoint(2000, 1800)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->StatusText(), "Click to create a label   CTRL: freeform   ESC: select mode");
}

TEST_F(TextEditTest, TheViewScrollsToShowTheCaret)
{
    a->m_strText = "Alpha beta gamma delta epsilon";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    // The start of the text goes out of sight on the left.
    view->ScrollToViewAnchorPoint(CPoint(a->m_rect.CenterPoint().x, 0), kAnchorTopLeft, true);
    Editor()->PlaceOverText(true);
    Key(Qt::Key_End);
    const int anchor = view->GetViewAnchorPoint(kAnchorTopLeft).x;
    ASSERT_GT(anchor, a->m_rect.left);
    Key(Qt::Key_Home);
    EXPECT_LT(view->GetViewAnchorPoint(kAnchorTopLeft).x, anchor);
    const QPoint caret = Editor()->CaretPointAt(0) + Editor()->pos();
    EXPECT_GE(caret.x(), 0);
    EXPECT_LT(caret.x(), view->viewport()->width());
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);   // scrolling while editing is no step
}

// A figure covered by a figure drawn after it comes to the front while its
// text is edited and stays there: the step keeps the old order, so opening
// and closing without typing still leaves that step and marks the document
// changed. Connectors crossing or attached to it, and a junction on its
// side, cover none of its text: it keeps its place under them.
TEST_F(TextEditTest, OnlyAFigureCoveringItBringsTheEditedFigureForward)
{
    CFigure* up = fx.AddBox(850, 0, 300, 200, "Up");
    CFigure* down = fx.AddBox(850, 1400, 300, 200, "Down");
    fx.Connect(up, down);   // crosses a
    fx.Connect(a, b);
    // Its 15 units straddle a's right side, as a branch junction's do.
    CFigure* jct = fx.doc.CreateFigAt(CPoint(a->m_rect.right - 7, a->m_rect.CenterPoint().y), 0);
    fx.Connect(jct, down);
    ASSERT_TRUE(jct->IsInvisible());
    Save();
    const int place = fx.doc.m_pObjList->Find(a);
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(fx.doc.m_pObjList->Find(a), place);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
    EXPECT_FALSE(fx.doc.IsModified());

    fx.AddBox(1300, 800, 400, 300, "Over");
    Save();
    const int last = fx.doc.m_pObjList->GetCount() - 1;
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(fx.doc.m_pObjList->Find(a), last);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.m_pObjList->Find(a), last);
    EXPECT_TRUE(fx.doc.IsModified());
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
    EXPECT_EQ(fx.doc.m_pObjList->Find(a), place);
}

// In text mode a click opens the text of an unselected figure only: a
// selected one keeps the click for its handles.
TEST_F(TextEditTest, ATextModeClickOpensOnlyAnUnselectedFiguresText)
{
    Click(Centre(a));
    ASSERT_TRUE(a->m_bSelected);
    g_nUIMode = 3;
    Click(Centre(a));
    EXPECT_TRUE(Editor() == nullptr || Editor()->Figure() != a);
    Click(Centre(b));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Figure(), b);
    Key(Qt::Key_Escape);
}

// Home and End go to the ends of the caret's line; with Ctrl to the ends of
// the text.
TEST_F(TextEditTest, HomeAndEndKeepToTheLineCtrlToTheText)
{
    a->m_strText = "ab\\line cd";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Caret(), 5);
    Key(Qt::Key_Home);
    EXPECT_EQ(Editor()->Caret(), 3);
    Key(Qt::Key_Left);
    Key(Qt::Key_End);
    EXPECT_EQ(Editor()->Caret(), 2);
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Caret(), 0);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

// A figure whose flag forbids it to grow wider refuses the typing that
// would make it: what would not fit stays out, with a beep.
TEST_F(TextEditTest, AFigureThatMayNotGrowWiderRefusesTheTextWithABeep)
{
    a->m_props.Behavior.low |= 0x10000;
    Save();
    const CRect before = a->m_rect;
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    const int times = 12;
    for (int i = 0; i < times; ++i)
        Type(" more words");
    EXPECT_EQ(a->m_rect, before);
    EXPECT_GT(g_beeps, 0);
    EXPECT_LT(Section(a).size(), std::string("Alpha").size() + times * 11) << Section(a);
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

// Ctrl with Left and Right moves a word at a time, plain arrows a character.
TEST_F(TextEditTest, CtrlArrowsMoveByWords)
{
    a->m_strText = "one two";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Caret(), 4);
    Key(Qt::Key_Left);
    EXPECT_EQ(Editor()->Caret(), 3);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Caret(), 0);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GE(Editor()->Caret(), 3);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

// Shift extends the selection with every move; with Ctrl held as well the
// caret moves a word at a time and the selection goes, as with Ctrl alone.
TEST_F(TextEditTest, CtrlShiftArrowsMoveWithoutExtending)
{
    a->m_strText = "one two three";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(Editor()->Caret(), 0);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->SelAnchor(), 0);
    EXPECT_EQ(Editor()->SelEnd(), 1);
    const Qt::KeyboardModifiers both = Qt::ShiftModifier | Qt::ControlModifier;
    Key(Qt::Key_Right, both);
    EXPECT_EQ(Editor()->Caret(), 4);
    EXPECT_FALSE(Editor()->HasSelection());
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(Editor()->HasSelection());
    Key(Qt::Key_Left, both);
    EXPECT_EQ(Editor()->Caret(), 4);
    EXPECT_FALSE(Editor()->HasSelection());
    Key(Qt::Key_End, both);
    EXPECT_EQ(Editor()->Caret(), 13);
    EXPECT_FALSE(Editor()->HasSelection());
    Key(Qt::Key_Escape);
    EXPECT_EQ(Section(a), "one two three");
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

// A caret that runs off the right side scrolls the view just enough to show
// it three line heights inside that side.
TEST_F(TextEditTest, TheCaretComesIntoSightThreeLineHeightsFromTheRight)
{
    b->m_strText = "Beta gamma delta epsilon zeta\\line z";
    Save();
    view->BeginTextEdit(b, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    const int height = Editor()->CaretPointAt(36).y() - Editor()->CaretPointAt(0).y();
    ASSERT_GT(height, 4);
    // The figure's left side stands 100 pixels from the right of the view.
    const int width = view->viewport()->width();
    view->ScrollToViewAnchorPoint(CPoint(b->m_rect.left - Px(width - 100), 0), kAnchorTopLeft, true);
    Editor()->PlaceOverText(true);
    ASSERT_EQ(At(b->m_rect.TopLeft()).x(), width - 100);
    Key(Qt::Key_End);
    const int gap = width - (Editor()->CaretPointAt(29) + Editor()->pos()).x();
    EXPECT_GE(gap, 3 * height - 2);
    EXPECT_LE(gap, 3 * height + 3);
    Key(Qt::Key_Escape);
}

// A double click on the word before a soft break selects the word with its
// blank, not the break: the selection ends on the line it started on.
TEST_F(TextEditTest, DoubleClickBeforeASoftBreakLeavesTheBreakOut)
{
    a->m_strText = "one \\softline two";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    CTextDialog* ed = Editor();
    ASSERT_NE(ed, nullptr);
    DoubleClick(ed->CaretPointAt(1), ed);
    EXPECT_EQ(ed->SelAnchor(), 0);
    EXPECT_EQ(ed->SelEnd(), 4);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.CanUndo(), 0);
}

// Once the double-click time has passed, a click on the selected word is a
// new first click: it places the caret and clears the selection.
TEST_F(TextEditTest, AClickAfterTheDoubleClickTimePlacesTheCaretAgain)
{
    struct ShortDoubleClickTime {
        QStyleHints* hints = QApplication::styleHints();
        const int was = hints->mouseDoubleClickInterval();
        ShortDoubleClickTime() { hints->setMouseDoubleClickInterval(40); }
        ~ShortDoubleClickTime() { hints->setMouseDoubleClickInterval(was); }
    } shortTime;
    a->m_strText = "one two";
    Save();
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    CTextDialog* ed = Editor();
    ASSERT_NE(ed, nullptr);
    const QPoint inOne = ed->CaretPointAt(1);
    DoubleClick(inOne, ed);
    EXPECT_EQ(ed->SelEnd(), 4);
    QTest::qWait(150);
    Click(inOne, ed);
    EXPECT_EQ(ed->Caret(), 1);
    EXPECT_FALSE(ed->HasSelection());
    Key(Qt::Key_Escape);
}

// A held key arrives with its repeat count: it acts that many times.
TEST_F(TextEditTest, AKeyActsAsOftenAsItsRepeatCount)
{
    PointAt(Centre(a));
    Type("abcdef");
    ASSERT_NE(Editor(), nullptr);
    for (const auto& [key, want] : {std::pair{Qt::Key_Left, 4}, std::pair{Qt::Key_Backspace, 2}}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(), true, 2);
        QApplication::sendEvent(Editor(), &e);
        EXPECT_EQ(Editor()->Caret(), want);
    }
    EXPECT_EQ(Section(a), "abef");
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

// Bold on the whole text of one area of several goes into the area's format
// prefix; the editor lays the text out anew and shows it as the view will.
TEST_F(TextEditTest, AFormatForAWholeAreaIsShownAsTheViewShowsIt)
{
    a->m_props.Symbol = fx.AddRowsSymbol();
    a->m_strText = "r0\\sect wide row\\sect r2";
    Save();
    view->BeginTextEdit(a, 1, false, CPoint(), 0, -2);
    ASSERT_NE(Editor(), nullptr);
    const int plainEnd = Editor()->CaretPointAt(8).x();
    EXPECT_TRUE(view->OnEditorCommand(36531));
    EXPECT_NE(Editor()->Prefix().find("\\b"), std::string::npos) << Editor()->Prefix();
    EXPECT_GT(Editor()->CaretPointAt(8).x(), plainEnd);
    Editor()->PrepareClose();
    const QImage shown = Editor()->Picture();
    const QRect where = Editor()->geometry();
    Key(Qt::Key_Escape);
    view->FlushPaint();
    EXPECT_TRUE(view->Surface().copy(where) == shown);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

// A paste that fails leaves the text as it was, the selection it would have
// replaced included, and says so; Text reads only plain text and Formatted
// Text only the diagram format.
TEST_F(TextEditTest, APasteThatFailsLeavesTheTextAsItWas)
{
    CRecordingPrompt prompt;
    const auto krtf = [](const std::string& markup) {
        auto* data = new QMimeData;
        data->setData(kMimeKrtf, QByteArray(markup.data(), qsizetype(markup.size())));
        return data;
    };
    const auto plain = [](const char* text) {
        auto* data = new QMimeData;
        data->setText(text);
        return data;
    };
    struct Row {
        const char* name;
        QMimeData* data;
        int command;
    };
    const Row rows[] = {
        {"too long", krtf(std::string(5000, 'm')), 57637},
        {"formatted text of plain text", plain("xyz"), 32788},
        {"text of the diagram format", krtf("\\b1 xyz"), 32786},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QApplication::clipboard()->setMimeData(r.data);
        prompt.shown.clear();
        view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
        ASSERT_NE(Editor(), nullptr);
        Key(Qt::Key_Right);
        Key(Qt::Key_End, Qt::ShiftModifier);
        EXPECT_TRUE(view->OnEditorCommand(r.command));
        EXPECT_EQ(Editor()->Text(), "Alpha");
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown.front().text, "Paste Failed.\nText may be too long.");
        Key(Qt::Key_Escape);
        EXPECT_EQ(Section(a), "Alpha");
    }
    EXPECT_EQ(DocText(fx.doc), saved);
}

// What the window system shows of the editor is what it holds: Select All
// paints the selection at once.
TEST_F(TextEditTest, SelectAllShowsTheSelectionOnTheScreen)
{
    view->BeginTextEdit(a, 0, false, CPoint(), 0, -1);
    CTextDialog* ed = Editor();
    ASSERT_NE(ed, nullptr);
    const auto onScreen = [&] {
        QApplication::processEvents();
        const QPoint at = ed->mapTo(view->window(), QPoint(0, 0));
        return view->screen()
            ->grabWindow(view->window()->winId(), at.x(), at.y(), ed->width(), ed->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = onScreen();
    Key(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(ed->SelEnd(), 5);
    const QImage after = onScreen();
    EXPECT_FALSE(after == before);
    EXPECT_TRUE(after == ed->Picture().convertToFormat(QImage::Format_RGB32));
    Key(Qt::Key_Escape);
}

// In text mode the dotted outline marks the text area under the pointer and
// follows it from one area of a figure to the next.
TEST_F(TextEditTest, TheTextAreaHoverFollowsThePointerFromAreaToArea)
{
    a->m_props.Symbol = fx.AddRowsSymbol();
    a->m_strText = "r0\\sect r1\\sect r2";
    Save();
    g_nUIMode = 3;
    view->InvalidateAll();
    view->FlushPaint();
    const QImage clean = view->Surface().copy();
    CRect areas[2];
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(a->GetTextAreaRect(i, areas[i]));
    const auto marked = [&](int i) {
        view->FlushPaint();
        CRect rc = view->LogicalRectToClient(areas[i]);
        rc.NormalizeRect();
        const QRect q(rc.left, rc.top, rc.Width(), rc.Height());
        return !(view->Surface().copy(q) == clean.copy(q));
    };
    for (int i : {0, 1, 0}) {
        SCOPED_TRACE(i);
        Hover(At(areas[i].CenterPoint()));
        EXPECT_TRUE(marked(i));
        EXPECT_FALSE(marked(1 - i));
        EXPECT_EQ(app.status.substr(0, 18), "Click to edit text");
    }
    g_nUIMode = 0;
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A figure that wraps its text takes a line longer than its text area by
// breaking it softly between words, not by refusing the typing.
TEST_F(TextEditTest, AWrappingFigureBreaksALongLineBetweenWords)
{
    CFigure* c = fx.AddBox(600, 1500, 120, 450, "");
    c->m_props.Behavior.low |= 0x8000;
    Save();
    view->BeginTextEdit(c, 0, false, CPoint(), 0, -1);
    ASSERT_NE(Editor(), nullptr);
    Type("one two three four five six seven eight nine ten");
    EXPECT_EQ(g_beeps, 0);
    const std::string text = Section(c);
    EXPECT_NE(text.find("\\softline "), std::string::npos) << text;
    std::string plain = text;
    MarkupToPlainText(plain);
    EXPECT_EQ(plain.find("one two"), 0u) << plain;
    Key(Qt::Key_Escape);
    ExpectUndoToSaved(UDMAC_TEXTEDIT);
}

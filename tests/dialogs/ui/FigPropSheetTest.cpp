// The figure Properties sheet on one figure and on two: one value changed
// per page reaches exactly that property of the selection, in one undo step
// that restores the saved diagram; Cancel and Escape change nothing; Apply
// then Cancel keeps what was applied, and all the sheet's Applies undo as one.
#include "FigSheetFixture.h"

#include "dialogs/sheets/CFTabBehaviors.h"
#include "dialogs/sheets/CFTabConnect.h"
#include "dialogs/sheets/CFTabFill.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabText.h"
#include "document/ChoiceTables.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "frame/ui/CMainFrame.h"
#include "graphics/DrawHelpers.h"
#include "platform/Ansi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "controls/CCheckListCtrl.h"

namespace {
constexpr COLORREF kRed = 0x0404FC;   // the palette's red

// Only lines of the changed figure's record differ, and not many.
void ExpectFewNewLines(const std::string& before, const std::string& after, size_t most)
{
    const auto lines = NewLines(before, after);
    EXPECT_GE(lines.size(), 1u);
    EXPECT_LE(lines.size(), most) << after;
}
} // namespace

TEST_F(FigSheetTest, WidthOnOneFigureChangesOnlyThatAndUndoesInOneStep)
{
    fx.doc.Select(a);
    Save();
    const CRect before = b->m_rect;
    const int result = RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        EXPECT_FALSE(s.Button(ID_APPLY_NOW)->isEnabled());
        auto* width = Item<CNumEdit>(s, CFTabGeneral::IDC_WIDTH);
        EXPECT_EQ(width->text(), "2 in");
        TypeInto(width, "3");
        EXPECT_TRUE(s.Button(ID_APPLY_NOW)->isEnabled());
        ShootPages(s, "FigProps_OneFigure");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(a->m_rect.Width(), 768);
    EXPECT_EQ(a->m_rect.Height(), 256);
    EXPECT_EQ(b->m_rect, before);
    ExpectFewNewLines(saved, Text(), 2);
    EXPECT_EQ(Steps(), 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

TEST_F(FigSheetTest, CancelAndEscapeChangeNothing)
{
    fx.doc.Select(a);
    Save();
    for (bool escape : {false, true}) {
        const int result = RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "General");
            QWidget* width = Item(s, CFTabGeneral::IDC_WIDTH);
            TypeInto(width, "5");
            if (escape)
                QTest::keyClick(width, Qt::Key_Escape);
            else
                ClickButton(s, IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(Text(), saved);
        EXPECT_EQ(Steps(), 0);
    }
}

// Apply, another change, Apply, then Cancel: both changes stay, and they
// were recorded as one step whose undo restores the saved diagram.
TEST_F(FigSheetTest, AppliesThenCancelKeepChangesAsOneUndoStep)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        TypeInto(Item(s, CFTabGeneral::IDC_HEIGHT), "2");
        ClickButton(s, ID_APPLY_NOW);
        EXPECT_FALSE(s.Button(ID_APPLY_NOW)->isEnabled());
        ShowPage(s, "Text");
        PickColor(s, CFTabText::IDC_TEXT_COLOR, kRed);
        ClickButton(s, ID_APPLY_NOW);
        TypeInto(Item(s, CFTabText::IDC_TEXT), "Omega");
        ClickButton(s, ID_APPLY_NOW);
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(a->m_rect.Height(), 512);
    EXPECT_EQ(a->m_props.TextColor, kRed);
    EXPECT_EQ(a->m_strText, "Omega");
    EXPECT_EQ(Steps(), 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// Two figures of different sizes: the size fields start empty, a colour
// chosen reaches both, Enter is OK, and neither size moves.
TEST_F(FigSheetTest, MixedSelectionChangesOnlyTheChosenColour)
{
    b->m_rect.right = b->m_rect.left + 700;
    fx.doc.Select(a);
    fx.doc.Select(b);
    Save();
    const CRect ra = a->m_rect, rb = b->m_rect;
    const int result = RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        EXPECT_TRUE(Item<CNumEdit>(s, CFTabGeneral::IDC_WIDTH)->text().isEmpty());
        EXPECT_TRUE(Item<CNumEdit>(s, CFTabGeneral::IDC_LEFT)->text().isEmpty());
        PickColor(s, CFTabGeneral::IDC_TEXT_COLOR, kRed);
        ShootPages(s, "FigProps_Mixed");
        auto* bind = Item(s, CFTabGeneral::IDC_BIND);
        bind->setFocus();
        QTest::keyClick(bind, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(a->m_props.TextColor, kRed);
    EXPECT_EQ(b->m_props.TextColor, kRed);
    EXPECT_EQ(a->m_rect, ra);
    EXPECT_EQ(b->m_rect, rb);
    EXPECT_EQ(Steps(), 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// Integer fields show their limits as whole numbers (the angle without
// percent signs) and keep the sheet open on a refused value.
TEST_F(FigSheetTest, OutOfRangeNumbersShowTheirMessageAndBlockOk)
{
    fx.doc.Select(a);
    Save();
    const int result = RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        TypeInto(Item(s, CFTabGeneral::IDC_BORDER_WIDTH), "100");
        ClickButton(s, IDOK);
        ASSERT_TRUE(s.isVisible());
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text, "Enter a valid border width between 0 and 72");
        TypeInto(Item(s, CFTabGeneral::IDC_BORDER_WIDTH), "1");
        ShowPage(s, "Fill");
        Click(Item(s, CFTabFill::IDC_LINEAR));
        TypeInto(Item(s, CFTabFill::IDC_ANGLE), "400");
        ClickButton(s, ID_APPLY_NOW);
        EXPECT_EQ(prompt.shown.back().text, "Enter a valid angle between 0 and 359");
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Text(), saved);
}

// The presets are the fill choice table's names, so each one is found again;
// a gradient chosen by its radio reaches the figure.
TEST_F(FigSheetTest, FillPresetsComeFromTheTableAndGradientApplies)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        auto* presets = Item<QComboBox>(s, CFTabFill::IDC_PRESETS);
        std::vector<std::string> names;
        for (int i = 0; i < presets->count(); ++i)
            names.push_back(QStringToAnsi(presets->itemText(i)));
        EXPECT_EQ(names, FillChoices().ComboNames(true, {}));
        for (const std::string& name : names) {
            if (name != " ") {
                EXPECT_GE(FillChoices().FindByName(name), 0) << name;
            }
        }
        Click(Item(s, CFTabFill::IDC_ELLIPTICAL));
        EXPECT_FALSE(Item(s, CFTabFill::IDC_PLATFORM)->isVisible());
        EXPECT_TRUE(Item(s, CFTabFill::IDC_SPREAD)->isVisible());
        Click(Item(s, CFTabFill::IDC_LINEAR));
        EXPECT_TRUE(Item(s, CFTabFill::IDC_ANGLE)->isVisible());
        ShootPages(s, "FigProps_Fill");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_props.m_fill.m_nKind, 2);
    EXPECT_EQ(b->m_props.m_fill.m_nKind, 1);
    EXPECT_EQ(Steps(), 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// "Width snaps to grid" and "Left and right edges snap to grid" exclude
// each other; the switch reaches the figure.
TEST_F(FigSheetTest, BehaviorSwitchesExcludeTheirPartner)
{
    a->m_props.Behavior.high |= 0x1;
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Behaviors");
        auto* list = Item<CCheckListCtrl>(s, CFTabBehaviors::IDC_CHECKS);
        EXPECT_EQ(list->GetCheck(4), 1);
        list->setFocus();
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_EQ(list->GetCheck(2), 1);
        EXPECT_EQ(list->GetCheck(4), 0);
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_props.Behavior.high & 0x81, 0x80u);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// The text box buttons have nothing to do and stay off; typed text replaces
// the box's text.
TEST_F(FigSheetTest, TextPageEditsTheTextAndOffersNoDeadButtons)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Text");
        EXPECT_FALSE(Item(s, CFTabText::IDC_ADD)->isEnabled());
        EXPECT_FALSE(Item(s, CFTabText::IDC_DELETE)->isEnabled());
        EXPECT_EQ(Item<QPlainTextEdit>(s, CFTabText::IDC_TEXT)->toPlainText(), "Alpha");
        TypeInto(Item(s, CFTabText::IDC_TEXT), "Gamma");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_strText, "Gamma");
    EXPECT_EQ(b->m_strText, "Beta");
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// A point added on the Connections page reaches the figure; with two
// figures the page is off. The document's positioning switch follows OK
// only, never Cancel.
TEST_F(FigSheetTest, ConnectionPointsAndPositioningSwitches)
{
    fx.doc.Select(a);
    Save();
    const int points = a->m_pConPts ? a->m_pConPts->GetCount() : 0;
    const int snap = fx.doc.m_bAlignToGridConPts;
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        Click(Item(s, CFTabConnect::IDC_SNAP_GRID));
        ClickButton(s, IDCANCEL);
    });
    EXPECT_EQ(fx.doc.m_bAlignToGridConPts, snap);
    EXPECT_FALSE(fx.doc.IsModified());
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        QTest::mouseClick(Item<QPushButton>(s, CFTabConnect::IDC_ADD), Qt::LeftButton);
        Click(Item(s, CFTabConnect::IDC_SNAP_GRID));
        ShootPages(s, "FigProps_Connections");
        ClickButton(s, IDOK);
    });
    ASSERT_TRUE(a->m_pConPts);
    EXPECT_EQ(a->m_pConPts->GetCount(), points + 1);
    EXPECT_EQ(fx.doc.m_bAlignToGridConPts, !snap);
    EXPECT_TRUE(fx.doc.IsModified());

    fx.doc.Select(b);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        EXPECT_FALSE(Item(s, CFTabConnect::IDC_ADD)->isEnabled());
        EXPECT_FALSE(Item(s, CFTabConnect::IDC_SNAP_GRID)->isEnabled());
    });
}

// Label properties open on the Text page and have no Connections page.
TEST_F(FigSheetTest, LabelPropertiesStartOnTextWithoutConnections)
{
    CFigProps props;
    props.Symbol = fx.boxSymbol;
    auto* label = new CFigure(256, 1024, 128, 512, props, -1, 1, "Note", "", CFigure::CreateArgs(), &fx.doc);
    fx.doc.AddFigWithId(label);
    fx.doc.Select(label);
    Save();
    RunProps(true, [&](CFTabSheet& s) {
        EXPECT_EQ(s.windowTitle(), "Label Properties");
        QTabWidget* tabs = s.GetTabControl();
        ASSERT_EQ(tabs->count(), 4);
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Text");
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_NE(tabs->tabText(i), "Connections");
        PickColor(s, CFTabText::IDC_TEXT_COLOR, kRed);
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(label->m_props.TextColor, kRed);
    EXPECT_NE(a->m_props.TextColor, kRed);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// The figure properties sheet opens on the page the last one was left on;
// label properties still open on Text.
TEST_F(FigSheetTest, PropertiesReopenOnThePageLastShown)
{
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        ClickButton(s, IDCANCEL);
    });
    RunProps(false, [&](CFTabSheet& s) {
        QTabWidget* tabs = s.GetTabControl();
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Fill");
        ShowPage(s, "General");
    });
    RunProps(false, [&](CFTabSheet& s) {
        QTabWidget* tabs = s.GetTabControl();
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "General");
    });
}

// Several figures: the sheet opens with its corner at the last right click
// in a view (one figure opens beside itself instead).
TEST_F(FigSheetTest, SeveralFiguresOpenTheSheetAtTheLastRightClick)
{
    CMainFrame frame;
    auto* view = new CKavoView(&fx.doc);
    frame.AddViewFrame(view, "d");
    GetContextMenuSeams().showMenu = [](const ContextMenu&, const CPoint&) {};
    ShowContextMenu(*view, CPoint(30, 40));
    const CPoint click = GetRightClickPoint();
    ASSERT_FALSE(click.x == 0 || click.y == 0);
    fx.doc.DeselectAll();
    fx.doc.Select(a);
    fx.doc.Select(b);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        // At the click, as far as the main window lets it be there.
        CRect at(click.x, click.y, click.x + s.frameGeometry().width(), click.y + s.frameGeometry().height());
        KeepRectInMainWnd(at);
        EXPECT_EQ(s.frameGeometry().topLeft(), QPoint(at.left, at.top));
        s.reject();
    });
    // Also forgets the click.
    ResetContextMenuSeams();
}

// "Drop shadow" needs a fill; for one figure also a symbol with an ordinary
// outline (a special shape draws no shadow); several figures may take it.
TEST_F(FigSheetTest, DropShadowFollowsTheFillAndTheSymbol)
{
    const struct {
        bool filled, special, several, enabled;
    } cases[] = {
        {true, false, false, true},
        {false, false, false, false},
        {true, true, false, false},
        {true, true, true, true},
        {false, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.filled << c.special << c.several);
        fx.doc.m_figSymbols.GetAt(fx.boxSymbol)->Reshape = c.special ? 1 : 0;
        for (CFigure* f : {a, b})
            f->m_props.m_fill.m_nKind = c.filled ? 1 : 0;
        fx.doc.DeselectAll();
        fx.doc.Select(a);
        if (c.several)
            fx.doc.Select(b);
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "General");
            EXPECT_EQ(Item(s, CFTabGeneral::IDC_SHADOW)->isEnabled(), c.enabled);
            s.reject();
        });
    }
    fx.doc.m_figSymbols.GetAt(fx.boxSymbol)->Reshape = 0;
}

// Text that held formatting is replaced only after question 652, asked once
// per sheet; No puts the text back as it was.
TEST_F(FigSheetTest, FormattedTextAsksOnceBeforeItIsReplaced)
{
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        a->m_strText = "\\b Alpha\\b0 ";
        fx.doc.DeselectAll();
        fx.doc.Select(a);
        Save();
        CRecordingPrompt answers;
        answers.QueueAnswer(answer);
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "Text");
            TypeInto(Item(s, CFTabText::IDC_TEXT), "Gamma");
            ClickButton(s, ID_APPLY_NOW);
            EXPECT_EQ(a->m_strText, answer == IDYES ? "Gamma" : "\\b Alpha\\b0 ");
            TypeInto(Item(s, CFTabText::IDC_TEXT), "Delta");
            ClickButton(s, IDOK);
        });
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text.rfind("The text contained multiple fonts before editing", 0), 0u);
        EXPECT_EQ(a->m_strText, "Delta");
    }
}

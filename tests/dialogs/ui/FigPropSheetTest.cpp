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
#include "controls/CFigPreviewWnd.h"
#include "controls/CStyleButtons.h"
#include "controls/CTextDropButton.h"
#include "controls/StylePickCategories.h"
#include "shapes/CFigStyle.h"
#include "controls/PreviewMapping.h"
#include "core/Units.h"
#include "document/FigPropValues.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>

namespace {
constexpr COLORREF kRed = 0x0404FC;   // the palette's red

// Only lines of the changed figure's record differ, and not many.
void ExpectFewNewLines(const std::string& before, const std::string& after, size_t most)
{
    const auto lines = NewLines(before, after);
    EXPECT_GE(lines.size(), 1u);
    EXPECT_LE(lines.size(), most) << after;
}
// A figure style of the box symbol, listed in the style pickers; its index.
int AddBoxStyle(DiagramFixture& fx, const char* name)
{
    CFigStyle style;
    style.m_strName = name;
    style.m_props.Symbol = fx.boxSymbol;
    style.InMenu = 1;
    return fx.doc.AddNewFigStyle(style) ? fx.doc.m_figStyles.FindByName(name) : -1;
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

// Switching "Line too long" to or from Wrap turns the working text's hard
// line breaks into soft ones and back; a switch between the other two keeps
// them. (Applying it, the document converts the stored text for its own
// reflow flag.)
TEST_F(FigSheetTest, WrapSwitchConvertsTheTextsLineBreaks)
{
    const struct {
        DWORD from;
        int to;
        const char* text;
        bool soft;
    } cases[] = {
        {0x8000, CFTabBehaviors::IDC_PREVENT, "One\\line Two", true},
        {0x10000, CFTabBehaviors::IDC_WRAP, "One \\softline Two", false},
        {0x10000, CFTabBehaviors::IDC_EXPAND_H, "One \\softline Two", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        a->m_strText = c.text;
        a->m_props.Behavior.low = (a->m_props.Behavior.low & ~DWORD(0x1C000)) | c.from;
        fx.doc.DeselectAll();
        fx.doc.Select(a);
        Save();
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "Behaviors");
            Click(Item(s, c.to));
            const std::string& text = s.Data().text;
            EXPECT_EQ(text.find("softline") != std::string::npos, c.soft) << text;
            EXPECT_NE(text.find("Two"), std::string::npos);
            ClickButton(s, IDOK);
        });
        fx.doc.UndoLastStep();
        EXPECT_EQ(Text(), saved);
    }
}

// The Connections page opens on the point last current on any Connections
// page; the preview's "Add" puts a point where the user right-clicked.
TEST_F(FigSheetTest, ConnectionsPageReopensOnItsPointAndAddsWhereClicked)
{
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(Item<QPushButton>(s, CFTabConnect::IDC_ADD), Qt::LeftButton);
        auto* spin = Item<QSpinBox>(s, CFTabConnect::IDC_SPIN);
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Down);
        ClickButton(s, IDOK);
    });
    ASSERT_TRUE(a->m_pConPts);
    ASSERT_EQ(a->m_pConPts->GetCount(), 3);
    EXPECT_EQ(CFTabConnect::LastPointId(), a->m_pConPts->GetIdAt(1));
    CPoint clicked;
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        auto* page = qobject_cast<CFTabConnect*>(s.ActivePage());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->CurrentPoint(), 1);
        EXPECT_EQ(Item<QLabel>(s, CFTabConnect::IDC_COUNT)->text(), "(2 of 3)");
        auto* preview = Item<CFigPreviewWnd>(s, CFTabConnect::IDC_PREVIEW);
        const CRect r = preview->GetDrawingRect();
        const CPoint at(r.left + r.Width() / 4, r.top + r.Height() * 3 / 4);
        clicked = ThousandthsInRect(r, at);
        // The menu offers only "Add" away from the points.
        QTimer::singleShot(0, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        });
        QTest::mouseClick(preview, Qt::RightButton, {}, QPoint(at.x, at.y));
        EXPECT_EQ(page->CurrentPoint(), 3);
        ClickButton(s, IDOK);
    });
    ASSERT_EQ(a->m_pConPts->GetCount(), 4);
    double x = clicked.x, y = clicked.y;
    ScaleFloatPair2048(x, y);
    const CConPt* added = a->m_pConPts->GetAt(3);
    EXPECT_NEAR(added->m_pos.x, x, 0.01);
    EXPECT_NEAR(added->m_pos.y, y, 0.01);
    fx.doc.UndoLastStep();
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// A lane-like figure (high flag 4) keeps its points on the centre line
// along its longer side: Add goes along that line, and snapping to centres
// and edges is off.
TEST_F(FigSheetTest, LaneLikeFigureAddsAlongItsCentreLine)
{
    const struct {
        DWORD high;
        int w, h;
        bool snapCentres;
        double x, y;   // the second added point, on the 1000 grid
    } cases[] = {
        {0, 512, 256, true, 100, 500},
        {4, 512, 256, false, 100, 500},
        {4, 256, 512, false, 500, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.high << " " << c.w << "x" << c.h);
        CFigure* f = fx.AddBox(2048, 2048, c.w, c.h, "");
        f->m_props.Behavior.high = (f->m_props.Behavior.high & ~DWORD(4)) | c.high;
        fx.doc.DeselectAll();
        fx.doc.Select(f);
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "Connections");
            EXPECT_EQ(Item(s, CFTabConnect::IDC_SNAP_CENTERS)->isEnabled(), c.snapCentres);
            for (int i = 0; i < 2; ++i)
                QTest::mouseClick(Item<QPushButton>(s, CFTabConnect::IDC_ADD), Qt::LeftButton);
            ClickButton(s, IDOK);
        });
        ASSERT_TRUE(f->m_pConPts);
        ASSERT_EQ(f->m_pConPts->GetCount(), 2);
        double x = c.x, y = c.y;
        ScaleFloatPair2048(x, y);
        EXPECT_NEAR(f->m_pConPts->GetAt(1)->m_pos.x, x, 0.01);
        EXPECT_NEAR(f->m_pConPts->GetAt(1)->m_pos.y, y, 0.01);
    }
}

// The centre field edits the centre of the blend shown (the platform blend
// has its own); a fill equal to a preset shows the preset's name, any other
// fill " ".
TEST_F(FigSheetTest, FillCentreFollowsTheBlendAndPresetsAreFoundAgain)
{
    BuildChoiceTables();
    ASSERT_FALSE(FillChoices().ComboNames(false, {}).empty());
    CFillSpec& fill = a->m_props.m_fill;
    fill.m_nKind = 2;
    fill.m_nVariant = 0;
    fill.m_nFocus = 30;
    fill.m_nBand = 70;
    fill.m_nAngle = 17;
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        EXPECT_EQ(Item<QComboBox>(s, CFTabFill::IDC_PRESETS)->currentText(), " ");
        auto* centre = Item<CNumEdit>(s, CFTabFill::IDC_CENTER);
        EXPECT_TRUE(centre->text().startsWith("30")) << centre->text().toStdString();
        Click(Item(s, CFTabFill::IDC_PLATFORM));
        EXPECT_TRUE(centre->text().startsWith("70")) << centre->text().toStdString();
        TypeInto(centre, "55");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(fill.m_nVariant, 2);
    EXPECT_EQ(fill.m_nBand, 55);
    EXPECT_EQ(fill.m_nFocus, 30);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);

    for (const std::string& name : FillChoices().ComboNames(false, {})) {
        SCOPED_TRACE(name);
        CFillSpec preset;
        ASSERT_TRUE(FillChoices().ApplyByName(preset, name, nullptr));
        fill = preset;
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "Fill");
            EXPECT_EQ(QStringToAnsi(Item<QComboBox>(s, CFTabFill::IDC_PRESETS)->currentText()), name);
            s.reject();
        });
    }
}

// While the style picker's palette is open the "Based on style" combo shows
// the style under the pointer; closing the palette without a choice shows
// the figure's own style again and changes nothing.
TEST_F(FigSheetTest, StylePickerShowsTheStyleUnderThePointer)
{
    const int green = AddBoxStyle(fx, "Green");
    ASSERT_GE(green, 0);
    ASSERT_GE(AddBoxStyle(fx, "Blue"), 0);
    a->m_nStyle = green;
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "General");
        auto* combo = Item<QComboBox>(s, CFTabGeneral::IDC_BASED_ON);
        EXPECT_EQ(combo->currentText(), "Green");
        auto* picker = Item<CStylePickerButton>(s, CFTabGeneral::IDC_PICKER);
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
        if (QMenu* menu = picker->TopMenu())
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().front()).center());
        CPalettePopup* palette = picker->CategoryPopup(0);
        ASSERT_TRUE(palette && palette->isVisible());
        // The first cell that is not the figure's own style.
        UINT cell = CategoryCommand(0, 0);
        if (picker->ValueOfCommand(cell) == green)
            cell = CategoryCommand(0, 1);
        const CFigStyle* shown = fx.doc.m_figStyles.GetAt(picker->ValueOfCommand(cell));
        ASSERT_NE(shown, nullptr);
        QTest::mouseMove(palette, palette->ItemRect(cell).center());
        EXPECT_EQ(QStringToAnsi(combo->currentText()), shown->m_strName);
        QTest::mouseMove(palette, QPoint(-20, -20));
        EXPECT_EQ(combo->currentText(), "Green");
        QTest::mouseMove(palette, palette->ItemRect(cell).center());
        EXPECT_EQ(QStringToAnsi(combo->currentText()), shown->m_strName);
        QTest::keyClick(palette, Qt::Key_Escape);
        EXPECT_FALSE(palette->isVisible());
        EXPECT_EQ(combo->currentText(), "Green");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_nStyle, green);
    EXPECT_EQ(Text(), saved);
}

// Each behaviour switch sets exactly its flags ("Keep sized to text" both of
// its bits) and nothing else.
TEST_F(FigSheetTest, BehaviorSwitchesSetTheirOwnFlags)
{
    const struct {
        int item;
        DWORD low, high;
    } cases[] = {
        {0, 0, 0x10},          {1, 0, 0x20},          {2, 0, 0x80},         {3, 0, 0x40},
        {4, 0, 0x1},           {5, 0, 0x2},           {6, 0, 0x100},        {7, 0, 0x200},
        {8, 0x180, 0},         {9, 0x400000, 0},      {10, 0x800000, 0},    {11, 0x40000000, 0},
        {12, 0x20000000, 0},
    };
    // Every switch off to start with.
    a->m_props.Behavior.low &= ~DWORD(0x60C00180);
    a->m_props.Behavior.high &= ~DWORD(0x3F3);
    fx.doc.Select(a);
    Save();
    const FigFlagSet before = a->m_props.Behavior;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "Behaviors");
            auto* list = Item<CCheckListCtrl>(s, CFTabBehaviors::IDC_CHECKS);
            list->setFocus();
            list->setCurrentRow(c.item);
            QTest::keyClick(list, Qt::Key_Space);
            ClickButton(s, IDOK);
        });
        EXPECT_EQ(a->m_props.Behavior.low ^ before.low, c.low);
        EXPECT_EQ(a->m_props.Behavior.high ^ before.high, c.high);
        fx.doc.UndoLastStep();
        EXPECT_EQ(Text(), saved);
    }
}

// The 512th point can be added; then Add is off.
TEST_F(FigSheetTest, AddStopsAtTheLastPoint)
{
    a->m_pConPts = std::make_unique<CConPtList>();
    for (int i = 0; i < CFTabConnect::kMaxPoints - 1; ++i)
        a->m_pConPts->AddConPt(CFltPoint(float(i % 40) * 50, float(i / 40) * 100), "", 0, true, -1);
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        auto* add = Item<QPushButton>(s, CFTabConnect::IDC_ADD);
        EXPECT_TRUE(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_FALSE(add->isEnabled());
        EXPECT_EQ(Item<QLabel>(s, CFTabConnect::IDC_COUNT)->text(), "(512 of 512)");
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(a->m_pConPts->GetCount(), CFTabConnect::kMaxPoints);
}

// "Based on style" over two figures of different styles: the empty entry
// keeps each figure's style, "<none>" makes the working style -1, a style
// gives both that style. The combo lists the styles, then the empty entry,
// then "<none>".
TEST_F(FigSheetTest, BasedOnStyleEntriesForTwoFigures)
{
    const int green = AddBoxStyle(fx, "Green");
    const int blue = AddBoxStyle(fx, "Blue");
    ASSERT_GE(green, 0);
    ASSERT_GE(blue, 0);
    a->m_nStyle = green;
    b->m_nStyle = blue;
    const struct {
        std::vector<Qt::Key> keys;
        const char* entry;
        bool styleFlag;
        int sheetStyle;     // the working style, when the flag is set
        int a, b;           // after OK
    } cases[] = {
        {{Qt::Key_Down, Qt::Key_Up}, "", false, 0, green, blue},
        {{Qt::Key_Down}, "<none>", true, -1, green, blue},
        {{Qt::Key_Up}, "Blue", true, blue, blue, blue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        fx.doc.DeselectAll();
        fx.doc.Select(a);
        fx.doc.Select(b);
        Save();
        RunProps(false, [&](CFTabSheet& s) {
            ShowPage(s, "General");
            auto* combo = Item<QComboBox>(s, CFTabGeneral::IDC_BASED_ON);
            EXPECT_EQ(combo->currentText(), "");
            combo->setFocus();
            for (Qt::Key key : c.keys)
                QTest::keyClick(combo, key);
            EXPECT_EQ(combo->currentText(), c.entry);
            EXPECT_EQ(s.Data().mask.m_bSheet[kSheetStyle] != 0, c.styleFlag);
            if (c.styleFlag) {
                EXPECT_EQ(s.Data().style, c.sheetStyle);
            }
            // The document takes no style away: "<none>" is only looked at.
            ClickButton(s, c.sheetStyle == -1 ? IDCANCEL : IDOK);
        });
        EXPECT_EQ(a->m_nStyle, c.a);
        EXPECT_EQ(b->m_nStyle, c.b);
        if (Steps() > 0)
            fx.doc.UndoLastStep();
        EXPECT_EQ(Text(), saved);
    }
}

// The angle list alone sets the angle; an elliptical gradient drops the
// platform blend that only a linear one has.
TEST_F(FigSheetTest, AngleListAndEllipticalKindReachTheFill)
{
    CFillSpec& fill = a->m_props.m_fill;
    fill.m_nKind = 2;
    fill.m_nVariant = 2;
    fill.m_nAngle = 17;
    fx.doc.Select(a);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        auto* angles = Item<CTextDropButton>(s, CFTabFill::IDC_ANGLE_LIST);
        QTest::mousePress(angles, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(angles->Popup() && angles->Popup()->isVisible());
        const QPoint at = angles->Popup()->ItemRect(kPaletteFirstId + 1).center(); // "45\tDiagonal"
        QTest::mouseMove(angles->Popup(), at);
        QTest::mouseClick(angles->Popup(), Qt::LeftButton, {}, at);
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(fill.m_nAngle, 45);
    EXPECT_EQ(fill.m_nVariant, 2);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);

    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Fill");
        Click(Item(s, CFTabFill::IDC_ELLIPTICAL));
        EXPECT_TRUE(Item<QRadioButton>(s, CFTabFill::IDC_BLEND_LINEAR)->isChecked());
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(fill.m_nKind, 3);
    EXPECT_EQ(fill.m_nVariant, 0);
    fx.doc.UndoLastStep();
    EXPECT_EQ(Text(), saved);
}

// A label takes the text behaviours but neither the expansion groups nor
// "Preserve aspect ratio" and "Active container".
TEST_F(FigSheetTest, LabelBehaviorsLeaveOutExpansionAspectAndContainer)
{
    CFigProps props;
    props.Symbol = fx.boxSymbol;
    auto* label = new CFigure(256, 1024, 128, 512, props, -1, 1, "Note", "", CFigure::CreateArgs(), &fx.doc);
    fx.doc.AddFigWithId(label);
    fx.doc.Select(label);
    RunProps(true, [&](CFTabSheet& s) {
        ShowPage(s, "Behaviors");
        const struct {
            int id;
            bool enabled;
        } radios[] = {
            {CFTabBehaviors::IDC_PREVENT, true}, {CFTabBehaviors::IDC_EXPAND_V, true},
            {CFTabBehaviors::IDC_RIGHT, false},  {CFTabBehaviors::IDC_UP, false},
        };
        for (const auto& r : radios)
            EXPECT_EQ(Item(s, r.id)->isEnabled(), r.enabled) << r.id;
        auto* list = Item<CCheckListCtrl>(s, CFTabBehaviors::IDC_CHECKS);
        for (int i = 0; i < CFTabBehaviors::kItems; ++i)
            EXPECT_EQ(list->IsItemEnabled(i), i != 9 && i != 12) << i;
        s.reject();
    });
}

// With several figures a radio group shows no choice until it is changed;
// OK untouched changes nothing.
TEST_F(FigSheetTest, SeveralFiguresShowNoChoiceInTheBehaviorGroups)
{
    a->m_props.Behavior.low = (a->m_props.Behavior.low & ~DWORD(0x1C000)) | 0x8000;
    b->m_props.Behavior.low = (b->m_props.Behavior.low & ~DWORD(0x1C000)) | 0x10000;
    fx.doc.Select(a);
    fx.doc.Select(b);
    Save();
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Behaviors");
        for (int id : {CFTabBehaviors::IDC_PREVENT, CFTabBehaviors::IDC_EXPAND_H, CFTabBehaviors::IDC_WRAP,
                       CFTabBehaviors::IDC_PREVENT_LINES, CFTabBehaviors::IDC_RIGHT, CFTabBehaviors::IDC_UP,
                       CFTabBehaviors::IDC_CENTER_V})
            EXPECT_FALSE(Item<QRadioButton>(s, id)->isChecked()) << id;
        ClickButton(s, IDOK);
    });
    EXPECT_EQ(Text(), saved);
}

// Deleting the last point makes the one before it current; deleting the
// only point leaves none.
TEST_F(FigSheetTest, DeletingTheLastPointMakesThePreviousCurrent)
{
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        auto* add = Item<QPushButton>(s, CFTabConnect::IDC_ADD);
        auto* del = Item<QPushButton>(s, CFTabConnect::IDC_DELETE);
        auto* count = Item<QLabel>(s, CFTabConnect::IDC_COUNT);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_EQ(count->text(), "(3 of 3)");
        QTest::mouseClick(del, Qt::LeftButton);
        EXPECT_EQ(count->text(), "(2 of 2)");
        QTest::mouseClick(del, Qt::LeftButton);
        QTest::mouseClick(del, Qt::LeftButton);
        EXPECT_EQ(count->text(), "(0 of 0)");
        EXPECT_FALSE(del->isEnabled());
        s.reject();
    });
}

// A figure without symbol or picture takes no connection points: its
// Connections page is off.
TEST_F(FigSheetTest, FigureWithoutShapeHasItsConnectionsPageOff)
{
    a->m_props.Symbol = -1;
    fx.doc.Select(a);
    RunProps(false, [&](CFTabSheet& s) {
        ShowPage(s, "Connections");
        for (int id : {CFTabConnect::IDC_ADD, CFTabConnect::IDC_SNAP_GRID, CFTabConnect::IDC_TERMINATE,
                       CFTabConnect::IDC_SNAP_CENTERS})
            EXPECT_FALSE(Item(s, id)->isEnabled()) << id;
        s.reject();
    });
}

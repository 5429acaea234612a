// Insert Symbol with the diagram's dominant look, loop connectors, Edit Text,
// Delete and Cut: the document side of the commands, with the windows'
// seams answered by the test.
#include "DocSnapshot.h"
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/DocCommandSeams.h"
#include "document/DocCommands.h"
#include "shapes/DividedShapeTestSupport.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

namespace {


struct CommandsTest : testing::Test {
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    CFigSymbol chosen;

    void SetUp() override
    {
        chosen = *doc.m_figSymbols.GetAt(fx.boxSymbol);
        chosen.SetName("oval");
        GetDocCommandSeams().symbolGallery = [this](CFigSymbol& s) {
            s = chosen;
            return true;
        };
        SmartDefaults = 0;
    }
    CFigure* Inserted()
    {
        const int before = doc.GetObjCount();
        if (!OnInsertSymbol(doc) || doc.GetObjCount() != before + 1)
            return nullptr;
        return static_cast<CFigure*>(doc.m_pObjList->GetAt(doc.GetObjCount() - 1));
    }
};

} // namespace

TEST_F(CommandsTest, InsertSymbolAddsOneUndoableFigure)
{
    g_nUIMode = 2;
    const std::string before = FullSnapshot(doc);
    CFigure* f = Inserted();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->m_props.Symbol, doc.m_figSymbols.FindByName("oval"));
    // The constructor takes the height first: 96 high, 128 wide.
    EXPECT_EQ(f->m_rect.Height(), 96);
    EXPECT_EQ(f->m_rect.Width(), 128);
    // Selected though the setting is off, and the setting is left off.
    EXPECT_TRUE(f->m_bSelected);
    EXPECT_EQ(SelectAfterFigureCreate, 0);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_INSFROMGALLERY);
    doc.UndoLastStep();
    EXPECT_EQ(FullSnapshot(doc), before);

    // A symbol with both sizes of its own gets them.
    chosen.Height = 40;
    chosen.Width = 300;
    f = Inserted();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->m_rect.Height(), 40);
    EXPECT_EQ(f->m_rect.Width(), 300);
    chosen.Width = 0;
    f = Inserted();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->m_rect.Width(), 128);

    GetDocCommandSeams().symbolGallery = [](CFigSymbol&) { return false; };
    EXPECT_FALSE(OnInsertSymbol(doc));
    GetDocCommandSeams().symbolGallery = nullptr;
    EXPECT_FALSE(OnInsertSymbol(doc));
}

TEST_F(CommandsTest, InsertSymbolPictureFlagDecidesAspectAndSnapping)
{
    for (int fixed : {0, 1}) {
        SCOPED_TRACE(fixed);
        chosen.FixedAspect = fixed;
        CFigure* f = Inserted();
        ASSERT_NE(f, nullptr);
        const FigFlagSet& b = f->m_props.Behavior;
        EXPECT_EQ((b.low & 0x400000) != 0, fixed == 1);
        EXPECT_EQ((b.high & 128) != 0, fixed == 0);
        EXPECT_EQ((b.high & 64) != 0, fixed == 0);
    }
}

TEST_F(CommandsTest, InsertSymbolTakesTheDominantLookButKeepsItsSymbol)
{
    SmartDefaults = 1;
    for (int i = 0; i < 5; ++i)
        fx.AddBox(i * 400, 0, 200, 100, "", 0x00FF00)->m_props.BorderColor = i < 4 ? 0x0000FF : 0xFF0000;
    CFigure* f = Inserted();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->m_props.m_fill.m_crColor1, 0x00FF00u);   // 5 of 5
    EXPECT_EQ(f->m_props.BorderColor, 0x0000FFu);         // 4 of 5: 80 percent
    // The boxes' symbol dominates, yet the new figure shows the chosen one.
    EXPECT_EQ(f->m_props.Symbol, doc.m_figSymbols.FindByName("oval"));
}

TEST_F(CommandsTest, DominantLookCountsFiguresThenStyles)
{
    struct Case {
        const char* what;
        std::vector<COLORREF> borders;   // of the figures
        const char* prefix;
        COLORREF expected;
    };
    const COLORREF kStart = 0x123456;
    const Case cases[] = {
        {"all alike", {1, 1, 1}, nullptr, 1},
        {"four of five", {2, 2, 2, 2, 3}, nullptr, 2},
        {"three of five", {2, 2, 2, 3, 3}, nullptr, kStart},
        {"three of four: short of 80 percent", {2, 2, 2, 3}, nullptr, kStart},
        {"more than four values", {4, 5, 6, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8}, nullptr, 8},
        {"no figure of the prefix: the styles", {9, 9}, "zz", kStart},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        DiagramFixture local;
        for (COLORREF c : k.borders)
            local.AddBox(0, 0, 100, 100, "")->m_props.BorderColor = c;
        // Labels and junctions have no say.
        CFigure* label = local.AddBox(0, 0, 100, 100, "");
        label->m_bLabel = 1;
        label->m_props.BorderColor = 77;
        CFigure* jct = local.doc.CreateFigAt(POINT{900, 900}, 1);
        jct->m_props.BorderColor = 77;
        local.Connect(label, jct);
        CFigProps p;
        p.BorderColor = kStart;
        local.doc.ApplyDominantProps(p, k.prefix);
        EXPECT_EQ(p.BorderColor, k.expected);
    }
    // Without figures the figure styles are tallied, not the label styles.
    DiagramFixture empty;
    for (int i = 0; i < 3; ++i) {
        CFigStyle* s = empty.doc.m_figStyles.NewEntry();
        ASSERT_NE(s, nullptr);
        s->SetName("s" + std::to_string(i));
        s->Label = i == 2 ? 1 : 0;
        s->m_props.BorderColor = i == 2 ? 0x0B : 0x0A;
    }
    CFigProps p;
    p.BorderColor = kStart;
    empty.doc.ApplyDominantProps(p, nullptr);
    EXPECT_EQ(p.BorderColor, 0x0Au);
}

TEST_F(CommandsTest, InsertSymbolSetsUpSpecialShapesInsideItsStep)
{
    chosen = Framed(BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)}));
    chosen.SetName("box r3");
    doc.m_nFigMarginMode = 1;
    doc.m_nFigMarginLeft = 20;
    doc.m_nFigMarginRight = 40;
    doc.m_nFigMarginTop = 3;
    doc.m_nFigMarginBottom = 6;
    doc.ResetUndoLog();
    const std::string before = FullSnapshot(doc);
    CFigure* f = Inserted();
    ASSERT_NE(f, nullptr);
    // Each margin on its own side: the right one (40) is wider than the
    // left one (20), which the top one (3) in its place would not be.
    CRect box;
    ASSERT_TRUE(f->GetTextAreaRect(0, box));
    EXPECT_GT(f->m_rect.right - box.right, box.left - f->m_rect.left);
    EXPECT_EQ(doc.UndoLogRef().m_nUndoSteps, 1);
    doc.UndoLastStep();
    EXPECT_EQ(FullSnapshot(doc), before);
}

TEST_F(CommandsTest, AddSelfRefIsOneStepOrNone)
{
    CFigure* fig = fx.AddBox(0, 0, 400, 300, "");
    doc.ResetUndoLog();
    const std::string before = FullSnapshot(doc);
    // No way to make the loop: nothing changes and no step stays.
    EXPECT_FALSE(doc.AddSelfRef(fig, 1, 104));
    EXPECT_FALSE(doc.CanUndo());
    // A maker that changed something before failing: the step is undone.
    GetDocCommandSeams().makeSelfLoopCon = [](CKavoDoc& d, CFigure& f, const std::vector<POINT>&) {
        d.SetFigRect(&f, CRect(5, 5, 405, 305));
        return static_cast<CConnector*>(nullptr);
    };
    EXPECT_FALSE(doc.AddSelfRef(fig, 1, 104));
    EXPECT_EQ(FullSnapshot(doc), before);
    EXPECT_FALSE(doc.CanUndo());
    // A loop made: one step that undo takes back.
    std::vector<POINT> seen;
    GetDocCommandSeams().makeSelfLoopCon = [&](CKavoDoc& d, CFigure& f, const std::vector<POINT>& pts) {
        seen = pts;
        return d.CreateCon(&f, nullptr, -1, -1, pts.front(), pts[1], -1, CConProps());
    };
    EXPECT_TRUE(doc.AddSelfRef(fig, 2, 104));
    EXPECT_EQ(seen.size(), 8u);
    EXPECT_EQ(doc.GetConCount(), 1);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ADDSELFREF);
    EXPECT_EQ(FullSnapshot(doc), before);
    // Bad arguments never reach the maker.
    seen.clear();
    EXPECT_FALSE(doc.AddSelfRef(fig, 0, 104));
    EXPECT_FALSE(doc.AddSelfRef(nullptr, 1, 104));
    EXPECT_TRUE(seen.empty());
}

TEST_F(CommandsTest, EditTextOpensTheEditorOrTheTextPage)
{
    CFigure* fig = fx.AddBox(0, 0, 400, 300, "A");
    FakeEditorView view;
    FakeAppContext ctx;
    SetAppContext(&ctx);
    struct Opened {
        int area = -2;
        bool page = false;
    } opened;
    DocCommandSeams& seams = GetDocCommandSeams();
    seams.openTextEditor = [&](CKavoDoc&, CFigure&, int area) { opened.area = area; };
    seams.openTextPage = [&](CKavoDoc&, CFigure&) { opened.page = true; };
    seams.cursorLogicalPos = [](POINT& p) {
        p = POINT{5000, 5000};   // over no text area
        return true;
    };
    doc.Select(fig);
    EXPECT_FALSE(OnEditText(doc));   // no active view
    ctx.view = &view;
    view.editorOpen = true;
    EXPECT_FALSE(OnEditText(doc));
    view.editorOpen = false;
    EXPECT_TRUE(OnEditText(doc));
    EXPECT_EQ(opened.area, 0);
    EXPECT_FALSE(opened.page);
    // A figure whose text cannot grow it is edited in the sheet.
    fig->m_props.Behavior.low &= ~DWORD(0x4000 | 0x20000);
    EXPECT_TRUE(OnEditText(doc));
    EXPECT_TRUE(opened.page);
    // Two figures with text: no single one to edit.
    doc.Select(fx.AddBox(600, 0, 100, 100, "B"));
    EXPECT_FALSE(OnEditText(doc));
    EXPECT_FALSE(GetDocCommandState(doc, 32787).enabled);
    SetAppContext(nullptr);
}

TEST_F(CommandsTest, DeleteAndCutTheSelection)
{
    CFigure* a = fx.AddBox(0, 0, 200, 100, "A");
    CFigure* b = fx.AddBox(600, 0, 200, 100, "B");
    fx.AddBox(0, 600, 200, 100, "C");
    fx.Connect(a, b);
    doc.ResetUndoLog();
    doc.Select(a);
    const std::string before = FullSnapshot(doc);
    // The connector on the deleted figure goes with it.
    OnEditClear(doc);
    EXPECT_EQ(doc.GetObjCount(), 2);
    EXPECT_EQ(doc.GetConCount(), 0);
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DELOBJS);
    EXPECT_EQ(FullSnapshot(doc), before);
    doc.UndoLogRef().ResetUndoLog();
    doc.ClearSelection();
    OnEditClear(doc);   // nothing selected: no step
    EXPECT_FALSE(doc.CanUndo());

    // Cut needs the clipboard copy.
    doc.Select(b);
    EXPECT_FALSE(GetDocCommandState(doc, 57635).enabled);
    const std::string uncut = FullSnapshot(doc);
    EXPECT_FALSE(OnEditCut(doc));
    EXPECT_EQ(FullSnapshot(doc), uncut);
    int copies = 0;
    GetDocCommandSeams().copySelection = [&](CKavoDoc&) { return ++copies == 1 ? 0 : 1; };
    EXPECT_TRUE(GetDocCommandState(doc, 57635).enabled);
    {
        CRecordingPrompt prompt;
        EXPECT_FALSE(OnEditCut(doc));
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, "Unable to copy to the clipboard");
    }
    EXPECT_EQ(doc.GetObjCount(), 4);
    EXPECT_FALSE(doc.CanUndo());
    const std::string selected = FullSnapshot(doc);
    EXPECT_TRUE(OnEditCut(doc));
    EXPECT_EQ(doc.GetObjCount(), 2);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CUTOBJS);
    EXPECT_EQ(FullSnapshot(doc), selected);
}

TEST_F(CommandsTest, RefusedRecordsLeaveNoInsertedFigure)
{
    chosen = Framed(BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)}));
    chosen.SetName("box r3");
    for (int margins : {0, 1})
        for (int refuse = 0; refuse < 6; ++refuse) {
            SCOPED_TRACE(refuse);
            doc.m_nFigMarginMode = margins;
            const std::string before = FullSnapshot(doc);
            CRecordingPrompt prompt;
            prompt.QueueAnswer(IDCANCEL);
            doc.UndoLogRef().m_nRefuseRecordAfter = refuse;
            const bool added = OnInsertSymbol(doc);
            doc.UndoLogRef().m_nRefuseRecordAfter = -1;
            if (!prompt.shown.empty())
                EXPECT_EQ(FullSnapshot(doc), before);
            else
                EXPECT_TRUE(added);
        }
}

TEST_F(CommandsTest, OnlyAPointExactlyAtTheLoopStartRefusesIt)
{
    CFigure* fig = fx.AddBox(0, 0, 400, 300, "");
    std::vector<POINT> pts;
    int fx2 = 500, fy2 = 160;   // kind 2: the centre, 48 below the top
    ScaleIntPair2048(fx2, fy2);
    fig->m_pConPts = std::make_unique<CConPtList>();
    fig->m_pConPts->AddConPt(CFltPoint(float(fx2) + 0.5f, float(fy2)), "", 0, true, 1);
    EXPECT_TRUE(CKavoDoc::MakeSelfRefPoints(fig, 2, 104, pts));
    fig->m_pConPts->AddConPt(CFltPoint(float(fx2), float(fy2)), "", 0, true, 2);
    EXPECT_FALSE(CKavoDoc::MakeSelfRefPoints(fig, 2, 104, pts));
}

TEST_F(CommandsTest, ARefusedClosingRecordLeavesTheNewFigureToItsCaller)
{
    // Records of a plain figure's step: opening, creation, closing.
    for (int refuse = 0; refuse < 3; ++refuse) {
        SCOPED_TRACE(refuse);
        doc.ResetUndoLog();
        const std::string before = FullSnapshot(doc);
        auto* fig = new CFigure(0, 0, 100, 100, CFigProps(), -1, 0, "", "", CFigure::CreateArgs(), &doc);
        CRecordingPrompt prompt;
        prompt.QueueAnswer(IDCANCEL);
        doc.UndoLogRef().m_nRefuseRecordAfter = refuse;
        const CFigure* added = doc.AddNewFig(UDMAC_CREATEFIG, fig, false);
        doc.UndoLogRef().m_nRefuseRecordAfter = -1;
        EXPECT_EQ(added, nullptr);
        EXPECT_LT(doc.m_pObjList->Find(fig), 0);
        delete fig;   // still the caller's
        EXPECT_EQ(FullSnapshot(doc), before);
        EXPECT_FALSE(doc.CanUndo());
    }
}

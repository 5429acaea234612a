// What a figure is (plain figure, label of each kind, junction, picture
// figure) and the rules that read it: text rotation, free labels, text
// areas; moving with and without snap requests; aspect-keeping resizes.
#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "platform/GlobalMem.h"
#include "shapes/CFigSymbol.h"

#include <functional>

namespace {
// A figure symbol with the given number of text boxes and a drawn outline.
int AddSymbol(CKavoDoc& doc, const char* name, int textBoxes)
{
    CFigSymbol* s = doc.m_figSymbols.NewEntry();
    s->SetName(name);
    s->m_nTextBoxes = textBoxes;
    s->m_nFillPos = 0;   // not blank: a figure drawn with it is never a junction
    return doc.m_figSymbols.GetCount() - 1;
}
} // namespace

TEST_F(DocTest, FigureClassesFollowLabelConnectorsPictureAndGroup)
{
    const int oneArea = AddSymbol(doc, "one area", 1);
    const int twoAreas = AddSymbol(doc, "two areas", 2);
    CStaple conLabel(&doc, kStapleConLabel);
    CGroup group;
    HGLOBAL picture = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(picture, nullptr);

    struct Row {
        const char* what;
        std::function<void(CFigure&)> setup;
        bool freeLabel, canRotate, plain, visible, withoutCons, textAreas;
    };
    const Row rows[] = {
        {"plain figure", [](CFigure&) {}, false, false, true, true, true, true},
        {"figure with a connector", [](CFigure& f) { f.m_nConnected = 1; }, false, false, true, true, false, true},
        {"grouped figure", [&](CFigure& f) { f.m_pGroup = &group; }, false, false, false, true, true, true},
        {"free label", [](CFigure& f) { f.m_bLabel = 1; }, true, true, false, false, false, true},
        {"label with a connector",
         [](CFigure& f) {
             f.m_bLabel = 1;
             f.m_nConnected = 1;
         },
         false, false, false, false, false, true},
        {"connector label",
         [&](CFigure& f) {
             f.m_bLabel = 1;
             f.m_pStaple = &conLabel;
         },
         false, false, false, false, false, true},
        {"label of two text areas",
         [&](CFigure& f) {
             f.m_bLabel = 1;
             f.m_props.Symbol = twoAreas;
         },
         true, false, false, false, false, true},
        {"picture label",
         [&](CFigure& f) {
             f.m_bLabel = 1;
             f.m_props.m_nGraphicType = 2;
             f.m_props.Graphic = picture;
         },
         true, false, false, false, false, false},
        {"junction",
         [](CFigure& f) {
             f.m_props.Symbol = 0;   // blank symbol
             f.SetText("", "", -1);
             f.m_nConnected = 1;
         },
         false, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        CFigure* f = NewFig(doc, 0, 0, "text");
        f->m_props.Symbol = oneArea;
        r.setup(*f);
        EXPECT_EQ(f->IsFreeLabel(), r.freeLabel) << r.what;
        EXPECT_EQ(f->CanRotateText(), r.canRotate) << r.what;
        EXPECT_EQ(f->IsPlainFig(), r.plain) << r.what;
        EXPECT_EQ(f->IsVisibleFig(), r.visible) << r.what;
        EXPECT_EQ(f->IsFigWithoutCons(), r.withoutCons) << r.what;
        EXPECT_EQ(f->HasTextAreas(), r.textAreas) << r.what;
        f->m_pStaple = nullptr;
        f->m_pGroup = nullptr;
        f->m_props.Graphic = nullptr;
        f->m_props.m_nGraphicType = 0;
        delete f;
    }
    GlobalFree(picture);
}

TEST_F(DocTest, SecondTextFollowsTheSectionsOnlyWithTwoTextAreas)
{
    const int oneArea = AddSymbol(doc, "one area", 1);
    const int twoAreas = AddSymbol(doc, "two areas", 2);
    struct Row {
        int symbol;
        const char* second;
    } rows[] = {{oneArea, "x"}, {twoAreas, "x\\sect y"}};
    for (const Row& r : rows) {
        CFigure* f = NewFig(doc, 0, 0);
        f->m_props.Symbol = r.symbol;
        f->SetText("a", "x", -1);
        f->SetText("b", "y", 1);
        EXPECT_EQ(f->m_strText, "a\\sect b") << r.symbol;
        EXPECT_EQ(f->m_strSecondText, r.second) << r.symbol;
        delete f;
    }
}

TEST_F(DocTest, MovingDropsSnapRequestsUnlessAskedToKeepThem)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 16;
    CFigure* f = NewFig(doc, 0, 0);
    f->m_props.Behavior.high |= kSnapHighX | kSnapHighY | kSnapHighGuideX | kSnapHighGuideY;
    const FigFlagSet word = f->m_props.Behavior;
    CFigure kept(*f);

    EXPECT_TRUE(f->Offset(7, 5, false, true));
    EXPECT_EQ(f->m_rect, CRect(7, 5, 207, 105)) << "moved exactly, not snapped";
    EXPECT_EQ(f->m_props.Behavior, word);

    kept.Offset(7, 5, true, true);
    EXPECT_NE(kept.m_rect.TopLeft(), CPoint(7, 5)) << "the kept requests snap the move to the grid";
    EXPECT_EQ(kept.m_rect.Size(), CSize(200, 100));
    EXPECT_EQ(kept.m_props.Behavior, word);
    delete f;
}

TEST_F(DocTest, AspectOnEveryHandleRetriesToTheHeight)
{
    CFigure* f = NewFig(doc, 0, 0);   // 200 x 100
    f->m_props.Behavior = FigFlagSet{0x800000, 0};
    struct Row {
        int handle, x, y;
        CSize size;
    } rows[] = {
        {6, 400, 50, CSize(400, 200)},    // fitted to the width
        {8, 100, 300, CSize(600, 300)},   // the width stays: fitted to the height instead
        {9, 400, 300, CSize(400, 200)},
    };
    for (const Row& r : rows) {
        CRect out;
        f->Resize(out, r.handle, r.x, r.y, false);
        EXPECT_EQ(out.Size(), r.size) << r.handle;
    }
    EXPECT_EQ(f->m_props.Behavior, (FigFlagSet{0x800000, 0}));
    delete f;
}

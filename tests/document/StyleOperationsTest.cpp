#include "DocTestSupport.h"
#include "common/TestSupport.h"

#include "document/FigPictureOutline.h"
#include "shapes/DividedShapeTestSupport.h"

#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

namespace {

class StyleOpsTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        doc.m_figStyles.RemoveAll();
    }
    int Add(const std::string& name, int label, const std::string& category = "")
    {
        CFigStyle s;
        s.SetName(name);
        s.Label = label;
        s.Category = category;
        s.InMenu = 1;
        s.HasButton = 1;
        EXPECT_TRUE(doc.AddNewFigStyle(s));
        return doc.m_figStyles.FindByName(name);
    }
    CFigure* FigOfStyle(int style)
    {
        CFigure* f = NewFig(doc, 0, 0);
        f->m_nStyle = style;
        EXPECT_TRUE(doc.AddFigWithId(f));
        return f;
    }
    // A step in the undo log, to see whether an operation reset it.
    void LogSomething()
    {
        CFigure* f = FigOfStyle(-1);
        doc.UndoBeginStep(UDMAC_MOVEOBJS);
        doc.SetFigRect(f, CRect(5, 5, 50, 50));
        doc.UndoEndStep();
        ASSERT_TRUE(doc.CanUndo());
    }
};

} // namespace

// Figure and label styles share one library: deleting any entry moves every
// index the document holds onto the same style, or to -1.
TEST_F(StyleOpsTest, DeletingKeepsEveryHeldIndexOnItsStyle)
{
    struct Case {
        int deleted;
        int curFig, curLbl, slot;
        int wantFig, wantLbl, wantSlot;
    };
    // Library: 0 figure a, 1 label b, 2 figure c, 3 label d.
    const Case cases[] = {
        {0, 2, 1, 3, 1, 0, 2},
        {1, 2, 1, 3, 1, -1, 2},
        {2, 2, 3, 0, -1, 2, 0},
        {3, 0, 3, 1, 0, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deleted);
        doc.m_figStyles.RemoveAll();
        for (auto [n, l] : {std::pair{"a", 0}, {"b", 1}, {"c", 0}, {"d", 1}})
            Add(n, l);
        const std::string figName = doc.m_figStyles.GetAt(c.curFig)->m_strName;
        doc.SetCurFigStyle(c.curFig);
        doc.SetCurLblStyle(c.curLbl);
        doc.m_styleSlots[0] = c.slot;
        CFigure* user = FigOfStyle(2);
        CFigure* other = FigOfStyle(c.deleted);
        ASSERT_TRUE(doc.DeleteFigStyle(c.deleted));
        EXPECT_EQ(doc.m_nCurFigStyle, c.wantFig);
        EXPECT_EQ(doc.m_nCurLblStyle, c.wantLbl);
        EXPECT_EQ(doc.m_styleSlots[0], c.wantSlot);
        if (c.wantFig >= 0) {
            EXPECT_EQ(doc.m_curFigStyle.m_strName, figName);
        }
        if (c.deleted != 2) {
            EXPECT_EQ(doc.m_figStyles.GetAt(user->m_nStyle)->m_strName, "c");
        }
        EXPECT_EQ(other->m_nStyle, -1);
        EXPECT_EQ(other->m_props.BindToStyle, 0);
        doc.DeleteContents();
        ASSERT_TRUE(doc.OnNewDocument());
    }
    EXPECT_FALSE(doc.DeleteFigStyle(99));
}

TEST_F(StyleOpsTest, DeletingALabelStyleEmptiesTheNamesThatUsedIt)
{
    const int b = Add("b", 1);
    Add("keep", 1);
    doc.m_strConLabelStyle = "b";
    doc.m_strAutoLabelStyle = "keep";
    LogSomething();
    ASSERT_TRUE(doc.DeleteFigStyle(b));
    EXPECT_EQ(doc.m_strConLabelStyle, "");
    EXPECT_EQ(doc.m_strAutoLabelStyle, "keep");
    EXPECT_FALSE(doc.CanUndo());   // style edits reset the undo log
    EXPECT_FALSE(doc.m_lblMenu.HasStyle("b"));
}

TEST_F(StyleOpsTest, RenamingFollowsThroughNamesAndLayouts)
{
    const int a = Add("a", 1, "Notes");
    Add("b", 1);
    doc.m_strFlowLabelStyle = "a";
    doc.InitStyleMenus();
    ASSERT_EQ(doc.m_lblButtons.FindName("a"), 0);
    LogSomething();
    EXPECT_EQ(doc.RenameFigStyle(a, "a"), 1);   // unchanged: the log stays
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_EQ(doc.RenameFigStyle(a, "b"), 0);
    EXPECT_EQ(doc.RenameFigStyle(a, ""), 0);
    EXPECT_EQ(doc.RenameFigStyle(-1, "x"), 0);
    EXPECT_EQ(doc.RenameFigStyle(a, std::string(31, 'n')), 0);
    EXPECT_EQ(doc.RenameFigStyle(a, "z"), 1);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.m_figStyles.GetAt(a)->m_strName, "z");
    EXPECT_EQ(doc.m_strFlowLabelStyle, "z");
    EXPECT_EQ(doc.m_lblButtons.FindName("z"), 0);   // where "a" stood
    EXPECT_TRUE(doc.m_lblMenu.HasStyle("z"));
    EXPECT_FALSE(doc.m_lblMenu.HasStyle("a"));
}

TEST_F(StyleOpsTest, AddingAndReplacing)
{
    CRecordingPrompt prompt;
    const int a = Add("a", 0, "(no category)");
    EXPECT_EQ(doc.m_figStyles.GetAt(a)->Category, "");
    CFigStyle dup;
    dup.SetName("a");
    EXPECT_FALSE(doc.AddNewFigStyle(dup));
    dup.SetName("");
    EXPECT_FALSE(doc.AddNewFigStyle(dup));
    doc.m_figStyles.FailAppendsForTest(true);
    dup.SetName("new");
    EXPECT_FALSE(doc.AddNewFigStyle(dup));
    doc.m_figStyles.FailAppendsForTest(false);
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to add another figure style");

    CFigure* follows = FigOfStyle(a);
    CFigure* own = FigOfStyle(a);
    own->m_props.BindToStyle = 0;
    CFigStyle next = *doc.m_figStyles.GetAt(a);
    next.SetName("ignored");
    next.m_props.BorderColor = 0x123456;
    next.Description = std::string(100, 'd');
    ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
    EXPECT_EQ(doc.m_figStyles.GetAt(a)->m_strName, "a");
    EXPECT_EQ(doc.m_figStyles.GetAt(a)->Description.size(), 80u);
    EXPECT_EQ(follows->m_props.BorderColor, 0x123456u);
    EXPECT_NE(own->m_props.BorderColor, 0x123456u);
    EXPECT_FALSE(doc.ReplaceFigStyle(7, next));
}

TEST_F(StyleOpsTest, CommonSelectionStyleIsAQuery)
{
    const int a = Add("a", 0), b = Add("b", 0), l = Add("l", 1);
    CFigure* f1 = FigOfStyle(a);
    CFigure* f2 = FigOfStyle(a);
    CFigure* lbl = FigOfStyle(l);
    lbl->m_bLabel = 1;
    EXPECT_EQ(doc.GetCommonSelStyle(false), -1);
    for (CFigure* f : {f1, f2, lbl})
        doc.AddFigToSel(f, 2, false);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.GetCommonSelStyle(false), a);
    EXPECT_EQ(doc.GetCommonSelStyle(true), l);
    EXPECT_FALSE(doc.IsModified());
    f2->m_nStyle = b;
    EXPECT_EQ(doc.GetCommonSelStyle(false), -1);
    f2->m_nStyle = -1;
    EXPECT_EQ(doc.GetCommonSelStyle(false), -1);
}

// A replaced style reaches the figures that follow it: the text gets the room
// it needs, the connectors follow the new rectangle, and a special shape of
// the same kind keeps each figure's own symbol.
TEST_F(StyleOpsTest, ReplacingAStyleReachesItsFiguresAndTheirConnectors)
{
    const auto symbol = [&](const char* name, int reshape) {
        CFigSymbol* sym = doc.m_figSymbols.NewEntry();
        *sym = BoxR3With({CFltRect(100, 100, 1948, 1948)});
        sym->Reshape = reshape;
        sym->SetName(name);
        return doc.m_figSymbols.GetCount() - 1;
    };
    const int plain = symbol("plain box", 0), specialA = symbol("special a", 3), specialB = symbol("special b", 3);
    const int a = Add("a", 0);
    CFigure* f = FigOfStyle(a);
    f->m_props = doc.m_figStyles.GetAt(a)->m_props;
    f->m_props.BindToStyle = 1;
    f->m_props.Symbol = plain;
    f->m_strText = "a text a good deal wider than the figure that holds it";
    f->m_rect = CRect(0, 0, 20, 20);
    CFigure* other = FigOfStyle(-1);
    other->m_rect = CRect(400, 0, 500, 100);
    CConnector* c = NewCon(doc, f, other);
    ASSERT_TRUE(doc.AddConWithId(c));

    CFigStyle next = *doc.m_figStyles.GetAt(a);
    next.m_props.Symbol = plain;
    next.m_props.BorderColor = 0x123456;
    ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
    EXPECT_EQ(f->m_props.BorderColor, 0x123456u);
    EXPECT_NE(f->m_rect, CRect(0, 0, 20, 20)) << "the text needs more room";
    const CPoint end1 = c->EndPoint1, end2 = c->EndPoint2;
    doc.RelayAttachedCons(f);
    EXPECT_EQ(c->EndPoint1, end1) << "the connector already follows the figure";
    EXPECT_EQ(c->EndPoint2, end2);

    struct Case {
        int styleSymbol, figSymbol, newSymbol, kept;
    };
    const Case cases[] = {
        {specialA, specialB, specialA, specialB},   // same special kind: the figure's own
        {plain, specialB, specialA, specialA},      // from a plain symbol: the style's
        {specialA, plain, plain, plain},
    };
    for (const Case& k : cases) {
        next.m_props.Symbol = k.styleSymbol;
        ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
        f->m_props.Symbol = k.figSymbol;
        next.m_props.Symbol = k.newSymbol;
        ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
        EXPECT_EQ(f->m_props.Symbol, k.kept) << k.styleSymbol << " -> " << k.newSymbol;
    }
}

// A style's new picture reaches its figures with its own outline: the old
// picture's outline goes, the new one is traced with fitted bounds.
TEST_F(StyleOpsTest, AStylesPictureReachesItsFiguresWithItsOutline)
{
    const int a = Add("a", 0);
    HGLOBAL pic = GlobalAlloc(GHND, 4);
    ASSERT_TRUE(doc.m_graphics.AddUse(2, pic));
    CFigure* f = FigOfStyle(a);
    f->m_props.BindToStyle = 1;
    f->m_props.m_nGraphicType = 2;
    f->m_props.Graphic = pic;
    const CFltPoint square[] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    ASSERT_GT(f->m_outline.SetPoints(4, square), 0);

    static int traced = 0;
    const FigOutlineFromPictureFn saved = g_pfnFigOutlineFromPicture;
    g_pfnFigOutlineFromPicture = [](CFigure&) { ++traced; };
    CFigStyle next = *doc.m_figStyles.GetAt(a);
    next.m_props.m_nGraphicType = 0;
    next.m_props.Graphic = nullptr;
    ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
    EXPECT_FALSE(f->HasPicture());
    EXPECT_FALSE(f->m_outline.HasPoints()) << "the old picture's outline went with it";
    EXPECT_EQ(doc.m_graphics.GetUses(pic), 0);
    EXPECT_EQ(traced, 0);

    HGLOBAL other = GlobalAlloc(GHND, 4);
    ASSERT_TRUE(doc.m_graphics.AddUse(3, other));
    next.m_props.m_nGraphicType = 3;
    next.m_props.Graphic = other;
    ASSERT_TRUE(doc.ReplaceFigStyle(a, next));
    EXPECT_EQ(f->m_props.Graphic, other);
    EXPECT_EQ(traced, 1);
    g_pfnFigOutlineFromPicture = saved;
}

// Fitting figures and labels to their text.
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupPositions.h"
#include "richtext/TextFitting.h"
#include "document/CConnector.h"
#include "shapes/DividedShapeSetup.h"
#include "shapes/DividedShapeTestSupport.h"
#include "shapes/FigFlags.h"

#include "RichTextTestSupport.h"
#include "common/FakeAppContext.h"

#include <gtest/gtest.h>

namespace {

constexpr int kAdv = 21;   // Liberation Mono at 10 points

class FigureFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        whole = AddBoxSymbol(doc, {CFltRect(0, 0, 100, 100)});
        twoAreas = AddBoxSymbol(doc, {CFltRect(0, 0, 100, 50), CFltRect(0, 50, 100, 100)});
    }
    CFigure* Make(int symbol, const std::string& text, int w, int h, DWORD fitBits = 0)
    {
        CFigProps props = BoxProps(symbol);
        props.Behavior.low = fitBits;
        auto* f = new CFigure(100, 100, h, w, props, -1, 0, text, "", CFigure::CreateArgs(), &doc);
        EXPECT_TRUE(doc.AddFig(f));
        return f;
    }
    int LineHeight()
    {
        CFigure* probe = Make(whole, "x", 10, 10, kFitWidthFlag | kFitHeightFlag);
        CTextBlock b;
        EXPECT_TRUE(LayoutSectionText(*probe, 0, nullptr, b));
        return b.GetTotalHeight();
    }
    CKavoDoc doc;
    int whole = 0, twoAreas = 0;
};

TEST_F(FigureFit, FitBitsDecideGrowingAndShrinking)
{
    const int lineH = LineHeight();
    struct {
        const char* text;
        DWORD bits;
        int w, h;
        int wantW, wantH;
    } cases[] = {
        {"", 0, 300, 200, 300, 200},                               // no text keeps its size
        {"abcd", 0, 300, 200, 300, 200},                            // room enough: kept
        {"abcd", kFitWidthFlag | kFitHeightFlag, 300, 200, 4 * kAdv, lineH},   // follows the text
        {"abcd", kFitHeightFlag, 300, 200, 300, lineH},             // only lower
        {"abcdefghijklmnop", 0, 100, 10, 16 * kAdv, lineH},         // grows to one long line
        {"ab\\line cd\\line ef", 0, 10, 10, 2 * kAdv, 3 * lineH},   // many lines
    };
    for (const auto& c : cases) {
        CFigure* f = Make(whole, c.text, c.w, c.h, c.bits);
        ResizeToText(*f, false, nullptr);
        EXPECT_EQ(f->m_rect.Width(), c.wantW) << c.text;
        EXPECT_EQ(f->m_rect.Height(), c.wantH) << c.text;
        EXPECT_EQ(f->m_props.Behavior.low, c.bits);
    }
    // A figure with no text and both fit bits shrinks no further than 8 x 8.
    CFigure* empty = Make(whole, "", 300, 200, kFitWidthFlag | kFitHeightFlag);
    ResizeToText(*empty, false, nullptr);
    EXPECT_EQ(empty->m_rect.Size(), CSize(8, 8));
    // Without the minimum it shrinks below that.
    CFigure* bare = Make(whole, "", 300, 200, kFitWidthFlag | kFitHeightFlag | kFitNoMinimumFlag);
    ResizeToText(*bare, false, nullptr);
    EXPECT_LT(bare->m_rect.Width(), 8);
    EXPECT_LT(bare->m_rect.Height(), 8);
}

TEST_F(FigureFit, WidenByOneThirtyThreePercent)
{
    CFigure* f = Make(whole, "abcdefghij", 10, 10, kFitWidthFlag | kFitHeightFlag);
    ResizeToText(*f, true, nullptr);
    EXPECT_EQ(f->m_rect.Width(), 10 * kAdv * 133 / 100);   // 210 -> 279, not 280
}

TEST_F(FigureFit, MarginsAddToTheExtent)
{
    CFigure* f = Make(whole, "ab", 10, 10, kFitWidthFlag | kFitHeightFlag);
    const int margins[4] = {5, 7, 1, 2};
    ResizeToText(*f, false, margins);
    EXPECT_EQ(f->m_rect.Width(), 2 * kAdv + 12);
    // An arrow kind that takes no side margins.
    const int arrow = AddBoxSymbol(doc, {CFltRect(0, 0, 100, 100)});
    doc.m_figSymbols.GetAt(arrow)->Reshape = 11;
    CFigure* a = Make(arrow, "ab", 10, 10, kFitWidthFlag | kFitHeightFlag);
    ResizeToText(*a, false, margins);
    EXPECT_EQ(a->m_rect.Width(), 2 * kAdv);
    EXPECT_EQ(a->m_rect.Height(), f->m_rect.Height());
}

TEST_F(FigureFit, SeveralAreasGrowOnlyWhereTextOverflows)
{
    const int lineH = LineHeight();
    CFigure* f = Make(twoAreas, "ab\\sect abcdefghijklmnopqrst", 200, 4 * lineH);
    EXPECT_TRUE(FitFigToText(doc, f, 1, false, false, nullptr));
    EXPECT_EQ(f->m_rect.Width(), 20 * kAdv);
    EXPECT_EQ(f->m_rect.Height(), 4 * lineH);
    EXPECT_TRUE(doc.IsModified());
    // Nothing overflows now: no change.
    EXPECT_FALSE(FitFigToText(doc, f, 1, false, false, nullptr));
}

TEST_F(FigureFit, ConnectorsFollowTheResizedFigure)
{
    CFigure* a = Make(whole, "a much longer text than fits", 60, 60);
    CFigure* b = Make(whole, "", 60, 60);
    b->SetRectNoUndo(CRect(2000, 100, 2060, 160));
    CConnector* c = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, CConProps());
    ASSERT_NE(c, nullptr);
    c->RecalcRoute();
    const CPoint before = c->EndPoint1;
    ASSERT_TRUE(FitFigToText(doc, a, 1, false, false, nullptr));
    EXPECT_NE(c->EndPoint1, before);
    EXPECT_GE(c->EndPoint1.x, a->m_rect.right - 1);
}

TEST_F(FigureFit, NarrowestWidthForAHeight)
{
    const int lineH = LineHeight();
    CFigure* f = Make(whole, "aaa bbb ccc ddd", 400, 400, kFitCompartmentsFlag);
    const int w2 = FitWidthForHeight(*f, 0, 2 * lineH);
    ASSERT_GT(w2, 0);
    EXPECT_LE(MeasureSectionText(*f, 0, w2), 2 * lineH);
    EXPECT_GT(MeasureSectionText(*f, 0, w2 - 1), 2 * lineH);
    // No width brings it under half a line.
    EXPECT_EQ(FitWidthForHeight(*f, 0, lineH / 2), -1);
    EXPECT_EQ(FitWidthForHeight(*Make(whole, "", 10, 10, kFitCompartmentsFlag), 0, 100), 0);
    // Outside compartments the measured width comes back.
    CFigure* plain = Make(whole, "aaa bbb", 400, 400);
    EXPECT_EQ(FitWidthForHeight(*plain, 0, lineH), 7 * kAdv);
}

TEST_F(FigureFit, OneSideAndShrinking)
{
    const int lineH = LineHeight();
    CFigure* f = Make(whole, "aaa bbb ccc", 100, 100);
    CSize size(4 * kAdv + 5, 0);
    CalcSizeForOneSide(*f, size);
    EXPECT_EQ(size.cy, 3 * lineH);
    // Shrinking the font until the text fits the rectangle.
    CFigure* big = Make(whole, "abcdef", 5 * kAdv, 2 * lineH, 0);
    EXPECT_TRUE(ShrinkTextToFit(*big));
    EXPECT_LT(-big->GetFont().lfHeight, 10);
    CRect out;
    EXPECT_FALSE(CalcSizeForText(*big, out, 1, nullptr));
    EXPECT_EQ(GetMinFontSize(*Make(whole, "a\\fs8 b", 10, 10)), 4);
}

TEST_F(FigureFit, AutomaticLabelTakesTheSizeOfItsText)
{
    doc.m_curLblStyle.m_props.Symbol = whole;
    doc.m_curLblStyle.m_props.m_font.m_lf.lfHeight = -10;
    SetLogFontFace(doc.m_curLblStyle.m_props.m_font.m_lf, "Courier New");
    doc.m_curLblStyle.Width = 500;
    doc.m_curLblStyle.Height = 300;
    CFigure* fig = Make(whole, "", 200, 100);
    CFigure* label = doc.AddAutoFigLabel(fig, "abcd");
    ASSERT_NE(label, nullptr);
    // The label's box is the whole figure: the box holds the text extent and
    // the frame margin on every side (the symbol's mapping may round it one
    // unit wider).
    CTextBlock block;
    ASSERT_TRUE(LayoutSectionText(*label, 0, nullptr, block));
    const int room = 2 * TextFrameMargin(block.GetLine(0).height);
    ASSERT_GT(room, 0);
    CRect box;
    ASSERT_TRUE(label->GetTextAreaRect(0, box));
    EXPECT_NEAR(box.Width(), block.GetExtent(false).cx + room, 1);
    EXPECT_GE(box.Width(), block.GetExtent(false).cx + room);
    EXPECT_EQ(box.Height(), block.GetExtent(false).cy + room);
    // Placed below the figure, centred (the default position 8).
    EXPECT_EQ(label->m_rect.top, fig->m_rect.bottom + doc.GetFigLblGap());
    EXPECT_EQ(label->m_rect.CenterPoint().x, fig->m_rect.CenterPoint().x);
}

// A label on the built-in label symbol, which has no text box, shows its text
// in the whole figure: it is sized to the text and the frame margins.
TEST_F(FigureFit, LabelWithoutTextBoxTakesTheSizeOfItsText)
{
    doc.m_curLblStyle.m_props.Symbol = 1;
    doc.m_curLblStyle.m_props.m_font.m_lf.lfHeight = -10;
    SetLogFontFace(doc.m_curLblStyle.m_props.m_font.m_lf, "Courier New");
    CFigure* fig = Make(whole, "", 200, 100);
    CFigure* label = doc.AddAutoFigLabel(fig, "ab\\line abcd");
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(label->GetSymbol()->m_nTextBoxes, 0);
    CTextBlock block;
    ASSERT_TRUE(LayoutSectionText(*label, 0, nullptr, block));
    const int room = 2 * TextFrameMargin(block.GetLine(0).height);
    EXPECT_EQ(label->m_rect.Width(), 4 * kAdv + room);
    EXPECT_EQ(label->m_rect.Height(), block.GetTotalHeight() + room);
}

} // namespace

namespace {

// A figure that wraps its text into its areas re-wraps it whenever its size
// changes: narrower, the text gains soft breaks; wide again, it loses them.
TEST_F(FigureFit, ResizingAWrappingFigureReWrapsItsText)
{
    const std::string text = "aaaa bbbb cccc";
    CFigure* wraps = Make(whole, text, 40 * kAdv, 100, kFigFlagReflowText);
    CFigure* keeps = Make(whole, text, 40 * kAdv, 100);
    EXPECT_EQ(wraps->m_strText, text);
    for (CFigure* f : {wraps, keeps}) {
        CRect narrow = f->m_rect;
        narrow.right = narrow.left + 6 * kAdv;
        f->SetBounds(narrow, true);
    }
    EXPECT_EQ(CountMarkupLines(wraps->m_strText), 3);
    EXPECT_EQ(keeps->m_strText, text);
    // Moving without resizing leaves the text as it is.
    const std::string wrapped = wraps->m_strText;
    CRect moved = wraps->m_rect;
    moved.OffsetRect(30, 30);
    wraps->SetBounds(moved, true);
    EXPECT_EQ(wraps->m_strText, wrapped);
    CRect wide = wraps->m_rect;
    wide.right = wide.left + 40 * kAdv;
    wraps->SetBounds(wide, true);
    EXPECT_EQ(wraps->m_strText, text);
}

} // namespace

namespace {

// A wrapping figure that follows its style wraps its text again in the
// style's new font, at its own size.
TEST_F(FigureFit, AStyleChangeReWrapsTheTextOfItsFigures)
{
    CFigStyle* style = doc.m_figStyles.NewEntry();
    style->Reset();
    style->SetName("Wraps");
    style->m_props = BoxProps(whole);
    style->m_props.Behavior.low = kFigFlagReflowText;
    const int index = doc.m_figStyles.GetCount() - 1;
    CFigure* f = Make(whole, "aaaa bbbb", 10 * kAdv, 400, kFigFlagReflowText);
    f->m_nStyle = index;
    f->m_props.BindToStyle = 1;
    ASSERT_EQ(CountMarkupLines(f->m_strText), 1);
    // Twice the size: the two words no longer share a line of that width.
    style->m_props.m_font.m_lf.lfHeight *= 2;
    doc.UpdateFiguresOfStyle(index, style->m_props.Symbol);
    EXPECT_EQ(f->m_rect.Width(), 10 * kAdv);
    EXPECT_EQ(CountMarkupLines(f->m_strText), 2);
}

} // namespace

namespace {

// Setting up a special shape for the document's text margins (on loading a
// variant, importing styles, changing the margins) wraps the text of a
// wrapping figure into its compartments.
TEST_F(FigureFit, SpecialShapeSetUpWrapsTheTextIntoItsAreas)
{
    CFigSymbol rows = Framed(TemplateSymbol(2));
    rows.SetName("box r3");
    const int symbol = doc.m_figSymbols.AddOrReplace(&rows);
    const std::string text = "aaaa bbbb cccc dddd eeee";
    CFigure* f = Make(symbol, text, 8 * kAdv, 600, kFigFlagReflowText);
    ASSERT_GT(f->GetTextAreaCount(), 1);
    // As read from a file written without soft breaks.
    f->m_strText = text;
    ApplySpecialShapeSettings(doc, 12, 12, 12, 12, false);
    EXPECT_GT(CountMarkupLines(f->m_strText), 1);
}

TEST_F(FigureFit, SpecialShapeSetUpGrowsTheFigureForItsText)
{
    CFigSymbol rows = Framed(TemplateSymbol(2));
    rows.SetName("box r3");
    const int symbol = doc.m_figSymbols.AddOrReplace(&rows);
    const int lineH = LineHeight();
    // Four lines in the middle row of a figure three lines high.
    CFigure* f = Make(symbol, "a\\sect b\\line c\\line d\\line e\\sect f", 10 * kAdv, 3 * lineH);
    const CRect before = f->m_rect;
    ApplySpecialShapeSettings(doc, 12, 12, 12, 12, false);
    EXPECT_GT(f->m_rect.Height(), before.Height());
    EXPECT_EQ(f->m_rect.TopLeft(), before.TopLeft());
    for (int area = 0; area < 3; ++area) {
        CRect box;
        ASSERT_TRUE(f->GetTextAreaRect(area, box));
        EXPECT_GE(box.Height(), MeasureSectionText(*f, area, box.Width())) << area;
    }
    EXPECT_EQ(f->m_strText, "a\\sect b\\line c\\line d\\line e\\sect f");
}

} // namespace

namespace {

// A shape with compartments that follows its text in both dimensions ends
// with every compartment holding its text, the tallest one included. While
// the text is edited a compartment holds its text like an ordinary area; at
// other times compartment text is the shape's to size.
TEST_F(FigureFit, CompartmentsHoldTheirTextAndCountAsSpecialUnlessEdited)
{
    CFigSymbol rows = TemplateSymbol(2);
    rows.SetName("box r3");
    const int symbol = doc.m_figSymbols.AddOrReplace(&rows);
    CFigure* f = Make(symbol, "a\\sect b\\line b\\line b\\line b\\sect c", 20 * kAdv, 400,
                      kFitWidthFlag | kFitHeightFlag);
    ASSERT_EQ(f->GetTextAreaCount(), 3);
    ASSERT_TRUE(ResizeToText(*f, false, nullptr));
    EXPECT_LT(f->m_rect.Width(), 20 * kAdv);
    for (int i = 0; i < 3; ++i) {
        CRect box;
        ASSERT_TRUE(f->GetTextAreaRect(i, box));
        CTextBlock block;
        ASSERT_TRUE(LayoutSectionText(*f, i, nullptr, block));
        EXPECT_GE(box.Height(), block.GetTotalHeight()) << i;
        EXPECT_GE(box.Width(), block.GetExtent(false).cx) << i;
    }

    // Compartment text counts as the shape's unless an edit is running.
    f->m_props.Behavior.low |= kFitCompartmentsFlag;
    FakeEditorView view;
    FakeAppContext ctx;
    ctx.view = &view;
    SetAppContext(&ctx);
    CFigure* plain = Make(whole, "abc", 100, 100, kFitCompartmentsFlag);
    struct {
        bool editing;
        CFigure* fig;
        int section;
        bool special;
    } cases[] = {
        {false, f, 0, true}, {false, f, 2, true}, {true, f, 0, false}, {true, f, 2, false},
        {true, f, 5, true},   // no such compartment
        {true, plain, 0, true},   // a symbol without compartments
    };
    for (const auto& c : cases) {
        view.editorOpen = c.editing;
        EXPECT_EQ(IsSpecialTextArea(*c.fig, c.section), c.special) << c.editing << " " << c.section;
    }
    f->m_props.Behavior.low &= ~kFitCompartmentsFlag;
    EXPECT_FALSE(IsSpecialTextArea(*f, 0));
    SetAppContext(nullptr);
}

} // namespace

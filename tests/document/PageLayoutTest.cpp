// Page settings: margin ranges, the largest tiling, the tiled rectangles and
// one page of them, and the validation pass with and without repair.
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"

#include <gtest/gtest.h>

TEST(PageLayout, PaperConversionsRoundAndSwap)
{
    int w = 0, h = 0;
    PaperToUnits(2100, 2970, 2, w, h); // A4 landscape
    EXPECT_EQ(w, 2993);
    EXPECT_EQ(h, 2117);
    int tw = 0, tl = 0;
    PaperFromUnits(w, h, tw, tl);
    EXPECT_EQ(tw, 2100);
    EXPECT_EQ(tl, 2970);
}

TEST(PageLayout, MarginRangesAndRepairOrder)
{
    CRect paper, printable;
    GetPaperAndPrintableRects(2176, 2816, 1976, 2616, paper, printable);
    EXPECT_EQ(printable, CRect(100, 100, 2076, 2716));
    const MarginRanges r = GetPageMarginRanges(paper, printable);
    EXPECT_EQ(r.leftMin, 100);
    EXPECT_EQ(r.leftMax, 1088);
    EXPECT_EQ(r.topMax, 1408);
    double top = 0, left = 5000, bottom = 128, right = 100;
    EXPECT_FALSE(CheckPageMargins(paper, printable, top, left, bottom, right, false));
    EXPECT_EQ(top, 0); // unchanged without repair
    EXPECT_FALSE(CheckPageMargins(paper, printable, top, left, bottom, right, true));
    EXPECT_EQ(top, 100);
    EXPECT_EQ(left, 1088);
    EXPECT_EQ(bottom, 128);
    // No bound passes ten inches.
    const MarginRanges big = GetPageMarginRangesFromPaperDimensions(20000, 20000, 10000, 10000);
    EXPECT_EQ(big.leftMin, 2560);
    EXPECT_EQ(big.leftMax, 2560);
}

TEST(PageLayout, LargestTilingStaysInTheWorkSpace)
{
    const struct {
        int paper, printable, tiles;
    } cases[] = {{2176, 1976, 6 /* 7 by the formula */}, {2176, 0, 1}, {16000, 15000, 1}, {8000, 6000, 2}};
    for (const auto& c : cases) {
        int rows = 0, cols = 0;
        GetMaxRowsColsFromPaper(c.paper, c.paper, c.printable, c.printable, rows, cols);
        EXPECT_EQ(cols, c.tiles) << c.paper << " " << c.printable;
        EXPECT_EQ(rows, c.tiles);
    }
}

TEST(PageLayout, TiledAreaAndPagesAreNumberedRowByRow)
{
    CKavoDoc doc;
    ResetPageSettings(doc);
    doc.m_rcPrintable = CRect(100, 100, 2076, 2716);
    doc.m_nPosterRows = 3;
    doc.m_nPosterCols = 2;
    CRect area;
    GetPageAreaRect(doc, area);
    EXPECT_EQ(area, CRect(0, 0, doc.m_rcPage.right + 1976, doc.m_rcPage.bottom + 2 * 2616));
    CRect page;
    GetPageRect(doc, 4, page); // index 4: first column, third row
    EXPECT_EQ(page, CRect(100, 100 + 2 * 2616, 2076, 100 + 3 * 2616));
    GetPageRect(doc, 3, page);
    EXPECT_EQ(page.left, 100 + 1976);
    EXPECT_EQ(page.top, 100 + 2616);
}

// The printable area of the tiling: the first sheet's printable rectangle
// extended by its own width and height per further column and row.
TEST(PageLayout, PrintableAreaSpansEveryTile)
{
    CKavoDoc doc;
    ResetPageSettings(doc);
    doc.m_rcPrintable = CRect(100, 100, 2076, 2716);
    struct Case {
        int rows, cols;
        CRect expected;
    } cases[] = {{1, 1, CRect(100, 100, 2076, 2716)},
                 {3, 2, CRect(100, 100, 2076 + 1976, 2716 + 2 * 2616)},
                 {1, 6, CRect(100, 100, 2076 + 5 * 1976, 2716)}};
    for (const Case& c : cases) {
        doc.m_nPosterRows = c.rows;
        doc.m_nPosterCols = c.cols;
        CRect area;
        GetPrintableAreaRect(doc, area);
        EXPECT_EQ(area, c.expected) << c.rows << "x" << c.cols;
    }
}

TEST(PageLayout, ResetKeepsMarginsAndAreaInAgreement)
{
    CKavoDoc doc;
    ResetPageSettings(doc);
    EXPECT_EQ(doc.m_fMarginLeft, 128.0);
    EXPECT_TRUE(SetPageValidate(doc, false));
    CRect area;
    GetMarginAreaRect(doc, area);
    EXPECT_EQ(area, CRect(128, 128, doc.m_rcPage.right - 128, doc.m_rcPage.bottom - 128));
}

TEST(PageLayout, ValidationReportsWithoutRepairAndCorrectsWithIt)
{
    CKavoDoc doc;
    ResetPageSettings(doc);
    doc.m_nPosterRows = 3;
    doc.m_nPosterCols = 9; // never more than 6
    doc.m_nOrientation = 7;
    doc.m_fMarginRight = -5;
    EXPECT_FALSE(SetPageValidate(doc, false));
    EXPECT_EQ(doc.m_nPosterCols, 9);
    EXPECT_EQ(doc.m_nOrientation, 7);
    // Step 9 clamps the margins in either mode.
    EXPECT_EQ(doc.m_fMarginRight, 0);
    EXPECT_FALSE(SetPageValidate(doc, true));
    EXPECT_EQ(doc.m_nPosterRows, 1);
    EXPECT_EQ(doc.m_nPosterCols, 1);
    EXPECT_EQ(doc.m_nOrientation, 1);
    EXPECT_TRUE(SetPageValidate(doc, false));
}

#include "document/PaperSizes.h"

TEST(PaperSizes, TableRowsNamesAndHiddenCodes)
{
    const struct {
        int code, width, length;
        const char* name;
    } rows[] = {{1, 2159, 2794, "Letter 8 1/2 x 11 in"},
                {7, 1841, 2667, "Executive 7 1/4 x 10 1/2 in"},
                {9, 2100, 2970, "A4 210 x 297 mm"},
                {29, 3240, 4580, "Envelope C3  324 x 458 mm"},
                {37, 984, 1905, "Envelope Monarch 3.875 x 7.5 in"},
                {75, 2794, 2159, "Letter Rotated 11 x 8 1/2 11 in"},
                {107, 1510, 970, "PRC 32K Rotated"},
                {118, 4580, 3240, "PRC Env #10 Rotated 458 x 324 mm"}};
    for (const auto& r : rows) {
        int w = 0, l = 0;
        EXPECT_TRUE(LookupPaperSize(r.code, w, l)) << r.code;
        EXPECT_EQ(w, r.width) << r.code;
        EXPECT_EQ(l, r.length) << r.code;
        EXPECT_EQ(GetPaperSizeName(r.code), r.name);
    }
    int w = 0, l = 0;
    EXPECT_FALSE(LookupPaperSize(48, w, l)); // a row without a size
    EXPECT_FALSE(LookupPaperSize(119, w, l));
    EXPECT_EQ(GetPaperSizeName(0), "Unknown");
    int hidden = 0;
    for (int code = 1; code <= 118; ++code)
        hidden += IsPaperSizeHidden(code) ? 1 : 0;
    EXPECT_EQ(hidden, 78);
    EXPECT_FALSE(IsPaperSizeHidden(1));
}

TEST(PaperSizes, DevModeCopyTakesItsOwnLengthAndDevNamesOffsetsAreChecked)
{
    HGLOBAL src = GlobalAlloc(GHND, 64);
    {
        CGlobalLock lock(src);
        lock.data()[36] = 40; // dmSize
        lock.data()[38] = 4;  // dmDriverExtra
    }
    HGLOBAL copy = nullptr;
    CopyDevModeBlock(copy, src);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(GlobalSize(copy), 44u);
    GlobalFree(copy);
    GlobalFree(src);
    const BYTE good[8] = {8, 0, 20, 0, 40, 0, 0, 0};
    const BYTE bad[8] = {8, 0, 20, 0, 0x10, 0x03, 0, 0}; // 784 > 776
    EXPECT_TRUE(IsValidDevNames(good, sizeof good));
    EXPECT_FALSE(IsValidDevNames(bad, sizeof bad));
}

namespace {
// Records what Page Setup's paper list receives; refuses adds after `room`.
struct FakePaperCombo : IPaperSizeCombo {
    std::vector<std::pair<std::string, int>> items;
    size_t room = 1000;
    int resets = 0;
    void ResetContent() override
    {
        ++resets;
        items.clear();
    }
    bool AddPaper(const std::string& name, int code) override
    {
        if (items.size() >= room)
            return false;
        items.emplace_back(name, code);
        return true;
    }
};
} // namespace

TEST(PaperSizes, PageSetupListsFortyPapersInTableOrder)
{
    const int listed[] = {1,  3,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 24, 25, 26, 40, 41,
                          42, 44, 45, 46, 50, 51, 52, 53, 57, 58, 59, 60, 63, 64, 65, 66, 70, 88, 93, 94};
    FakePaperCombo combo;
    combo.items.emplace_back("stale", 0);
    FillPaperSizeCombo(combo);
    ASSERT_EQ(combo.items.size(), std::size(listed));
    for (size_t i = 0; i < std::size(listed); ++i) {
        EXPECT_EQ(combo.items[i].second, listed[i]) << i;
        EXPECT_EQ(combo.items[i].first, GetPaperSizeName(listed[i]));
    }
    EXPECT_EQ(combo.items.front().first, "Letter 8 1/2 x 11 in");
    // The first refused entry ends the list.
    FakePaperCombo full;
    full.room = 3;
    FillPaperSizeCombo(full);
    EXPECT_EQ(full.resets, 1);
    EXPECT_EQ(full.items.size(), 3u);
}

// Setting up special figures for the document's text margins, through fakes
// of the figure and the document.
#include "DividedShapeTestSupport.h"
#include "shapes/DividedShapeSetup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeFigure : public ISpecialFigure {
public:
    CFigSymbol sym = BoxR3With({CFltRect(0, 0, 2048, 500), CFltRect(0, 700, 2048, 1300),
                                CFltRect(0, 1500, 2048, 2000)});
    bool special = true;
    int refuseAt = -1;     // the undo record that is refused (0 text, 1 dimensions)
    bool reflows = false;
    std::vector<std::string> calls;
    int logged = 0;

    bool CanSetUp() const override { return special; }
    bool refuseCopy = false;
    const CFigSymbol* Symbol() const override { return &sym; }
    CFigSymbol* TakeOwnSymbol() override
    {
        calls.push_back("own");
        return refuseCopy ? nullptr : &sym;
    }
    void ReleaseUnchangedSymbol() override { calls.push_back("release"); }
    CRect Rect() const override { return UnitRect(); }
    bool LogUndo(int kind) override
    {
        calls.push_back("log" + std::to_string(kind));
        return logged++ != refuseAt;
    }
    void Redraw() override { calls.push_back("redraw"); }
    void SetModified() override { calls.push_back("modified"); }
    void BlankText() override { calls.push_back("blank"); }
    void RestoreText() override { calls.push_back("restore"); }
    bool ReflowsText() const override { return reflows; }
    void Reflow() override { calls.push_back("reflow"); }
    CFltRect boxAtFirstFit;
    void FitToText(int l, int r, int t, int b) override
    {
        if (calls.back() == "blank")
            boxAtFirstFit = BoxOf(sym, 1);
        calls.push_back("fit" + std::to_string(l) + std::to_string(r) + std::to_string(t) + std::to_string(b));
    }
};

class FakeDoc : public ISpecialShapeDoc {
public:
    int margins[4] = {3, 3, 3, 3};
    int snap[2] = {8, 8};
    bool refuseMargins = false;
    std::vector<FakeFigure> figures = std::vector<FakeFigure>(2);
    std::vector<std::string> calls;

    void GetFigMargins(int& l, int& r, int& t, int& b) const override
    {
        l = margins[0], r = margins[1], t = margins[2], b = margins[3];
    }
    void StoreFigMargins(int l, int r, int t, int b) override
    {
        margins[0] = l, margins[1] = r, margins[2] = t, margins[3] = b;
        snap[0] = snap[1] = 1;   // applying margins may touch the snap spacing
    }
    int FigureCount() const override { return static_cast<int>(figures.size()); }
    ISpecialFigure* Figure(int i) override { return &figures[i]; }
    void ApplyMarginsToStyles(int, int, int, int) override { calls.push_back("styles"); }
    void UndoBeginStep(int code) override { calls.push_back("begin" + std::to_string(code)); }
    bool UndoLogMargins(int l, int, int, int, bool) override
    {
        calls.push_back("margins" + std::to_string(l));
        return !refuseMargins;
    }
    void UndoEndStep() override { calls.push_back("end"); }
    void GetSnapSpacing(int& x, int& y) const override { x = snap[0], y = snap[1]; }
    void SetSnapSpacing(int x, int y) override { snap[0] = x, snap[1] = y; }
};

std::string Join(const std::vector<std::string>& v)
{
    std::string s;
    for (const std::string& e : v)
        s += (s.empty() ? "" : " ") + e;
    return s;
}

} // namespace

TEST(SpecialSetup, FiguresAreFittedTwiceAroundABlankText)
{
    FakeFigure fig;
    fig.reflows = true;
    ASSERT_EQ(InitSpecialShapeFig(fig, 0, 4, 5, 6), 1);
    EXPECT_EQ(Join(fig.calls), "log11 log1 own redraw modified blank fit0345 restore reflow fit0000 release");
    // The blank text is fitted with the boxes one unit inside their rows,
    // and the boxes end inside their rows by the real margins (0 became 1).
    EXPECT_EQ(fig.boxAtFirstFit, CFltRect(1, 601, 2047, 1399));
    EXPECT_EQ(BoxOf(fig.sym, 1), CFltRect(1, 605, 2044, 1394));
}

TEST(SpecialSetup, RefusedRecordsChangeNothing)
{
    for (int refuse : {0, 1}) {
        FakeFigure fig;
        fig.refuseAt = refuse;
        const CFltRect before = BoxOf(fig.sym, 1);
        EXPECT_EQ(InitSpecialShapeFig(fig, 4, 4, 4, 4), 0);
        EXPECT_EQ(Join(fig.calls), refuse == 0 ? "log11" : "log11 log1");
        EXPECT_EQ(BoxOf(fig.sym, 1), before);
    }
    // A copy the library or the log refuses: the shared symbol is never
    // fitted in its place.
    FakeFigure refused;
    refused.refuseCopy = true;
    const CFltRect shared = BoxOf(refused.sym, 1);
    EXPECT_EQ(InitSpecialShapeFig(refused, 4, 4, 4, 4), 0);
    EXPECT_EQ(Join(refused.calls), "log11 log1 own");
    EXPECT_EQ(BoxOf(refused.sym, 1), shared);
    FakeFigure plain;
    plain.special = false;
    EXPECT_EQ(InitSpecialShapeFig(plain, 4, 4, 4, 4), 0);
    EXPECT_TRUE(plain.calls.empty());
}

TEST(SpecialSetup, MarginsAreOneUndoableStep)
{
    FakeDoc doc;
    ASSERT_EQ(SetFigMargins(doc, 0, -2, 5, 6, true), 1);
    EXPECT_EQ(Join(doc.calls), "begin45 margins3 styles end");
    EXPECT_EQ(doc.margins[0] + doc.margins[1], 2);   // 0 and -2 are stored as 1
    EXPECT_EQ(doc.snap[0], 8);                       // the snap spacing comes back
    EXPECT_EQ(doc.figures[1].calls.size(), 10u);      // every figure set up
    FakeDoc zeros;
    ASSERT_EQ(SetFigMargins(zeros, 0, 0, -1, 0, false), 1);
    EXPECT_EQ(std::vector<int>(zeros.margins, zeros.margins + 4), std::vector<int>({1, 1, 1, 1}));
    // A refused margins record: nothing changes.
    FakeDoc refused;
    refused.refuseMargins = true;
    EXPECT_EQ(SetFigMargins(refused, 9, 9, 9, 9, true), 0);
    EXPECT_EQ(refused.margins[0], 3);
    EXPECT_TRUE(refused.figures[0].calls.empty());
}

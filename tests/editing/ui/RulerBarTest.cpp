// The rulers: label texts, tick levels, labels that never touch each other or
// the ticks at any zoom and scroll position, and rulers that follow the view.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CRulerBar.h"
#include "render/ViewPaint.h"

#include <QDir>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {
constexpr int kScreenPixels = 800;
constexpr double kScreenInches = 9.0;

RulerMetrics Metrics(bool metric, double zoom, double offset)
{
    RulerMetrics m;
    m.levels = metric ? 2 : 4;
    const int metricDivisors[5] = {0, 10, 0, 0, 0}, inchDivisors[5] = {0, 2, 2, 2, 0};
    std::copy_n(metric ? metricDivisors : inchDivisors, 5, m.divisors);
    const int units = metric ? kRulerMetricUnits : kRulerInchUnits;
    m.scale = units * kScreenPixels / (kScreenInches * 256) * zoom / 100;
    m.offset = offset;
    return m;
}

QFont RulerFont()
{
    QFont font("Arial");
    font.setPixelSize(10);
    return font;
}

void SaveShot(const QString& name, const QImage& image)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(name + ".png"));
}
} // namespace

TEST(RulerLabelTest, FractionsAndDecimals)
{
    struct Case {
        double value;
        int level;
        bool fraction, full;
        const char* expected;
    } cases[] = {
        {0.25, 2, true, false, "1/4"},   {1.5, 1, true, false, "1/2"},  {1.5, 1, true, true, "1 1/2"},
        {3, 0, true, false, "3"},        {-12, 0, true, false, "-12"},  {0.0625, 3, true, false, "1/16"},
        {0.3, 1, true, false, "0.3"},    {2.5, 1, false, false, ".5"},  {2.5, 1, false, true, "2.5"},
        {-0.5, 1, true, false, "-1/2"},  {7, 0, false, false, "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRulerLabel(c.value, c.level, c.fraction, c.full), c.expected)
            << c.value << " level " << c.level;
}

TEST(RulerLayoutTest, LevelsAreDrawnWhileTheirStepIsFourPixelsOrMore)
{
    // Four levels of divisor 2: steps 40, 20, 10, 5; at scale 30 the fourth
    // step (3.75) is too small.
    struct Case {
        double scale;
        int smallestGap;
    } cases[] = {{40, 5}, {30, 7}, {32, 4}};   // a step of exactly 4 pixels is drawn
    for (const Case& c : cases) {
        RulerMetrics m = Metrics(false, 100, 0);
        m.scale = c.scale;
        const RulerPicture pic = LayOutRuler(QRect(0, 0, 402, 21), m, RulerFont());
        std::set<int> xs;
        for (const QLine& t : pic.ticks)
            xs.insert(t.x1());
        int gap = 1000;
        for (auto it = std::next(xs.begin()); it != xs.end(); ++it)
            gap = std::min(gap, *it - *std::prev(it));
        EXPECT_EQ(gap, c.smallestGap) << c.scale;
    }
}

// Each finer level's ticks are two pixels shorter than the level above:
// 8, 6, 4 and 2 for four levels (a tick under a label may be shorter).
TEST(RulerLayoutTest, EachLevelsTicksAreTwoPixelsShorter)
{
    RulerMetrics m;
    m.levels = 4;
    const int divisors[5] = {0, 2, 2, 2, 0};
    std::copy_n(divisors, 5, m.divisors);
    m.scale = 40;
    const QRect rc(0, 0, 802, 21);
    const RulerPicture pic = LayOutRuler(rc, m, RulerFont());
    int longest[4] = {};
    for (const QLine& t : pic.ticks) {
        const int along = t.x1() - rc.left();
        ASSERT_EQ(along % 5, 0) << along;
        const int level = along % 40 == 0 ? 0 : along % 20 == 0 ? 1 : along % 10 == 0 ? 2 : 3;
        longest[level] = std::max(longest[level], std::abs(t.y2() - t.y1()) + 1);
    }
    EXPECT_EQ(longest[0], 8);
    EXPECT_EQ(longest[1], 6);
    EXPECT_EQ(longest[2], 4);
    EXPECT_EQ(longest[3], 2);
}

TEST(RulerLayoutTest, LabelsNeverTouchEachOtherTheTicksOrTheRulersSides)
{
    const QRect rulers[] = {QRect(21, 0, 720, 21), QRect(0, 21, 21, 560)};
    for (bool metric : {true, false})
        for (double zoom : {10.0, 25.0, 45.0, 50.0, 93.0, 100.0, 400.0, 1000.0})
            for (double offset : {0.0, 104.0, -337.5, 2000.0})
                for (const QRect& rc : rulers) {
                    const RulerPicture pic = LayOutRuler(rc, Metrics(metric, zoom, offset), RulerFont());
                    const std::string where = (metric ? "cm " : "in ") + std::to_string(zoom) + "% offset " +
                                              std::to_string(offset) + (rc.width() > rc.height() ? " h" : " v");
                    // Below, a centimetre is under four pixels: no ticks at all.
                    if (zoom >= 25) {
                        EXPECT_FALSE(pic.labels.empty()) << where;
                    }
                    const QRect inner = rc.adjusted(1, 1, -1, -1);
                    const bool horizontal = rc.width() > rc.height();
                    for (size_t i = 0; i < pic.labels.size(); ++i) {
                        const QRect box = pic.labels[i].box;
                        // A vertical ruler cuts a label longer than it is wide at
                        // the side facing the diagram.
                        const QRect within = horizontal ? inner : inner.adjusted(0, 0, 1000, 0);
                        EXPECT_TRUE(within.contains(box)) << where << " " << pic.labels[i].text.toStdString();
                        for (size_t j = i + 1; j < pic.labels.size(); ++j)
                            EXPECT_FALSE(box.adjusted(-1, -1, 1, 1).intersects(pic.labels[j].box))
                                << where << " " << pic.labels[i].text.toStdString() << " and "
                                << pic.labels[j].text.toStdString();
                        for (const QLine& t : pic.ticks)
                            EXPECT_FALSE(box.intersects(QRect(t.p1(), t.p2()).normalized()))
                                << where << " " << pic.labels[i].text.toStdString();
                    }
                }
}

TEST(RulerLayoutTest, TheRulersZeroIsItsFirstPixel)
{
    // A ruler's pixel 0 is the client area's first pixel, the one next to
    // the ruler's start: its unit origin there gets the tick at that pixel.
    const QRect rulers[] = {QRect(21, 0, 600, 21), QRect(0, 21, 21, 500)};
    for (const QRect& rc : rulers) {
        const RulerPicture pic = LayOutRuler(rc, Metrics(true, 100, 0), RulerFont());
        ASSERT_FALSE(pic.ticks.empty());
        const bool horizontal = rc.width() > rc.height();
        EXPECT_EQ(horizontal ? pic.ticks.front().x1() : pic.ticks.front().y1(), horizontal ? rc.left() : rc.top());
    }
}

TEST(RulerLayoutTest, ALabelStandsAtTheValueOfItsTick)
{
    // Scrolled three centimetres at 100 %: the first whole centimetre shown
    // is 3, at the ruler's start.
    const RulerMetrics m = Metrics(true, 100, 3 * Metrics(true, 100, 0).scale);
    const QRect rc(0, 21, 21, 560);
    const RulerPicture pic = LayOutRuler(rc, m, RulerFont());
    ASSERT_FALSE(pic.labels.empty());
    EXPECT_EQ(pic.labels.front().text, "3");
    EXPECT_LE(pic.labels.front().box.top(), rc.top() + 12);
    EXPECT_EQ(pic.labels[1].text, "4");
}

namespace {
struct RulerViewTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(kScreenPixels);
        ScreenHeight = kScreenInches;
        savedRulers = ShowRulers;
        savedMetric = Metric;
        ShowRulers = 1;
        Metric = 1;
        fx.AddBox(0, 0, 600, 300, "Corner", RGB(255, 240, 200));
        view = std::make_unique<CKavoView>(&fx.doc);
        view->resize(760, 580);
        view->show();
        view->OnInitialUpdate();
    }
    void TearDown() override
    {
        view.reset();
        ShowRulers = savedRulers;
        Metric = savedMetric;
        SetScreenPixelHeightForTest(0);
    }
    CRulerBar* Band(bool horizontal) const
    {
        for (CRulerBar* band : view->findChildren<CRulerBar*>())
            if (band->IsHorizontal() == horizontal)
                return band;
        return nullptr;
    }
    // Paints the view as a scroll or zoom does, and returns the window.
    QImage Paint()
    {
        view->InvalidateAll();
        view->viewport()->repaint();
        return view->grab().toImage();
    }

    DiagramFixture fx;
    std::unique_ptr<CKavoView> view;
    int savedRulers = 0, savedMetric = 0;
};
} // namespace

TEST_F(RulerViewTest, RulersFollowScrollingAndZoomFromThePageCorner)
{
    struct Case {
        float zoom;
        int scrollDownPixels;
    } cases[] = {{25, 0}, {50, 0}, {50, 120}, {100, 0}, {100, 104}, {400, 0}, {400, 500}};
    for (const Case& c : cases) {
        view->SetScrollSizesForView(CPoint(-300, -300), c.zoom);
        QScrollBar* bar = view->verticalScrollBar();
        bar->setValue(bar->value() + c.scrollDownPixels);
        const QImage shot = Paint();
        SaveShot(QString("ruler_%1_%2").arg(int(c.zoom)).arg(c.scrollDownPixels), shot);
        // The ruler's 0 and 5 cm stand where the view draws them.
        const CRect page = GetPageAreaRect(fx.doc);
        const CPoint zero = view->LogicalPtToClient(page.TopLeft());
        const CPoint five = view->LogicalPtToClient(CPoint(page.left + 5 * kRulerMetricUnits, page.top + 5 * kRulerMetricUnits));
        for (bool horizontal : {true, false}) {
            const RulerMetrics& m = Band(horizontal)->Metrics();
            EXPECT_NEAR(-m.offset, horizontal ? zero.x : zero.y, 0.5) << c.zoom;
            EXPECT_NEAR(5 * m.scale - m.offset, horizontal ? five.x : five.y, 1.0) << c.zoom;
        }
    }
}

TEST(RulerLayoutTest, DegenerateMetricsDrawOnlyWhatTheyCan)
{
    // A divisor of 0 ends the levels; a scale of 0 or below draws nothing.
    RulerMetrics m;
    m.levels = 3;
    m.divisors[2] = 2;
    const RulerPicture whole = LayOutRuler(QRect(0, 0, 402, 21), m, RulerFont());
    ASSERT_FALSE(whole.ticks.empty());
    for (size_t i = 1; i < whole.ticks.size(); ++i)
        EXPECT_EQ(whole.ticks[i].x1() - whole.ticks[i - 1].x1(), 40);
    for (double scale : {0.0, -40.0}) {
        m.scale = scale;
        EXPECT_TRUE(LayOutRuler(QRect(0, 0, 402, 21), m, RulerFont()).ticks.empty()) << scale;
    }
}

// Levels and divisors alone leave the scale and offset the view fed.
TEST_F(RulerViewTest, LevelsAndDivisorsAloneKeepScaleAndOffset)
{
    view->SetScrollSizesForView(CPoint(-300, -300), 100);
    Paint();
    CRulerBar* band = Band(true);
    ASSERT_NE(band, nullptr);
    const RulerMetrics before = band->Metrics();
    const int divisors[5] = {0, 2, 5, 2, 2};
    band->SetMetrics(3, divisors);
    EXPECT_EQ(band->Metrics().levels, 3);
    EXPECT_EQ(band->Metrics().divisors[2], 5);
    EXPECT_EQ(band->Metrics().scale, before.scale);
    EXPECT_EQ(band->Metrics().offset, before.offset);
}

// The vertical ruler: one- and two-character labels stand before their
// ticks, three-character ones at the ruler's outer side, and longer ones
// where the label before them stood: none is left out for its length.
TEST(RulerLayoutTest, VerticalLabelsOfEveryLengthAreShown)
{
    const QRect rc(0, 21, 21, 560);
    const QRect inner = rc.adjusted(1, 1, -1, -1);
    // Centimetres at 100%, scrolled to 98 cm: 98 and 99, then 100 on.
    const RulerMetrics m = Metrics(true, 100, 98 * Metrics(true, 100, 0).scale);
    const RulerPicture pic = LayOutRuler(rc, m, RulerFont());
    std::map<QString, QRect> boxes;
    for (const auto& l : pic.labels)
        boxes[l.text] = l.box;
    for (const char* text : {"98", "99", "100", "101", "102"})
        ASSERT_TRUE(boxes.count(text)) << text;
    EXPECT_EQ(boxes["100"].left(), inner.left());
    EXPECT_EQ(boxes["101"].left(), inner.left());
    // Scrolled to 998 cm: the four-character labels follow the three.
    const RulerMetrics far = Metrics(true, 100, 998 * Metrics(true, 100, 0).scale);
    std::map<QString, QRect> farBoxes;
    for (const auto& l : LayOutRuler(rc, far, RulerFont()).labels)
        farBoxes[l.text] = l.box;
    for (const char* text : {"999", "1000", "1001", "1002"}) {
        ASSERT_TRUE(farBoxes.count(text)) << text << " vanished";
        EXPECT_EQ(farBoxes[text].left(), inner.left()) << text;
    }
}

// The horizontal ruler: labels are centred on their ticks; the first one,
// which centring would cut at the ruler's start, begins one pixel after its
// tick instead.
TEST(RulerLayoutTest, TheFirstLabelThatCentringWouldCutStartsAfterItsTick)
{
    const QRect rc(21, 0, 600, 21);
    const RulerPicture pic = LayOutRuler(rc, Metrics(true, 100, 0), RulerFont());
    ASSERT_GE(pic.labels.size(), 2u);
    EXPECT_EQ(pic.labels[0].text, "0");
    EXPECT_EQ(pic.labels[0].box.left(), rc.left() + 1);
    const QLine* one = nullptr;
    for (const QLine& t : pic.ticks)
        if (std::abs(t.x1() - (rc.left() + int(std::lround(Metrics(true, 100, 0).scale)))) <= 1)
            one = &t;
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(pic.labels[1].text, "1");
    EXPECT_LE(std::abs(pic.labels[1].box.center().x() - one->x1()), 1);
}

// Sub-level ticks get labels only while their step is wider than the wide
// spacing (ten digit widths): between the narrow spacing (five) and the wide
// one they stay bare.
TEST(RulerLayoutTest, SubLevelLabelsOnlyBeyondTheWideSpacing)
{
    const QFont font = RulerFont();
    const int cx = QFontMetrics(font).horizontalAdvance('0');
    RulerMetrics m;
    m.levels = 2;
    m.divisors[1] = 2;
    const auto subLabels = [&](double subStep) {
        m.scale = 2 * subStep;
        int n = 0;
        for (const auto& l : LayOutRuler(QRect(0, 0, 1202, 21), m, font).labels)
            n += l.text == "1/2" ? 1 : 0;
        return n;
    };
    EXPECT_EQ(subLabels(7.5 * cx), 0) << "between the narrow and the wide spacing";
    EXPECT_EQ(subLabels(10 * cx), 0) << "at the wide spacing";
    EXPECT_GT(subLabels(12 * cx), 0) << "beyond the wide spacing";
}

// The feedback that shows where a label would go, on a real view offscreen:
// each kind is drawn once however often it is shown, showing any kind takes
// every other kind off the picture, the switch and the kind of object decide
// whether anything is drawn, and a coloured page is inverted instead of
// drawn on in grey. The picture after an erase is the freshly painted one.
#include "ViewEventDriver.h"

#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "editing/ui/CKavoView.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CPainterDC.h"

#include <QImage>
#include <gtest/gtest.h>

#include <functional>

namespace {
struct LabelFeedbackTest : ViewEventDriver {
    void AddObjects() override
    {
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
    }
    void TearDown() override
    {
        ShowLabelFeedback = 1;
        PageColor = 0xFFFFFF;
        ViewEventDriver::TearDown();
    }
    QImage Shown()
    {
        view->FlushPaint();
        return view->Surface().convertToFormat(QImage::Format_RGB32);
    }
    // Painted afresh: only valid while no feedback is shown.
    QImage Fresh()
    {
        view->InvalidateAll();
        return Shown();
    }
    struct Kind {
        const char* name;
        std::function<void(LabelFeedbackTest&)> show;
        std::function<bool(LabelFeedbackTest&)> erase;
    };
    static const Kind kKinds[4];

    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
};

const LabelFeedbackTest::Kind LabelFeedbackTest::kKinds[4] = {
    {"flow",
     [](LabelFeedbackTest& t) { t.view->ShowAttachFeedback(t.b, t.con, 1, CRect(2200, 450, 2380, 560), 3, nullptr); },
     [](LabelFeedbackTest& t) { return t.view->EraseAttachFeedback(nullptr); }},
    {"figure", [](LabelFeedbackTest& t) { t.view->ShowFigLblFeedback(t.a, CRect(800, 1100, 1000, 1200), 8, nullptr); },
     [](LabelFeedbackTest& t) { return t.view->EraseFigLblFeedback(nullptr); }},
    {"connector", [](LabelFeedbackTest& t) { t.view->ShowRectFeedback(t.con, CPoint(1800, 825), CSize(200, 100), nullptr); },
     [](LabelFeedbackTest& t) { return t.view->EraseRectFeedback(nullptr); }},
    {"lateral",
     [](LabelFeedbackTest& t) {
         t.view->ShowLblDropFeedback(t.con, CPoint(1700, 700), CRect(1600, 600, 1800, 700), 1, nullptr);
     },
     [](LabelFeedbackTest& t) { return t.view->EraseLblDropFeedback(nullptr); }},
};
} // namespace

TEST_F(LabelFeedbackTest, EachKindIsDrawnOnceAndShowingAnotherErasesIt)
{
    const QImage clean = Fresh();
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.name);
        k.show(*this);
        const QImage once = Shown();
        EXPECT_FALSE(once == clean);
        k.show(*this);
        EXPECT_TRUE(Shown() == once);
        for (const Kind& other : kKinds) {
            if (&other == &k)
                continue;
            SCOPED_TRACE(other.name);
            k.show(*this);
            other.show(*this);
            EXPECT_FALSE(k.erase(*this));
            EXPECT_TRUE(other.erase(*this));
            EXPECT_TRUE(Shown() == clean);
        }
        EXPECT_FALSE(k.erase(*this));
    }
}

// With the switch off nothing is drawn, but what was shown still goes; a
// connector label's feedback over a figure remembers nothing.
TEST_F(LabelFeedbackTest, TheSwitchAndTheObjectDecideWhetherAnythingIsDrawn)
{
    const QImage clean = Fresh();
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.name);
        kKinds[1].show(*this);
        ShowLabelFeedback = 0;
        k.show(*this);
        EXPECT_TRUE(Shown() == clean);
        EXPECT_FALSE(k.erase(*this));
        ShowLabelFeedback = 1;
    }
    view->ShowRectFeedback(a, CPoint(900, 825), CSize(200, 100), nullptr);
    EXPECT_TRUE(Shown() == clean);
    EXPECT_FALSE(view->EraseRectFeedback(nullptr));
}

// On a white page the outline is grey on the page; on a coloured page every
// pixel it touches is inverted.
TEST_F(LabelFeedbackTest, AColouredPageIsInvertedWhereAWhitePageTurnsGrey)
{
    for (const COLORREF page : {COLORREF(0xFFFFFF), COLORREF(0x80FFFF)}) {
        SCOPED_TRACE(page);
        PageColor = page;
        const QImage clean = Fresh();
        kKinds[2].show(*this);
        const QImage shown = Shown();
        int changed = 0, expected = 0;
        for (int y = 0; y < clean.height(); ++y)
            for (int x = 0; x < clean.width(); ++x) {
                const QRgb before = clean.pixel(x, y), now = shown.pixel(x, y);
                // On a white page only what lay on the bare page turns
                // grey (the line under the outline is XORed too).
                if (before == now || (page == 0xFFFFFF && before != qRgb(0xFF, 0xFF, 0xFF)))
                    continue;
                ++changed;
                const QRgb want = page == 0xFFFFFF ? qRgb(0x80, 0x80, 0x80) : (~before | 0xFF000000u);
                expected += now == want ? 1 : 0;
            }
        EXPECT_GT(changed, 0);
        EXPECT_EQ(expected, changed);
        EXPECT_TRUE(view->EraseRectFeedback(nullptr));
        EXPECT_TRUE(Shown() == clean);
    }
}

// What each kind draws, against the same picture drawn by hand on a white
// page: a dotted grey outline of the label's rectangle and the line to what
// the label would be pinned to. A figure label at a corner joins the two
// corners; one at the middle of a side joins the two middles.
TEST_F(LabelFeedbackTest, EachKindDrawsItsDottedRectangleAndTheLineToItsTarget)
{
    struct Line {
        CPoint from, to;
    };
    struct Row {
        const char* name;
        std::function<void(LabelFeedbackTest&)> show;
        CRect rect;
        std::vector<Line> lines;
    };
    ASSERT_EQ(con->m_pFig2, b);
    const CPoint atB = con->EndPoint2;   // (2400, 825), nearest the corner (2380, 560)
    ASSERT_EQ(atB, CPoint(2400, 825));
    const Row rows[] = {
        {"flow", kKinds[0].show, CRect(2200, 450, 2380, 560), {{atB, CPoint(2380, 560)}}},
        {"figure, top left corner",
         [](LabelFeedbackTest& t) { t.view->ShowFigLblFeedback(t.a, CRect(600, 400, 800, 500), 1, nullptr); },
         CRect(600, 400, 800, 500), {{CPoint(600, 600), CPoint(600, 500)}}},
        {"figure, below the middle",
         [](LabelFeedbackTest& t) { t.view->ShowFigLblFeedback(t.a, CRect(801, 1100, 1001, 1200), 8, nullptr); },
         CRect(801, 1100, 1001, 1200), {{CPoint(900, 1050), CPoint(900, 1100)}}},
        {"connector", kKinds[2].show, CRect(1700, 775, 1900, 875), {}},
        {"lateral", kKinds[3].show, CRect(1600, 600, 1800, 700), {{CPoint(1700, 825), CPoint(1700, 700)}}},
    };
    const QImage clean = Fresh();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QImage want = clean;
        {
            CPainterDC dc(&want);
            view->OnPrepareDC(dc);
            DrawXorRect(&dc, r.rect, 0xFFFFFF, 0x808080, 2);
            for (const Line& l : r.lines)
                DrawXorLine(&dc, l.from, l.to, 0xFFFFFF, 0x808080, 2);
            dc.Flush();
        }
        r.show(*this);
        EXPECT_TRUE(Shown() == want);
        view->EraseLabelFeedback();
        EXPECT_TRUE(Shown() == clean);
    }
}

// An empty feedback (no figure or connector, no slot, no position) shows
// nothing: showing it only takes off what was shown.
TEST_F(LabelFeedbackTest, AnEmptyFeedbackShowsNothing)
{
    const std::pair<const char*, std::function<void(LabelFeedbackTest&)>> empty[] = {
        {"flow without a slot",
         [](LabelFeedbackTest& t) {
             t.view->ShowAttachFeedback(t.b, t.con, -1, CRect(2200, 450, 2380, 560), 3, nullptr);
         }},
        {"flow without a figure",
         [](LabelFeedbackTest& t) {
             t.view->ShowAttachFeedback(nullptr, t.con, 1, CRect(2200, 450, 2380, 560), 3, nullptr);
         }},
        {"figure without a position",
         [](LabelFeedbackTest& t) { t.view->ShowFigLblFeedback(t.a, CRect(800, 1100, 1000, 1200), -1, nullptr); }},
        {"figure without a figure",
         [](LabelFeedbackTest& t) { t.view->ShowFigLblFeedback(nullptr, CRect(800, 1100, 1000, 1200), 8, nullptr); }},
        {"connector without a connector",
         [](LabelFeedbackTest& t) { t.view->ShowRectFeedback(nullptr, CPoint(1800, 825), CSize(200, 100), nullptr); }},
        {"lateral without a connector",
         [](LabelFeedbackTest& t) {
             t.view->ShowLblDropFeedback(nullptr, CPoint(1700, 700), CRect(1600, 600, 1800, 700), 1, nullptr);
         }},
    };
    const QImage clean = Fresh();
    for (const auto& [name, show] : empty) {
        SCOPED_TRACE(name);
        kKinds[3].show(*this);
        show(*this);
        EXPECT_TRUE(Shown() == clean);
        for (const Kind& k : kKinds)
            EXPECT_FALSE(k.erase(*this)) << k.name;
    }
}

// A caller that is drawing already hands its own device context: the
// feedback goes onto it, and erasing through it takes it off again.
TEST_F(LabelFeedbackTest, AGivenDeviceContextTakesTheFeedback)
{
    const QImage clean = Fresh();
    kKinds[2].show(*this);
    const QImage own = Shown();
    ASSERT_TRUE(kKinds[2].erase(*this));
    {
        std::unique_ptr<CPainterDC> dc = view->GetClientDC();
        view->ShowRectFeedback(con, CPoint(1800, 825), CSize(200, 100), dc.get());
        dc->Flush();
    }
    EXPECT_TRUE(Shown() == own);
    {
        std::unique_ptr<CPainterDC> dc = view->GetClientDC();
        EXPECT_TRUE(view->EraseRectFeedback(dc.get()));
        dc->Flush();
    }
    EXPECT_TRUE(Shown() == clean);
}

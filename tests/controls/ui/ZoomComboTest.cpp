// The zoom box: typed percentages within the view's limits zoom, others are
// refused with the limits named.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CZoomCombo.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"

#include <gtest/gtest.h>

namespace {
CKavoView* g_view = nullptr;
CKavoView* TheView()
{
    return g_view;
}
} // namespace

TEST(ZoomComboTest, TypedZoomWithinTheLimitsZoomsElseTheMessage)
{
    SetScreenPixelHeightForTest(768);
    DiagramFixture fx;
    CKavoView view(&fx.doc);
    view.resize(800, 600);
    view.show();
    view.OnInitialUpdate();
    g_view = &view;
    CZoomCombo combo;
    combo.SetViewFinder(&TheView);
    CRecordingPrompt prompt;
    const int lo = int(view.GetMinZoom()), hi = int(view.GetMaxZoom());
    struct Case {
        QString text;
        bool zooms;
    } cases[] = {{"150", true}, {"75%", true}, {"0", false}, {"abc", false}, {QString::number(hi + 1), false},
                 {QString::number(lo - 1), lo > 1 ? false : true}};
    for (const Case& c : cases) {
        prompt.shown.clear();
        EXPECT_EQ(combo.ApplyTypedZoom(c.text), c.zooms) << c.text.toStdString();
        EXPECT_EQ(prompt.shown.empty(), c.zooms) << c.text.toStdString();
    }
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back().text,
              "Enter a valid zoom percent between " + std::to_string(lo) + " and " + std::to_string(hi));
    combo.ApplyTypedZoom("150");
    EXPECT_EQ(combo.currentText(), "150%");
    g_view = nullptr;
    SetScreenPixelHeightForTest(0);
}

// The fill preview and the connector preview button as the property pages
// feed them: repaints only for a different description, the white sample of
// a transparent fill, the shadow at the screen's scale, and the line sample.
#include "CommandRecorder.h"
#include "common/DiagramFixture.h"
#include "controls/CFillPreviewWnd.h"
#include "controls/PreviewColors.h"
#include "platform/SysColors.h"
#include "render/CZoomMapping.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct FillPreviewTest : testing::Test {
    QWidget page;
    CFillPreviewWnd* preview = new CFillPreviewWnd;
    COLORREF savedBackground = g_crPreviewBackground;

    FillPreviewTest()
    {
        page.resize(220, 140);
        EXPECT_TRUE(preview->Create(QRect(10, 10, 200, 120), &page, 1600));
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
    }
    ~FillPreviewTest() override { g_crPreviewBackground = savedBackground; }
    QRgb Pixel(int x, int y) const { return preview->grab().toImage().pixel(x, y) & 0xFFFFFF; }
};
} // namespace

TEST_F(FillPreviewTest, OnlyADifferentDescriptionRepaints)
{
    CPaintCounter counter(preview);
    QApplication::processEvents();
    counter.paints = 0;
    CFillSpec fill = preview->GetFill();
    preview->SetFill(fill);
    preview->SetShadow(preview->GetShadow());
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    fill.m_crColor1 = RGB(0, 128, 255);
    preview->SetFill(fill);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    CShadowSpec shadow;
    shadow.m_nType = 1;
    preview->SetShadow(shadow);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);
}

TEST_F(FillPreviewTest, TheSampleSquareAndItsMargins)
{
    EXPECT_EQ(preview->SampleRect(), CRect(70, 30, 130, 90));   // a quarter of 120 off each side
    preview->SetLargeMargin(true);
    EXPECT_EQ(preview->SampleRect(), CRect(64, 24, 136, 96));
    preview->SetWholeArea(true);
    EXPECT_EQ(preview->SampleRect(), CRect(0, 0, 200, 120));
}

TEST_F(FillPreviewTest, ATransparentFillShowsTheWhiteSample)
{
    g_crPreviewBackground = RGB(200, 220, 240);
    CFillSpec fill;
    fill.m_nKind = 0;
    preview->SetFill(fill);
    EXPECT_EQ(Pixel(100, 60), 0xFFFFFFu);
    EXPECT_EQ(Pixel(5, 5), qRgb(200, 220, 240) & 0xFFFFFF);
    fill.m_nKind = 1;
    fill.m_crColor1 = RGB(255, 0, 0);
    preview->SetFill(fill);
    EXPECT_EQ(Pixel(100, 60), 0xFF0000u);
    SaveShot(&page, "fillpreview_flat");
}

TEST_F(FillPreviewTest, WithoutAViewTheShadowIsAtOneHundredPercent)
{
    CShadowSpec shadow(1, RGB(0, 0, 255), 60, 60, 0, 255);
    preview->SetShadow(shadow);
    const double scale = CFillPreviewWnd::ShadowScale();
    EXPECT_DOUBLE_EQ(scale, PixelsPerUnitAt100());
    const int offset = int(std::lround(60 * scale));
    ASSERT_GT(offset, 6);
    // Beyond the sample's bottom-right corner by less than the offset: shadow.
    const CRect square = preview->SampleRect();
    EXPECT_EQ(Pixel(square.right + offset / 2, square.bottom + offset / 2), 0x0000FFu);
    EXPECT_EQ(Pixel(square.right + offset + 3, square.bottom + offset + 3), 0xFFFFFFu);
    SaveShot(&page, "fillpreview_shadow");
}

TEST_F(FillPreviewTest, ButtonFaceAndBlankPaintOneColour)
{
    g_crPreviewBackground = RGB(10, 20, 30);
    preview->SetBlank(true);
    EXPECT_EQ(Pixel(100, 60), qRgb(10, 20, 30) & 0xFFFFFF);
    preview->SetButtonFace(true);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Pixel(100, 60), qRgb(GetRValue(face), GetGValue(face), GetBValue(face)) & 0xFFFFFF);
}

TEST(ConPreviewButtonTest, DrawsTheLineBetweenItsMarginsAndRepaintsOnChange)
{
    DiagramFixture fx;
    QWidget page;
    page.resize(200, 60);
    auto* button = new CConPreviewButton(&fx.doc, &page);
    button->setGeometry(10, 10, 160, 40);
    CPaintCounter counter(button);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    EXPECT_EQ(button->LineRect(), CRect(20, 0, 140, 40));
    CConProps props;
    props.Color = RGB(255, 0, 0);
    props.LineWidth = 3;
    button->SetStyle(props);
    const QImage shot = button->grab().toImage();
    int red = 0, redOutside = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000u)
                ++(x < 20 || x >= 140 ? redOutside : red);
    EXPECT_GT(red, 0);
    EXPECT_EQ(redOutside, 0);
    SaveShot(button, "conpreview");
    QApplication::processEvents();
    counter.paints = 0;
    button->SetStyle(props);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    button->SetNoLine(true);
    const QImage empty = button->grab().toImage();
    EXPECT_EQ(empty.pixel(80, 20) & 0xFFFFFF, QRgb(0xFFFFFF));
}

// The pictures the dialogs show beside their controls: each is drawn at its
// size with something on it, and the wizard's light grey backdrop takes the
// dialog's face colour. The pictures go to KAVO_SHOTS.
#include "dialogs/DialogPictures.h"
#include "platform/ui/DlgItems.h"

#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include <set>

namespace {
// Pixels that are neither the paper's white nor transparent nor its frame.
int InkedPixels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int inked = 0;
    for (int y = 1; y + 1 < argb.height(); ++y)
        for (int x = 1; x + 1 < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            inked += qAlpha(c) != 0 && c != qRgb(255, 255, 255) && c != qRgb(0xC0, 0xC0, 0xC0);
        }
    return inked;
}

void SavePicture(const QImage& image, int id)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(QString("DialogPicture_%1.png").arg(id)));
}
} // namespace

TEST(DialogPicturesTest, EachPictureIsDrawnAtItsSizeWithSomethingOnIt)
{
    const struct {
        int id;
        QSize size;
    } cases[] = {
        {kBmpDecision, {72, 56}},       {kBmpWizard, {96, 200}},        {kBmpRoundedCorners, {56, 36}},
        {kBmpJogs, {56, 36}},           {kBmpJunctionDots, {56, 36}},   {kBmpConPointDots, {56, 36}},
        {kBmpFigureLabel, {56, 36}},    {kBmpConnectorLabel, {56, 36}}, {kBmpFlowLabel, {56, 36}},
        {kBmpOrthogonal, {56, 36}},     {kBmpConJunctionDots, {56, 36}},
        // The connector pages': ends, curvatures, corners, labels, stamps.
        {kBmpFirstEnd, {56, 24}},       {kBmpSecondEnd, {56, 24}},      {kBmpStraight, {40, 24}},
        {kBmpRounded, {40, 24}},        {kBmpCurved, {40, 24}},         {kBmpSmoothed, {40, 24}},
        {kBmpMiterJoin, {40, 24}},      {kBmpRoundJoin, {40, 24}},      {kBmpBevelJoin, {40, 24}},
        {kBmpLabelInLine, {56, 36}},    {kBmpLabelAbove, {56, 36}},     {kBmpLabelBelow, {56, 36}},
        {kBmpStampUp, {28, 28}},        {kBmpStampDown, {28, 28}},      {kBmpStampLeft, {28, 28}},
        {kBmpStampRight, {28, 28}},
    };
    std::set<QByteArray> seen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QImage image = DialogPicture(c.id);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), c.size);
        // At least a connector's worth of lines.
        EXPECT_GT(InkedPixels(image), 30);
        SavePicture(image, c.id);
        // No two pictures alike (the two junction-dot pictures are one).
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (c.id != kBmpConJunctionDots) {
            const QByteArray bytes(reinterpret_cast<const char*>(argb.constBits()), argb.sizeInBytes());
            EXPECT_TRUE(seen.insert(bytes).second);
        }
    }
    EXPECT_TRUE(DialogPicture(1).isNull());
}

TEST(DialogPicturesTest, LightGreyBecomesTheFaceColourOnlyWhenAsked)
{
    QWidget page;
    QPalette palette = page.palette();
    palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
    page.setPalette(palette);
    const QImage mapped = MakePictureStatic(&page, 2672, kBmpWizard, true)->pixmap().toImage();
    const QImage plain = MakePictureStatic(&page, 0, kBmpWizard)->pixmap().toImage();
    EXPECT_EQ(mapped.pixel(0, 0), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(plain.pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));
    int grey = 0;
    for (int y = 0; y < mapped.height(); ++y)
        for (int x = 0; x < mapped.width(); ++x)
            grey += mapped.pixel(x, y) == qRgb(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(grey, 0);
    // The drawing itself is kept: the page in the middle stays white.
    EXPECT_EQ(mapped.pixel(20, 100), qRgb(255, 255, 255));
    EXPECT_EQ(GetDlgCtrlID(page.findChildren<QLabel*>().at(0)), 2672);
}

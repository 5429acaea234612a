// The view's cursors: each mode and gesture shows the program's own
// cursor for it as the user moves the mouse (selection band, Alt split,
// zoom, connection points, connector drawing, text labels), every own
// cursor is a picture of its own at the desktop's cursor size with its hot
// spot inside it, black on a white halo, and the desktop keeps the arrow.
#include "ModeGestureFixture.h"
#include "editing/ui/ViewCursors.h"

#include <QDir>
#include <QPainter>

#include <set>

namespace {
constexpr int kRoles[] = {kCursorCreate,      kCursorConnect,       kCursorAttach,      kCursorAdjust,
                          kCursorSplit,       kCursorBand,          kCursorZoom,        kCursorLabel,
                          kCursorConPt,       Qt::IBeamCursor,      Qt::SizeAllCursor,  Qt::DragCopyCursor,
                          Qt::OpenHandCursor, Qt::ClosedHandCursor, Qt::SizeVerCursor,  Qt::SizeHorCursor,
                          Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SplitVCursor,   Qt::SplitHCursor,
                          Qt::ForbiddenCursor};

// Every own cursor on white, on dark grey and on the diagram's blue, with
// its hot spot marked beside it, for the eye.
void SaveSheet()
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (folder.isEmpty())
        return;
    constexpr int kSize = 48, kCell = 60;
    const QColor grounds[] = {Qt::white, QColor(60, 60, 64), QColor(190, 214, 240)};
    QImage sheet(int(std::size(kRoles)) * kCell, 3 * kCell, QImage::Format_ARGB32);
    QPainter p(&sheet);
    for (int g = 0; g < 3; ++g) {
        p.fillRect(0, g * kCell, sheet.width(), kCell, grounds[g]);
        for (size_t i = 0; i < std::size(kRoles); ++i) {
            QPoint hot;
            const QPixmap pm = ViewCursorPicture(kRoles[i], kSize, &hot);
            const QPoint at(int(i) * kCell + 6, g * kCell + 6);
            p.drawPixmap(at, pm);
            p.fillRect(QRect(at + hot, QSize(1, 1)), Qt::magenta);
        }
    }
    sheet.save(QDir(folder).filePath("ViewCursors.png"));
}

struct ViewCursorsTest : ModeGestureFixture {};
} // namespace

TEST(ViewCursorPictures, EachRoleHasAPictureOfItsOwnWithItsHotSpotInside)
{
    std::set<QByteArray> seen;
    for (int role : kRoles) {
        SCOPED_TRACE(role);
        for (int size : {24, 32, 48}) {
            QPoint hot(-1, -1);
            const QImage image = ViewCursorPicture(role, size, &hot).toImage();
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_TRUE(QRect(0, 0, size, size).contains(hot)) << size;
            // Black ink on a white halo: both show, whatever is under it.
            int dark = 0, light = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb px = image.pixel(x, y);
                    if (qAlpha(px) < 200)
                        continue;
                    dark += qGray(px) < 60 || (qRed(px) > 150 && qGreen(px) < 100);
                    light += qGray(px) > 200;
                }
            EXPECT_GT(dark, size / 2) << size;
            EXPECT_GT(light, size / 2) << size;
            if (size == 32) {
                const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
                EXPECT_TRUE(seen.insert(bytes).second) << "the same picture as another role";
            }
        }
    }
    // The arrow, the link hand and the wait cursor stay the desktop's.
    for (int role : {int(Qt::ArrowCursor), int(Qt::PointingHandCursor), int(Qt::WaitCursor)}) {
        EXPECT_TRUE(ViewCursorPicture(role, 24, nullptr).isNull());
        EXPECT_EQ(ViewCursorFor(role).shape(), Qt::CursorShape(role));
    }
    // A cursor is the picture at the desktop's size, its hot spot scaled.
    const QCursor zoom = ViewCursorFor(kCursorZoom);
    EXPECT_EQ(zoom.shape(), Qt::BitmapCursor);
    QPoint hot;
    ViewCursorPicture(kCursorZoom, ViewCursorSize(), &hot);
    EXPECT_EQ(zoom.hotSpot(), hot);
    SaveSheet();
}

TEST(ViewCursorPictures, TheDesktopsCursorSizeIsFollowed)
{
    const QByteArray old = qgetenv("XCURSOR_SIZE");
    qputenv("XCURSOR_SIZE", "48");
    EXPECT_EQ(ViewCursorSize(), 48);
    qunsetenv("XCURSOR_SIZE");
    EXPECT_EQ(ViewCursorSize(), 24);
    if (!old.isEmpty())
        qputenv("XCURSOR_SIZE", old);
}

TEST_F(ViewCursorsTest, EachModeAndGestureShowsItsCursor)
{
    // Select mode: the band over empty space, Alt over a connector.
    const QPoint empty = At(CPoint(1500, 2000));
    Press(empty);
    Move(empty + QPoint(40, 30));
    EXPECT_EQ(view->ViewCursor(), int(kCursorBand));
    Release(empty + QPoint(40, 30));
    Move(At(con->GetMidPoint()), Qt::AltModifier, Qt::NoButton);
    EXPECT_EQ(view->ViewCursor(), int(kCursorSplit));
    Hover(Centre(a));
    EXPECT_EQ(view->ViewCursor(), int(Qt::SizeAllCursor));
    // The end of a selected connector is adjusted.
    fx.doc.SelectObj(con, 1, 0, 0);
    Hover(At(con->EndPoint2));
    EXPECT_EQ(view->ViewCursor(), int(kCursorAdjust));
    fx.doc.DeselectAllObjs();
    // Zoom mode.
    EnterUIMode(5, 0);   // zoom mode
    Hover(empty);
    EXPECT_EQ(view->ViewCursor(), int(kCursorZoom));
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::BitmapCursor);
    // Connection points over a figure and away from it.
    EnterUIMode(7, 0);   // connection-point mode
    Hover(Centre(a));
    EXPECT_EQ(view->ViewCursor(), int(kCursorConPt));
    Hover(empty);
    EXPECT_EQ(view->ViewCursor(), int(Qt::ArrowCursor));
    EnterUIMode(6, 0);
}

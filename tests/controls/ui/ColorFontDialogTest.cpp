// The colour dialog placed at a point and kept inside the main window, and
// the font dialog without a colour choice.
#include "common/FakeAppContext.h"
#include "controls/CPlacedColorDialog.h"
#include "core/AppContext.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct MainWindowContext : FakeAppContext {
    bool GetMainWindowRect(CRect& rc) override
    {
        rc = CRect(0, 0, 1200, 900);
        return true;
    }
};

struct ContextScope {
    MainWindowContext context;
    IAppContext* previous = GetAppContext();
    ContextScope() { SetAppContext(&context); }
    ~ContextScope() { SetAppContext(previous); }
};
} // namespace

TEST(PlacedColorDialogTest, OpensAtThePointKeptInsideTheMainWindow)
{
    ContextScope scope;
    CPlacedColorDialog near(RGB(10, 20, 30), 100, 120);
    near.OnInitDialog();
    EXPECT_EQ(near.pos(), QPoint(100, 120));
    CPlacedColorDialog far(RGB(10, 20, 30), 1150, 880);
    far.OnInitDialog();
    const QRect placed = far.frameGeometry();
    EXPECT_LE(placed.right() + 1, 1200 - 5);
    EXPECT_LE(placed.bottom() + 1, 900 - 5);
    EXPECT_GE(placed.left(), 0);
    EXPECT_GE(placed.top(), 0);
    EXPECT_EQ(far.GetColor(), RGB(10, 20, 30));
}

TEST(PlacedColorDialogTest, CustomColoursGoInAndComeBack)
{
    COLORREF in[16], out[16] = {};
    for (int i = 0; i < 16; ++i)
        in[i] = RGB(i * 10, 255 - i, 7);
    CPlacedColorDialog dialog(0, 10, 10);
    dialog.SetCustomColors(in);
    dialog.GetCustomColors(out);
    EXPECT_TRUE(std::equal(in, in + 16, out));
    // OK takes the colour shown.
    dialog.setCurrentColor(QColor(1, 2, 3));
    QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
    EXPECT_TRUE(dialog.RunModal());
    EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
}

TEST(NoColorFontDialogTest, CancelKeepsTheRecordOkTakesTheChosenFont)
{
    LOGFONT lf{};
    lf.lfHeight = -16;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    std::strcpy(lf.lfFaceName, "NoSuchFace");
    CNoColorFontDialog dialog(lf, 0);
    dialog.OnInitDialog();
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    dialog.exec();
    LOGFONT out = lf;
    dialog.GetLogFont(out);
    EXPECT_STREQ(out.lfFaceName, "NoSuchFace");
    EXPECT_EQ(out.lfHeight, -16);
    // OK: the size the dialog shows, in logical units at 96 per inch.
    QTimer::singleShot(0, &dialog, [&] {
        QFont f = dialog.currentFont();
        f.setPointSize(24);
        dialog.setCurrentFont(f);
        dialog.accept();
    });
    dialog.exec();
    dialog.GetLogFont(out);
    EXPECT_EQ(out.lfHeight, -32);
}

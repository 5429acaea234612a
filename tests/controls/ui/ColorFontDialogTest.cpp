// The colour dialog placed at a point and kept inside the main window, and
// the font dialog without a colour choice.
#include "common/FakeAppContext.h"
#include "controls/CPlacedColorDialog.h"
#include "core/AppContext.h"

#include <QFontDatabase>
#include <QFontInfo>
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

// OK without touching anything gives back the record as it came: the face
// the machine draws in its place, the style nearest to the weight and the
// whole point size the dialog shows must not leak into it.
TEST(NoColorFontDialogTest, OkWithoutChangesReturnsTheGivenFont)
{
    // shownItalic: the stand-in has a slanted face to show. DejaVu Sans, which
    // stands in for an unknown face, has none among the fonts setup-deps
    // installs: the dialog shows it upright, and OK still gives the italic back.
    struct {
        const char* face;
        int height, weight, italic, underline;
        bool shownItalic;
    } cases[] = {{"DejaVu Sans", -16, 400, 0, 0, false},    {"Arial", -13, 700, 0, 0, false},
                 {"Arial", -14, 0, 0, 1, false},            {"Times New Roman", -21, 400, 1, 0, true},
                 {"Liberation Sans", -15, 700, 1, 0, true}, {"NoSuchFace", -15, 700, 1, 0, false},
                 {"Courier New", -11, 400, 0, 0, false}};
    for (const auto& c : cases) {
        LOGFONT lf{};
        lf.lfHeight = c.height;
        lf.lfWeight = c.weight;
        lf.lfItalic = BYTE(c.italic);
        lf.lfUnderline = BYTE(c.underline);
        lf.lfCharSet = 0;
        std::strcpy(lf.lfFaceName, c.face);
        CNoColorFontDialog dialog(lf, 0);
        dialog.OnInitDialog();
        // The dialog shows the face that stands in for the record's, in an
        // upright style for an upright font.
        const QFont shown = dialog.currentFont();
        EXPECT_EQ(shown.family(), QFontInfo(QFont(QString::fromLatin1(c.face))).family()) << c.face;
        EXPECT_EQ(shown.italic(), c.shownItalic) << c.face << " " << shown.styleName().toStdString() << " of "
                                                 << QFontDatabase::styles(shown.family()).join(",").toStdString()
                                                 << " given " << CNoColorFontDialog::ShownFont(lf).styleName().toStdString();
        EXPECT_EQ(shown.underline(), c.underline != 0) << c.face;
        QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
        dialog.exec();
        LOGFONT out = lf;
        std::memset(out.lfFaceName, 'x', sizeof(out.lfFaceName));
        out.lfHeight = 1;
        out.lfWeight = 1;
        dialog.GetLogFont(out);
        EXPECT_EQ(std::memcmp(&out, &lf, sizeof(lf)), 0) << c.face << " came back as " << out.lfFaceName << " "
                                                       << out.lfHeight << " " << out.lfWeight << " "
                                                       << int(out.lfItalic);
    }
}

// What the user changes comes back; what the user leaves keeps the record's.
TEST(NoColorFontDialogTest, AChangedSizeKeepsTheFaceAndWeight)
{
    LOGFONT lf{};
    lf.lfHeight = -13;
    lf.lfWeight = 700;
    std::strcpy(lf.lfFaceName, "Arial");
    CNoColorFontDialog dialog(lf, 0);
    QTimer::singleShot(0, &dialog, [&] {
        QFont f = dialog.currentFont();
        f.setPointSize(18);
        f.setUnderline(true);
        dialog.setCurrentFont(f);
        dialog.accept();
    });
    dialog.exec();
    LOGFONT out = lf;
    dialog.GetLogFont(out);
    EXPECT_STREQ(out.lfFaceName, "Arial");
    EXPECT_EQ(out.lfWeight, 700);
    EXPECT_EQ(out.lfItalic, 0);
    EXPECT_EQ(out.lfUnderline, 1);
    EXPECT_EQ(out.lfHeight, -24);
}

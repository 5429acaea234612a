// The Import Graphic chooser: its OK text and options, the preview through
// the picture import, and the options written back on OK.
#include "dialogs/CPictureFileDialog.h"

#include "core/Settings.h"
#include "platform/PackedDib.h"
#include "render/PictureImport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class TestablePictureDlg : public CPictureFileDialog {
public:
    using CPictureFileDialog::CPictureFileDialog;
    using CPictureFileDialog::LoadPreview;
};

QCheckBox* Box(const QWidget& dlg, int id)
{
    return dlg.findChild<QCheckBox*>(QString::number(id));
}
} // namespace

TEST(PictureFileDialog, PreviewUsesTheImportAndGreysOptionsThatDoNotApply)
{
    QTemporaryDir dir;
    QImage plain(40, 20, QImage::Format_RGB32);
    plain.fill(Qt::red);
    const std::vector<BYTE> bmp = ImageToDib(plain, 24, true);
    const QString bmpPath = dir.filePath("plain.bmp");
    {
        QFile f(bmpPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size()));
    }
    QImage alpha(10, 10, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    const QString pngPath = dir.filePath("alpha.png");
    ASSERT_TRUE(alpha.save(pngPath, "PNG"));

    ImportTranspEdges = 1;
    ImportCleanBackground = 0;
    NonRectBounds = 1;
    TestablePictureDlg dlg(nullptr, "Import Graphic", dir.path(), QString::fromStdString(BuildImportFilter()));
    auto* ok = dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&Import");
    auto* timer = dlg.findChild<QTimer*>("6");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 200);
    EXPECT_TRUE(Box(dlg, 2759)->isChecked());
    EXPECT_FALSE(Box(dlg, 2760)->isChecked());
    EXPECT_TRUE(Box(dlg, 2761)->isChecked());

    EXPECT_TRUE(dlg.LoadPreview(bmpPath));
    auto* pane = dlg.findChild<QLabel*>("1225");
    const QImage shown = pane->pixmap().toImage();
    EXPECT_LE(shown.width(), 124);
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
    EXPECT_TRUE(Box(dlg, 2759)->isEnabled());

    // A picture with its own transparency: the clean-up options do not apply.
    EXPECT_TRUE(dlg.LoadPreview(pngPath));
    EXPECT_FALSE(Box(dlg, 2759)->isEnabled());
    EXPECT_FALSE(Box(dlg, 2759)->isChecked());
    EXPECT_FALSE(Box(dlg, 2760)->isEnabled());

    // Back on the bitmap the options show their values again; OK keeps them.
    EXPECT_TRUE(dlg.LoadPreview(bmpPath));
    EXPECT_TRUE(Box(dlg, 2759)->isChecked());
    Box(dlg, 2760)->setChecked(true);
    Box(dlg, 2761)->setChecked(false);
    dlg.done(QDialog::Accepted);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(ImportTranspEdges, 1);
    EXPECT_EQ(ImportCleanBackground, 1);
    EXPECT_EQ(NonRectBounds, 0);
}

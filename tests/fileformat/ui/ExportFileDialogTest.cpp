// The export save dialog keeps the typed name's extension in step with the
// chosen file type.
#include "fileformat/ui/CExportFileDialog.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ExportFileDialog, ExtensionFollowsTheFileType)
{
    const struct {
        const char* name;
        const char* ext;
        const char* result;
    } cases[] = {{"chart.gif", "PNG", "chart.PNG"}, {"chart", "PNG", "chart.PNG"},
                 {"chart.png", "PNG", "chart.png"}, {"my.chart.gif", "EMF", "my.chart.EMF"},
                 {"dir.x/chart", "BMP", "dir.x/chart.BMP"}, {"", "PNG", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CExportFileDialog::ReplaceExtension(c.name, c.ext), c.result) << c.name;

    // The type a typed name's extension names, among types with other names.
    const QStringList types = {"GIF", "PNG", "JPG;JPEG;JPE"};
    const struct {
        const char* name;
        int type;
    } typed[] = {{"swim.png", 1}, {"swim.GIF", 0}, {"swim.Jpe", 2}, {"a.jpg/swim.jpeg", 2},
                 {"swim", -1}, {"swim.xyz", -1}, {"dir.png/swim", -1}, {"swim.", -1}};
    for (const auto& t : typed)
        EXPECT_EQ(CExportFileDialog::TypeOfName(t.name, types), t.type) << t.name;

    QTemporaryDir dir;
    CExportFileDialog dlg(nullptr, "Export Graphic", dir.path(),
                          "GIF - Graphics Interchange Format Bitmap|*.GIF|PNG - Portable Network Graphic|*.PNG||",
                          {"GIF", "PNG"});
    EXPECT_EQ(dlg.nameFilters().value(1), "PNG - Portable Network Graphic (*.png *.PNG)");
    auto* box = dlg.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(box, nullptr);
    box->setText("picture.gif");
    emit dlg.filterSelected(dlg.nameFilters().value(1));
    EXPECT_EQ(dlg.TypedName(), "picture.PNG");
    box->clear();
    emit dlg.filterSelected(dlg.nameFilters().value(0));
    EXPECT_EQ(dlg.TypedName(), "");
}

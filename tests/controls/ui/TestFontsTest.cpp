// The test programs see the fonts scripts/setup-deps.sh installs and no other,
// on every machine: a test that asks for a font the machine happens to have
// fails here as it would on a bare one, and a missing face falls back to the
// same installed family everywhere.
#include "common/TestEnvironment.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const QStringList kInstalledFamilies = {"DejaVu Sans",     "DejaVu Sans Mono", "DejaVu Serif",
                                        "Liberation Mono", "Liberation Sans",  "Liberation Serif"};
}

TEST(TestFonts, FontconfigListsOnlyTheFamiliesOfSetupDeps)
{
    QProcess list;
    list.start("fc-list", {":", "family"});
    ASSERT_TRUE(list.waitForFinished(60000)) << "fc-list (fontconfig) is missing: run scripts/setup-deps.sh";
    QStringList families = QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    families.removeDuplicates();
    families.sort();
    EXPECT_EQ(families, kInstalledFamilies) << families.join(" | ").toStdString();
}

TEST(TestFonts, OtherFacesFallBackToAnInstalledFamily)
{
    for (const QString& family : kInstalledFamilies)
        EXPECT_TRUE(RequireFontFamily(family));
    const struct {
        const char* asked;
        const char* drawn;
    } cases[] = {
        {"Arial", "Liberation Sans"},           {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},     {"DejaVu Sans Condensed", "DejaVu Sans"},
        {"DejaVu Sans Light", "DejaVu Sans"},   {"NoSuchFace", "DejaVu Sans"},
        {"Noto Sans", "DejaVu Sans"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(QFontDatabase::families().contains(c.asked)) << c.asked;
        EXPECT_EQ(QFontInfo(QFont(c.asked)).family(), c.drawn) << c.asked;
    }
    // DejaVu Sans of fonts-dejavu-core has no slanted face: a slanted one is
    // made up from the upright.
    EXPECT_FALSE(QFontDatabase::italic("DejaVu Sans", "Book"));
    EXPECT_FALSE(QFontDatabase::styles("DejaVu Sans").contains("Oblique"));
}

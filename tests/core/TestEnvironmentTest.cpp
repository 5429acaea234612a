// The test programs run in an environment of their own: nothing a test does
// reaches the user's home, configuration or current folder, and nothing of the
// machine's time zone, locale or running programs reaches a test.
#include "common/TestEnvironment.h"
#include "core/CAppProfile.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFontDatabase>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <ctime>

TEST(TestEnvironment, FoldersTimeAndLocaleArePrivate)
{
    const QString root = CPrivateTestEnvironment::Root();
    ASSERT_FALSE(root.isEmpty());
    const QString paths[] = {QDir::homePath(), QDir::currentPath(), GetProfileFolder(),
                             CAppProfile::PrivateIniPath(),
                             QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)};
    for (const QString& path : paths)
        EXPECT_TRUE(path.startsWith(root + "/")) << path.toStdString();
    const std::time_t noon = 43200;
    std::tm local{};
    localtime_r(&noon, &local);
    EXPECT_EQ(local.tm_hour, 12);
    EXPECT_EQ(QLocale::system().name(), "C");
}

TEST(TestEnvironment, InstalledFontsAreFoundByName)
{
    EXPECT_TRUE(RequireFontFamily(kTestSansFamily));
    EXPECT_TRUE(RequireFontFamily(kTestMonoFamily));
    const QString regularOnly = RegularOnlyTestFamily();
    EXPECT_EQ(regularOnly, "Kavo NoBold");
    EXPECT_FALSE(QFontDatabase::styles(regularOnly).join(' ').contains("Bold"));
}

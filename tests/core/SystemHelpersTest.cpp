#include "common/TestSupport.h"
#include "core/RegHelpers.h"
#include "core/ShellHelpers.h"
#include "core/SystemInfo.h"

#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <vector>

TEST(SystemInfo, ACurrentSystemHasTheNewShell)
{
    EXPECT_EQ(GetWinVersionClass(), 64);
    EXPECT_TRUE(IsWin2000OrLater());
    EXPECT_EQ(OSHasNewShellBits(), 64 & 0x58);
    EXPECT_TRUE(OSIsNewShell());

    std::string version = "stale";
    ASSERT_TRUE(GetProgramFileVersion(version));
    EXPECT_EQ(version, KAVO_VERSION_TEXT);
    EXPECT_FALSE(version.empty());
}

TEST(SystemInfo, CStringToWideCopiesEachByteAndStaysInItsBuffer)
{
    char16_t buffer[6];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(CStringToWide("Caf\xE9 \x80", buffer, 6), 5u);
    EXPECT_EQ(std::u16string(buffer), u"Caf\u00E9 ") << "cut to fit, never sign-extended";

    EXPECT_EQ(CStringToWide("\x80\x93", buffer, 6), 2u);
    EXPECT_EQ(std::u16string(buffer), u"\u20AC\u201C") << "Windows-1252 characters";
    EXPECT_EQ(CStringToWide("abc", buffer, 1), 0u);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(CStringToWide("abc", nullptr, 0), 0u);
}

TEST(RegHelpers, ValuesRoundTripAndSmallBuffersAreRefused)
{
    CTempProfile profile;
    const std::string key = "Software\\Morlaven Software\\KAVO Diagrammer\\System";
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, key, "Path", "C:\\Caf\xE9"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key));

    char buffer[8];
    ASSERT_TRUE(ReadRegValue(HKEY_CURRENT_USER, key, "Path", buffer, 8)) << "7 bytes + zero";
    EXPECT_STREQ(buffer, "C:\\Caf\xE9");
    std::memcpy(buffer, "unused!", 8);
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key, "Path", buffer, 7));
    EXPECT_STREQ(buffer, "unused!") << "a refused read leaves the buffer alone";
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key, "Missing", buffer, 8));
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key, "Path", nullptr, 8));
}

TEST(RegHelpers, DwordsAreWhole32BitNumbers)
{
    CTempProfile profile;
    const std::string key = "Software\\Morlaven Software\\Setup";
    struct Case {
        const char* text;
        bool ok;
        DWORD value;
    };
    const std::vector<Case> cases = {
        {"42", true, 42},         {"0", true, 0},      {"-1", true, 0xFFFFFFFFu},
        {"4294967295", true, 0xFFFFFFFFu}, {"4294967296", false, 7}, {"-2147483649", false, 7},
        {"12abc", false, 7},      {"", false, 7},      {" 5", false, 7},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, key, "Version", c.text));
        DWORD value = 7;
        EXPECT_EQ(ReadRegDword(HKEY_LOCAL_MACHINE, key, "Version", value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    DWORD value = 7;
    EXPECT_FALSE(ReadRegDword(HKEY_LOCAL_MACHINE, key, "Missing", value));
}

namespace {
class RecordingOpener {
public:
    RecordingOpener()
    {
        SetShellOpener([this](const QUrl& url) {
            opened.push_back(url);
            return answer;
        });
    }
    ~RecordingOpener() { SetShellOpener(nullptr); }
    std::vector<QUrl> opened;
    bool answer = true;
};
} // namespace

TEST(ShellHelpers, AddressesGoToTheBrowserAndPathsAsFiles)
{
    RecordingOpener opener;
    EXPECT_TRUE(OpenUrlInBrowser("http://www.example.com/check?ver=1, 0, 0, 0"));
    EXPECT_TRUE(OpenUrlInBrowser(" /home/user/Web/caf\xE9.htm "));
    EXPECT_TRUE(ShellOpenFile("/home/user/My Diagrams/plan.kvd"));
    EXPECT_TRUE(OpenUrlInBrowser("WWW.example.com/a b"));
    EXPECT_FALSE(OpenUrlInBrowser(""));
    EXPECT_FALSE(ShellOpenFile(QString()));
    ASSERT_EQ(opener.opened.size(), 4u);
    EXPECT_EQ(opener.opened[0].scheme(), "http");
    EXPECT_EQ(opener.opened[0].host(), "www.example.com");
    EXPECT_EQ(opener.opened[1], QUrl::fromLocalFile(QString::fromUtf8("/home/user/Web/café.htm")));
    EXPECT_EQ(opener.opened[2].toLocalFile(), "/home/user/My Diagrams/plan.kvd");
    EXPECT_EQ(opener.opened[3].toEncoded(), QByteArray("http://www.example.com/a%20b"));

    opener.answer = false;
    EXPECT_FALSE(OpenUrlInBrowser("https://example.com")) << "a refused start is reported";
}

TEST(ShellHelpers, FindDefaultBrowserCreatesNoFile)
{
    QString program = "stale";
    const bool found = FindDefaultBrowser(".htm", program);
    EXPECT_EQ(found, !QStandardPaths::findExecutable("xdg-open").isEmpty());
    EXPECT_EQ(found, !program.isEmpty());
    EXPECT_FALSE(QDir(QDir::tempPath()).entryList(QDir::Files).contains("tmp83987.htm"));
}

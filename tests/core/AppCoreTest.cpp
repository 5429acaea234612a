#include "common/TestSupport.h"
#include "core/AppGlobals.h"
#include "app/AppStartup.h"
#include "core/CAppProfile.h"
#include "core/CGraphicExportData.h"
#include "core/CRecentFileList.h"
#include "core/Settings.h"
#include "core/StyleNameRules.h"
#include "app/UpdateCheck.h"
#include "platform/NativePath.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(AppStartup, DiagnosticSwitchIsAWholeArgumentOnly)
{
    using Args = std::vector<std::string>;
    struct Case {
        Args in;
        bool found;
        std::string file;
    } cases[] = {
        {{"-D"}, true, ""},
        {{"/d", "file.kvd"}, true, "file.kvd"},
        {{"file.kvd", "-D", "-d"}, true, "file.kvd"},
        {{"/home/u/my-design.kvd"}, false, "/home/u/my-design.kvd"}, // not a switch inside a name
        {{"-Dx"}, false, "-Dx"},
        {{"-embedding", "x.kvd"}, false, "x.kvd"},
        {{}, false, ""},
    };
    for (auto& c : cases) {
        Args args = c.in;
        EXPECT_EQ(ParseDiagSwitch(args), c.found);
        EXPECT_EQ(CommandLineFile(c.in), c.file);
        for (const auto& a : args)
            EXPECT_FALSE(IsDiagSwitch(a));
    }
}

TEST(AppStartup, CommandLinePathBecomesAbsoluteByteForByte)
{
    const std::string cwd = NativePath(QDir::currentPath());
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"/a/./b//../c\xff.kvd", "/a/c\xff.kvd"},
        {"x\xe9.kvd", cwd + "/x\xe9.kvd"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AbsoluteCommandLinePath(c.in), c.out) << c.in;
}

TEST(AppStartup, SplashTimingAndFirstDocument)
{
    EXPECT_FALSE(SplashMayBeDismissed(true, 1000));
    EXPECT_TRUE(SplashMayBeDismissed(true, 1001));
    EXPECT_TRUE(SplashMayBeDismissed(false, 0));
    // The first run's welcome picture too closes on the timer, not at the first click.
    EXPECT_EQ(SplashIdleAction(2500), SplashIdle::KeepWaiting);
    EXPECT_EQ(SplashIdleAction(2501), SplashIdle::Close);
    // The first run opens the sample, unless the user named a file to open.
    EXPECT_EQ(ChooseStartDocument(true, "x.kvd", true, true), StartDocument::CommandLine);
    EXPECT_EQ(ChooseStartDocument(true, "", true, true), StartDocument::Sample);
    EXPECT_EQ(ChooseStartDocument(true, "", false, false), StartDocument::Sample);
    EXPECT_EQ(ChooseStartDocument(false, "x.kvd", true, true), StartDocument::CommandLine);
    EXPECT_EQ(ChooseStartDocument(false, "", true, true), StartDocument::MostRecent);
    EXPECT_EQ(ChooseStartDocument(false, "", false, true), StartDocument::None);
    EXPECT_EQ(ChooseStartDocument(false, "", true, false), StartDocument::None);
}

TEST(AppStartup, OnlyDiagramFilesEnterTheRecentList)
{
    EXPECT_TRUE(AcceptsRecentFile("/home/u/a.kvd"));
    EXPECT_TRUE(AcceptsRecentFile("C:\\x\\A.KVD"));
    EXPECT_FALSE(AcceptsRecentFile("/home/u/a.kvv"));
    EXPECT_FALSE(AcceptsRecentFile("/home/u/kvd"));
    g_bNoRecentEntry = true;
    EXPECT_FALSE(AcceptsRecentFile("/home/u/a.kvd"));
    g_bNoRecentEntry = false;
}

TEST(AppStartup, CommonBuffers)
{
    ASSERT_TRUE(AllocCommonBuffers());
    EXPECT_NE(g_pCommonBuf, nullptr);
    EXPECT_EQ(g_nTextCharBufCount, 256);
    FreeCommonBuffers();
    EXPECT_EQ(g_pCommonBuf, nullptr);
}

TEST(RecentFileList, NewestFirstAtMostFourAndPersisted)
{
    CTempProfile profile;
    ResetAppProfile();
    AfxGetAppProfile().SetRegistryKey("Morlaven Software");
    CRecentFileList list(4);
    for (const char* f : {"/a.kvd", "/b.kvd", "/c.kvd", "/d.kvd", "/e.kvd", "/B.KVD"})
        list.Add(f);
    EXPECT_EQ(list[0], "/B.KVD");
    EXPECT_EQ(list[1], "/e.kvd");
    EXPECT_EQ(list[3], "/c.kvd");
    EXPECT_EQ(list[4], "");
    list.WriteList();
    CRecentFileList again(4);
    again.ReadList();
    EXPECT_EQ(again[0], "/B.KVD");
    EXPECT_EQ(again[3], "/c.kvd");
    ResetAppProfile();
}

TEST(StyleNames, CaptionsRemindersAndValidation)
{
    EXPECT_EQ(StyleNameCaptionId(false, false, false), 493u);
    EXPECT_EQ(StyleNameCaptionId(true, false, false), 492u);
    EXPECT_EQ(StyleNameCaptionId(false, true, false), 402u);
    EXPECT_EQ(StyleNameCaptionId(true, true, true), 656u); // rename wins
    EXPECT_EQ(ConStyleNameCaptionId(true, true), 403u);     // copy wins here
    EXPECT_EQ(ConStyleNameCaptionId(false, true), 658u);
    EXPECT_EQ(ConStyleNameCaptionId(false, false), 659u);
    EXPECT_TRUE(StyleNameShowsReminder(false, false, false, true));
    EXPECT_FALSE(StyleNameShowsReminder(true, false, false, true));
    EXPECT_FALSE(StyleNameShowsReminder(false, false, false, false));
    EXPECT_FALSE(IsValidStyleName(" \t "));
    EXPECT_FALSE(IsValidStyleName(""));
    EXPECT_FALSE(IsValidStyleName("Big \"box\""));
    EXPECT_TRUE(IsValidStyleName(" Process "));
}

TEST(GraphicExport, FieldsFollowEachOther)
{
    CGraphicExportData d;
    d.m_nOrigWidth = 200;
    d.m_nOrigHeight = 100;
    d.InitSizes();
    EXPECT_EQ(d.m_nWidth, 200);
    EXPECT_EQ(d.m_nMinWidth, 20);
    EXPECT_EQ(d.m_nMaxHeight, 400);
    d.OnWidthChanged(300);
    EXPECT_EQ(d.m_nHeight, 150);
    EXPECT_EQ(d.m_nScale, 150);
    d.OnScaleChanged(50);
    EXPECT_EQ(d.m_nWidth, 100);
    EXPECT_EQ(d.m_nHeight, 50);
    d.OnHeightChanged(80);
    EXPECT_EQ(d.m_nWidth, 160);
    EXPECT_EQ(d.m_nScale, 80);
    d.m_bAntialiasAllowed = TRUE;
    EXPECT_TRUE(d.AntialiasEnabled());
    d.m_bTransparent = TRUE;
    EXPECT_FALSE(d.AntialiasEnabled());
    EXPECT_FALSE(d.BackgroundEnabled());
    // A size already in proportion by either rounding is kept: with a natural
    // size of 3 by 1, width 5 gives height 1, and that height leaves width 5
    // rather than snapping it back to 3.
    CGraphicExportData narrow;
    narrow.m_nOrigWidth = 3;
    narrow.m_nOrigHeight = 1;
    narrow.InitSizes();
    narrow.OnWidthChanged(5);
    EXPECT_EQ(narrow.m_nHeight, 1);
    narrow.OnHeightChanged(1);
    EXPECT_EQ(narrow.m_nWidth, 5);
    EXPECT_EQ(narrow.m_nScale, 166);
    // A picture without a size changes nothing and divides by nothing.
    CGraphicExportData empty;
    empty.InitSizes();
    EXPECT_EQ(empty.m_nMinWidth, 1);
    empty.OnWidthChanged(10);
    empty.OnHeightChanged(10);
    EXPECT_EQ(empty.m_nScale, 100);
}

TEST(UpdateCheck, QueryReminderAndRadios)
{
    // The version "1, 0, 0, 0" is percent-encoded.
    EXPECT_EQ(BuildUpdateCheckQuery(), "ver=1%2C%200%2C%200%2C%200&cls=20022&bld=1831&ed=std");
    EXPECT_EQ(UpdateCheckAddress().find(std::string(kUpdateCheckPage) + "?ver="), 0u);
    const std::time_t day = 86400;
    ChkUpReminderDays = 30;
    LastUpdateCheck = int(100 * day);
    EXPECT_TRUE(UpdateReminderDue(131 * day));
    EXPECT_FALSE(UpdateReminderDue(130 * day));
    ChkUpReminderDays = 0;
    EXPECT_FALSE(UpdateReminderDue(1000 * day));
    // Past 2038 the stored time does not wrap.
    ChkUpReminderDays = 30;
    LastUpdateCheck = int64_t(3000000000);
    EXPECT_FALSE(UpdateReminderDue(std::time_t(3000000000 + 10 * day)));
    ChkUpReminderDays = 30;
    LastUpdateCheck = 0; // never checked: a first start never reminds
    EXPECT_FALSE(UpdateReminderDue(1000 * day));
    EXPECT_EQ(ReminderDaysToRadio(45), 4);
    EXPECT_EQ(RadioToReminderDays(4), 0);
    EXPECT_EQ(RadioToReminderDays(ReminderDaysToRadio(60)), 60);
}

TEST(UpdateCheck, RunStoresTheTimeOnlyWhenTheBrowserStarted)
{
    CTempProfile profile;
    ResetAppProfile();
    AfxGetAppProfile().SetRegistryKey("Morlaven Software");
    LastUpdateCheck = 5;
    EXPECT_FALSE(RunUpdateCheck([](const std::string&) { return false; }, 1000));
    EXPECT_EQ(LastUpdateCheck, 5);
    static std::string opened;
    EXPECT_TRUE(RunUpdateCheck(
        [](const std::string& url) {
            opened = url;
            return true;
        },
        1000));
    EXPECT_EQ(LastUpdateCheck, 1000);
    EXPECT_EQ(opened, UpdateCheckAddress());
    // After a reminder the interval restarts whatever the answer.
    ApplyUpdateReminder(60, 2000);
    EXPECT_EQ(ChkUpReminderDays, 60);
    EXPECT_EQ(LastUpdateCheck, 2000);
    ResetAppProfile();
}

#include "common/TestSupport.h"
#include "core/CAppProfile.h"
#include "core/Settings.h"
#include "core/SettingsTable.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
const char* kAppKey = "Software\\Morlaven Software\\KAVO Diagrammer\\";

class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetAppProfile();
        AfxGetAppProfile().SetRegistryKey("Morlaven Software");
    }
    void TearDown() override { ResetAppProfile(); }
    void Store(const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(RegistrySetValue(HKEY_CURRENT_USER, std::string(kAppKey) + section, key, value));
    }
    std::string Stored(const char* section, const char* key)
    {
        return RegistryGetValue(HKEY_CURRENT_USER, std::string(kAppKey) + section, key).value_or("<none>");
    }
    CTempProfile profile;
};
} // namespace

TEST_F(SettingsTest, EmptyProfileLoadsTheDefaults)
{
    CfgLoadAll();
    EXPECT_DOUBLE_EQ(ScreenHeight, 9.0);
    EXPECT_EQ(First, 1);
    EXPECT_EQ(PaletteColors[8], 0x0080FFu);
    EXPECT_EQ(Zoom[5], 200);
    EXPECT_EQ(GridX, Metric ? 50 : 32);
    EXPECT_EQ(AutoLabelDecisionTxt, "\\sect y\\sect n");
    EXPECT_EQ(LastEnd, "block");
    EXPECT_EQ(SnapToFigLblSlots, 0);
    EXPECT_EQ(ConPtColor, 0x0494FCu);
    EXPECT_EQ(g_nShowPageState, 1);
}

TEST_F(SettingsTest, LoadRulesRepairValuesOutOfRange)
{
    struct Case {
        const char* section;
        const char* key;
        const char* stored;
        std::function<void()> check;
    } cases[] = {
        {"System", "ScreenHeight", "1.5", [] { EXPECT_DOUBLE_EQ(ScreenHeight, 9.0); }},
        {"System", "ScreenHeight", "60", [] { EXPECT_DOUBLE_EQ(ScreenHeight, 9.0); }},
        {"System", "ScreenHeight", "tall", [] { EXPECT_DOUBLE_EQ(ScreenHeight, 9.0); }},
        {"System", "ScreenHeight", "10.1", [] { EXPECT_DOUBLE_EQ(ScreenHeight, double(10.1f)); }},
        {"Palette", "Color1", "255,128,0", [] { EXPECT_EQ(PaletteColors[0], 0x0080FFu); }},
        {"Palette", "Color1", "255;128", [] { EXPECT_EQ(PaletteColors[0], 0xFFFFFFu); }},
        {"Options", "HandleSize", "8", [] { EXPECT_EQ(HandleSize, 7); }},
        {"Options", "HandleSize", "9", [] { EXPECT_EQ(HandleSize, 9); }},
        {"Options", "HandleSize", "1", [] { EXPECT_EQ(HandleSize, 7); }},
        {"Options", "SelectMode", "5", [] { EXPECT_EQ(SelectMode, 0); }},
        {"Options", "AttachMode", "2", [] { EXPECT_EQ(AttachMode, 1); }},
        {"Options", "GridX", "4", [] { EXPECT_EQ(GridX, Metric ? 50 : 32); }},
        {"Options", "SnapY", "2561", [] { EXPECT_EQ(SnapY, Metric ? 50 : 32); }},
        {"Options", "AutoStapleLabels", "1", [] { EXPECT_EQ(SnapToFigLblSlots, 1); }},
        {"Options", "AutoLabelDecisionTxt", "yes\\sect", [] { EXPECT_EQ(AutoLabelDecisionTxt, "yes\\sect "); }},
        {"Preferences", "LastEnd", "", [] { EXPECT_EQ(LastEnd, "block"); }},
        {"Palette", "Color2", "300,0,-5", [] { EXPECT_EQ(PaletteColors[1], 0x0000FFu); }},
        {"Options", "Zoom3", "0", [] { EXPECT_EQ(Zoom[2], 80); }},
        {"Options", "HandleSize", "1001", [] { EXPECT_EQ(HandleSize, 7); }},
        {"Options", "ScaleImport", "401", [] { EXPECT_EQ(ScaleImport, 100); }},
        {"Preferences", "AutoSaveMinutes", "1", [] { EXPECT_EQ(AutoSaveMinutes, 10); }},
        {"Preferences", "AutoSaveMinutes", "0", [] { EXPECT_EQ(AutoSaveMinutes, 0); }},
        {"System", "LastUpdateCheck", "3000000000", [] { EXPECT_EQ(LastUpdateCheck, int64_t(3000000000)); }},
        {"System", "LastUpdateCheck", "soon", [] { EXPECT_EQ(LastUpdateCheck, 0); }},
        {"System", "LastUpdateCheck", "-5", [] { EXPECT_EQ(LastUpdateCheck, 0); }},
        // Values outside what the program can use take their defaults.
        {"Preferences", "ShadowOpacity", "999999", [] { EXPECT_EQ(ShadowOpacity, 153); }},
        {"Preferences", "ShadowBlurRadius", "100000", [] { EXPECT_EQ(ShadowBlurRadius, 4); }},
        {"Options", "ConnectorJogRadius", "-100", [] { EXPECT_EQ(ConnectorJogRadius, 18); }},
        {"Preferences", "LastEndLen", "-7", [] { EXPECT_EQ(LastEndLen, 36); }},
        {"Options", "HTMLGraphicFormat", "-1", [] { EXPECT_EQ(HTMLGraphicFormat, 4); }},
        {"Options", "HTMLGraphicFormat", "6", [] { EXPECT_EQ(HTMLGraphicFormat, 4); }},
        {"Options", "HTMLGraphicFormat", "7", [] { EXPECT_EQ(HTMLGraphicFormat, 7); }},
        {"Options", "AttachMode", "77", [] { EXPECT_EQ(AttachMode, 1); }},
        {"Options", "AttachMode", "3", [] { EXPECT_EQ(AttachMode, 3); }},
        {"Options", "Metric", "7", [] { EXPECT_EQ(Metric, SystemUsesMetric() ? 1 : 0); }},
        {"System", "ChkUpReminderDays", "-1", [] { EXPECT_EQ(ChkUpReminderDays, 30); }},
        {"System", "ChkUpReminderDays", "0", [] { EXPECT_EQ(ChkUpReminderDays, 0); }},
        {"System", "ChkUpReminderDays", "60", [] { EXPECT_EQ(ChkUpReminderDays, 60); }},
        {"Options", "FigLblPrimarySector", "13", [] { EXPECT_EQ(FigLblPrimarySector, 8); }},
        {"Options", "AutoStapleLabels", "9", [] { EXPECT_EQ(SnapToFigLblSlots, 0); }},
        {"Placement", "Length", "13", [] { EXPECT_EQ(Placement.Length, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        ResetSettings();
        CTempProfile fresh;
        Store(c.section, c.key, c.stored);
        CfgLoadAll();
        c.check();
    }
}

// Whatever integer a profile holds, a setting loads either as stored or, when
// the program cannot use it, exactly as if it were missing.
TEST_F(SettingsTest, AbsurdIntegersLoadAsTheirDefaults)
{
    CfgLoadAll();
    std::vector<std::pair<const SettingDef*, int64_t>> defaults;
    for (const SettingDef& d : SettingsTable())
        if (d.var && d.kind == SettingKind::Int)
            defaults.emplace_back(&d, *static_cast<int*>(d.var));
        else if (d.var && d.kind == SettingKind::Time)
            defaults.emplace_back(&d, *static_cast<int64_t*>(d.var));
    for (const char* absurd : {"-2000000000", "2000000000", "-100000", "100000"}) {
        CTempProfile fresh;
        for (const auto& [d, def] : defaults)
            if (!(d->flags & kWriteOnly) && std::strcmp(d->key, "LastUpdateCheck") != 0)
                Store(d->section, d->key, absurd);
        ResetSettings();
        CfgLoadAll();
        for (const auto& [d, def] : defaults) {
            if (d->flags & kWriteOnly || std::strcmp(d->key, "LastUpdateCheck") == 0)
                continue;
            const int64_t loaded = d->kind == SettingKind::Int ? *static_cast<int*>(d->var)
                                                               : *static_cast<int64_t*>(d->var);
            EXPECT_EQ(loaded, def) << d->key << "=" << absurd;
        }
    }
}

TEST_F(SettingsTest, GridDefaultFollowsMetric)
{
    Store("Options", "Metric", "1");
    Store("Options", "GridY", "4");
    CfgLoadAll();
    EXPECT_EQ(GridY, 50);
    Store("Options", "Metric", "0");
    CfgLoadAll();
    EXPECT_EQ(GridY, 32);
}

TEST_F(SettingsTest, SaveWritesEveryValueInOrderAndFirstAsZero)
{
    CfgLoadAll();
    ScreenHeight = 12.3456;
    PaletteColors[0] = RGB(1, 2, 3);
    LastEnd = "arrow";
    ASSERT_TRUE(CfgSaveAll());
    EXPECT_EQ(Stored("System", "ScreenHeight"), "12.346");
    EXPECT_EQ(Stored("System", "First"), "0");
    EXPECT_EQ(Stored("Palette", "Color1"), "1,2,3");
    EXPECT_EQ(Stored("Preferences", "LastEnd"), "arrow");
    // Read-only values are never written.
    EXPECT_EQ(Stored("Options", "EnableConPts"), "<none>");
    EXPECT_EQ(Stored("Options", "AutoStapleLabels"), "<none>");
    const auto keys = AppProfileStore().Keys("System");
    const std::vector<std::string> expected = {"CropMarks", "ScreenHeight", "OpenDir", "SaveAsDir",
                                               "LinkDir", "First", "LastUpdateCheck", "ChkUpReminderDays"};
    EXPECT_EQ(keys, expected);
    // A second load gives back what was saved.
    ResetSettings();
    CfgLoadAll();
    EXPECT_DOUBLE_EQ(ScreenHeight, double(12.346f));
    EXPECT_EQ(LastEnd, "arrow");
    EXPECT_EQ(First, 0);
}

// The defaults of a fresh profile, saved: every section holds its keys in the
// order they are written, each value in its encoding ("%d,%d,%d" colours of
// red, green and blue; "%.3f" reals). Metric and the grid sizes follow the
// desktop's units and are checked on their own.
TEST_F(SettingsTest, SavedDefaultsHoldEveryKeyInWriteOrder)
{
    CfgLoadAll();
    ASSERT_TRUE(CfgSaveAll());
    using Keys = std::vector<std::pair<std::string, std::string>>;
    const std::string grid = Metric ? "50" : "32";
    const std::string metric = Metric ? "1" : "0";
    const std::pair<const char*, Keys> sections[] = {
        {"Placement", {{"Left", "0"}, {"Top", "0"}, {"Right", "0"}, {"Bottom", "0"}, {"Length", "0"},
                       {"Flags", "0"}, {"MinimizedX", "0"}, {"MinimizedY", "0"}, {"MaximizedX", "0"},
                       {"MaximizedY", "0"}}},
        {"System", {{"CropMarks", "1"}, {"ScreenHeight", "9.000"}, {"OpenDir", ""}, {"SaveAsDir", ""},
                    {"LinkDir", ""}, {"First", "0"}, {"LastUpdateCheck", "0"}, {"ChkUpReminderDays", "30"}}},
        {"Palette", {{"Color1", "255,255,255"}, {"Color2", "192,192,192"}, {"Color3", "130,130,130"},
                     {"Color4", "0,0,0"}, {"Color5", "0,255,255"}, {"Color6", "0,0,255"}, {"Color7", "0,0,160"},
                     {"Color8", "128,0,128"}, {"Color9", "255,128,0"}, {"Color10", "255,0,0"},
                     {"Color11", "128,0,64"}, {"Color12", "128,64,0"}, {"Color13", "0,255,0"},
                     {"Color14", "0,128,0"}, {"Color15", "128,128,255"}, {"Color16", "255,255,0"}}},
        {"Options",
         {{"SelectMode", "0"}, {"Metric", metric}, {"GridX", grid}, {"GridY", grid}, {"SnapX", grid},
          {"SnapY", grid}, {"RoundedRadius", "16"}, {"ShowRulers", "1"}, {"ShowStatusBar", "1"},
          {"ShowPropertyBar", "1"}, {"ShowStdToolBar", "1"}, {"ShowPage", "1"}, {"CollapsedStyleBar", "0"},
          {"ShowConnectionPoints", "0"}, {"ShowConnectionGuides", "0"}, {"AutoOpen", "1"}, {"AttachMode", "1"},
          {"ShowGrid", "1"}, {"ShowGridAsDots", "1"}, {"AlignToGrid", "1"}, {"AlignToGridConPts", "0"},
          {"RemindStyles", "1"}, {"WarnNoUndoScale", "1"}, {"WarnNoUndoStyles", "1"},
          {"WarnOutsideMargins", "1"}, {"AutoEditOnCreate", "0"}, {"Zoom1", "25"}, {"Zoom2", "50"},
          {"Zoom3", "80"}, {"Zoom4", "100"}, {"Zoom5", "150"}, {"Zoom6", "200"}, {"ExpType", "0"},
          {"ImpType", "0"}, {"ExpTransp", "0"}, {"ExpDir", ""}, {"ImpDir", ""}, {"ExpPct", "100"},
          {"ExpAntialias", "1"}, {"PageColor", "255,255,255"}, {"OffPageColor", "204,252,252"},
          {"MarginsColor", "128,128,128"}, {"GridColor", "192,192,192"}, {"HandleColor", "255,0,0"},
          {"ReshapeHandleColor", "255,255,0"}, {"ConPtColor", "252,148,4"}, {"ConnectorJogs", "1"},
          {"ConnectorJogRadius", "18"}, {"JunctionDots", "0"}, {"SnapToConLblSlots", "1"},
          {"SnapToFlwLblSlots", "1"}, {"SnapToLatLblSlots", "1"}, {"SnapToFigLblSlots", "0"},
          {"SnapToFlows", "1"}, {"FigLblPrimarySector", "8"}, {"SnapToFigLblPrimarySlotOnly", "1"},
          {"EnableOldBranchLabels", "0"}, {"OversizeTextRect", "1"}, {"AutoLabelDecision", "0"},
          {"AutoLabelDecisionTxt", "\\sect y\\sect n"}, {"AutoLabelOnCreate", "1"}, {"PreviewSave", "1"},
          {"ClipEachObject", "0"}, {"ConPointMarks", "0"}, {"ScaleImport", "100"}, {"HandleSize", "7"},
          {"HtmlExtension", ""}, {"HtmlFolder", ""}, {"HtmlScale", "100"}, {"HtmlQuality", "85"},
          {"HtmlColorBits", "24"}, {"HtmlInclDiagrams", "1"}, {"HtmlInclDocs", "0"}, {"HtmlInclURLs", "1"},
          {"BitmapBackgroundColor", "255,255,255"}, {"AutoStyleButtons", "1"}, {"ShowStyleBarCombos", "1"},
          {"HTMLGraphicFormat", "4"}}},
        {"Preferences",
         {{"FullPathCaptions", "0"}, {"UseWizard", "1"}, {"LimitedWorkspace", "1"},
          {"AutoDeleteOrphanCons", "1"}, {"UndoableNavigation", "1"}, {"ShadowX", "8"}, {"ShadowY", "8"},
          {"ShadowColor", "0,0,0"}, {"ShadowBlurRadius", "4"}, {"ShadowOpacity", "153"},
          {"SelectAfterFigureCreate", "0"}, {"SelectAfterConnectorCreate", "0"}, {"DoubleClickEditsText", "0"},
          {"AutoSave", "0"}, {"AutoSaveMinutes", "10"}, {"AutoBackup", "0"}, {"LastEndLen", "36"},
          {"LastEnd", "block"}, {"NonRectBounds", "1"}, {"ImportTranspEdges", "1"},
          {"ImportCleanBackground", "1"}, {"SmartDefaults", "1"}, {"ShiftToSlide", "0"}, {"SmartGrowth", "1"},
          {"ResizeByStretching", "1"}, {"ExportWholeLines", "0"}, {"RelativeLinks", "1"},
          {"PromptForApplyToGroups", "1"}, {"ApplyToGroups", "0"}, {"NoSplash", "0"}, {"DisplayQuality", "1"}}},
    };
    for (const auto& [section, keys] : sections) {
        std::vector<std::string> order;
        for (const auto& [key, text] : keys) {
            order.push_back(key);
            EXPECT_EQ(Stored(section, key.c_str()), text) << section << " " << key;
        }
        EXPECT_EQ(AppProfileStore().Keys(section), order) << section;
    }
    // Read but never written: they keep their defaults.
    EXPECT_EQ(EnableConPts, 1);
    EXPECT_EQ(EnableAutoOrthogonal, 1);
    EXPECT_EQ(FullColorIcons, 1);
}

TEST_F(SettingsTest, FailedSaveReportsOnceAndKeepsThePreviousFile)
{
    CfgLoadAll();
    ASSERT_TRUE(CfgSaveAll());
    // Make the profile file unreplaceable: its folder becomes read-only is not
    // enough for root, so put a folder where the temporary must go.
    const QString folder = profile.Folder() + "/Morlaven Software";
    QFile::remove(folder + "/KAVO Diagrammer.ini");
    ASSERT_TRUE(QDir().mkpath(folder + "/KAVO Diagrammer.ini"));
    CRecordingPrompt prompts;
    ShowGrid = 0;
    EXPECT_FALSE(CfgSaveAll());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Configuration save failed.");
    EXPECT_EQ(prompts.shown[0].type, UINT(MB_ICONEXCLAMATION));
}

TEST_F(SettingsTest, LaunchingGuard)
{
    EXPECT_EQ(CfgSetLaunching(), 0);
    EXPECT_EQ(CfgSetLaunching(), 1);
    EXPECT_TRUE(CfgClearLaunching());
    EXPECT_EQ(CfgSetLaunching(), 0);
}

// A guard that cannot be set reports no unfinished start: a profile that
// cannot be written must not turn AutoOpen off at every start.
TEST_F(SettingsTest, LaunchingGuardThatCannotBeWrittenReadsAsClear)
{
    EXPECT_EQ(CfgSetLaunching(), 0);
    const QString folder = profile.Folder() + "/Morlaven Software";
    QFile::remove(folder + "/KAVO Diagrammer.ini");
    ASSERT_TRUE(QDir().mkpath(folder + "/KAVO Diagrammer.ini"));
    ASSERT_EQ(AfxGetAppProfile().GetProfileInt("System", "Launching", 0), 1u);
    EXPECT_EQ(CfgSetLaunching(), 0);
    EXPECT_FALSE(CfgClearLaunching());
}

TEST_F(SettingsTest, ToolbarListsKeepEveryEntryAndNeverOverrunTheArray)
{
    // A full bar of five-digit ids is far past 260 characters; every id is kept.
    std::vector<int> codes(100);
    for (int i = 0; i < 100; ++i)
        codes[size_t(i)] = 32000 + i;
    ASSERT_TRUE(CfgSaveToolbarItem(3, codes.data(), 100));
    EXPECT_GT(Stored("Options", "Toolbar_3").size(), 260u);
    int loaded[100] = {};
    int count = 0;
    ASSERT_TRUE(CfgLoadToolbarItem(3, loaded, 100, count));
    ASSERT_EQ(count, 100);
    EXPECT_EQ(loaded[99], 32099);

    // A stored count larger than the caller's array is clamped to it.
    Store("Options", "Toolbar_4", "500 1 2 3");
    int small[2] = {};
    ASSERT_TRUE(CfgLoadToolbarItem(4, small, 2, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(small[1], 2);
    // Fewer codes than claimed: the count becomes what was read.
    Store("Options", "Toolbar_5", "4 7 8");
    ASSERT_TRUE(CfgLoadToolbarItem(5, loaded, 100, count));
    EXPECT_EQ(count, 2);
    Store("Options", "Toolbar_6", "");
    EXPECT_FALSE(CfgLoadToolbarItem(6, loaded, 100, count));
}

TEST_F(SettingsTest, PrivateFileBeforeTheRegistryKey)
{
    ResetAppProfile();
    CAppProfile& p = AfxGetAppProfile();
    ASSERT_FALSE(p.UsesRegistry());
    EXPECT_TRUE(p.WriteProfileInt("Options", "ShowGrid", 0));
    EXPECT_TRUE(QFile::exists(profile.Folder() + "/KAVO Diagrammer.ini"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Morlaven Software\\KAVO Diagrammer"));
    CfgLoadAll();
    EXPECT_EQ(ShowGrid, 0);
    // Migration: the registry key is chosen and everything is written into it.
    p.SetRegistryKey("Morlaven Software");
    ASSERT_TRUE(CfgSaveAll());
    EXPECT_EQ(Stored("Options", "ShowGrid"), "0");
}

// Saving every setting into the private file replaces the file once, at the
// end, not once per key.
TEST_F(SettingsTest, PrivateFileIsWrittenOncePerSave)
{
    ResetAppProfile();
    CAppProfile& p = AfxGetAppProfile();
    ASSERT_FALSE(p.UsesRegistry());
    const QString file = CAppProfile::PrivateIniPath();
    {
        CRegistryBatch batch;
        EXPECT_TRUE(p.WriteProfileInt("Options", "ShowGrid", 0));
        EXPECT_TRUE(p.WriteProfileInt("Options", "ShowRulers", 0));
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_TRUE(QFile::exists(file));
    CfgLoadAll();
    ASSERT_TRUE(CfgSaveAll());
    ResetAppProfile();
    ResetSettings();
    CfgLoadAll();
    EXPECT_EQ(ShowGrid, 0);
    EXPECT_EQ(ShowRulers, 0);
}

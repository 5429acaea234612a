#include "core/Settings.h"

#include "core/CAppProfile.h"
#include "core/SettingsTable.h"
#include "core/MsgBox.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"

#include <QLocale>

#include <charconv>
#include <cstring>

namespace {
constexpr const char* kSectionSystem = "System";
constexpr const char* kSectionOptions = "Options";
constexpr const char* kDecisionSeparator = "\\sect ";

int GridDefault()
{
    return Metric ? 50 : 32;
}

int ResolvedDefault(const SettingDef& d)
{
    if (d.defInt == kGridDefault)
        return GridDefault();
    if (d.defInt == kMetricDefault)
        return SystemUsesMetric() ? 1 : 0;
    return d.defInt;
}

void LoadOne(const SettingDef& d)
{
    CAppProfile& p = AfxGetAppProfile();
    switch (d.kind) {
    case SettingKind::Int: {
        *static_cast<int*>(d.var) = int(p.GetProfileInt(d.section, d.key, ResolvedDefault(d)));
        break;
    }
    case SettingKind::Color:
        *static_cast<COLORREF*>(d.var) = p.GetProfileColor(d.section, d.key, COLORREF(d.defInt));
        break;
    case SettingKind::Real:
        *static_cast<double*>(d.var) = p.GetProfileReal(d.section, d.key, d.defReal);
        break;
    case SettingKind::Text:
        *static_cast<std::string*>(d.var) = p.GetProfileString(d.section, d.key, "");
        break;
    case SettingKind::Time: {
        const std::string text = p.GetProfileString(d.section, d.key, "");
        int64_t v = d.defInt;
        auto res = std::from_chars(text.data(), text.data() + text.size(), v);
        *static_cast<int64_t*>(d.var) = res.ec == std::errc() ? v : d.defInt;
        break;
    }
    }
}

bool WriteOne(const SettingDef& d)
{
    CAppProfile& p = AfxGetAppProfile();
    switch (d.kind) {
    case SettingKind::Int: return p.WriteProfileInt(d.section, d.key, *static_cast<int*>(d.var));
    case SettingKind::Color:
        return p.WriteProfileColor(d.section, d.key, *static_cast<COLORREF*>(d.var));
    case SettingKind::Real:
        return p.WriteProfileReal(d.section, d.key, *static_cast<double*>(d.var));
    case SettingKind::Text:
        return p.WriteProfileString(d.section, d.key, *static_cast<std::string*>(d.var));
    case SettingKind::Time:
        return p.WriteProfileString(d.section, d.key,
                                    StrPrintf("%lld", static_cast<long long>(*static_cast<int64_t*>(d.var))));
    }
    return false;
}

void CompleteDecisionText()
{
    const std::string sep = kDecisionSeparator;
    const std::string stem = sep.substr(0, sep.size() - 1);
    if (AutoLabelDecisionTxt.empty())
        AutoLabelDecisionTxt = "\\sect y\\sect n";
    else if (AutoLabelDecisionTxt.size() >= sep.size() &&
             AutoLabelDecisionTxt.compare(AutoLabelDecisionTxt.size() - stem.size(), stem.size(),
                                          stem) == 0)
        AutoLabelDecisionTxt += ' ';
}

// Every integer and time setting outside its range (or set) takes its default,
// in table order, so that Metric is sound before the grid defaults follow it.
void RepairFromTable()
{
    for (const SettingDef& d : SettingsTable()) {
        if (!d.var || (d.flags & kWriteOnly))
            continue;
        if (d.kind == SettingKind::Int) {
            int& v = *static_cast<int*>(d.var);
            if (!SettingValueValid(d, v))
                v = ResolvedDefault(d);
        } else if (d.kind == SettingKind::Time) {
            int64_t& v = *static_cast<int64_t*>(d.var);
            if (!SettingValueValid(d, v))
                v = d.defInt;
        }
    }
}

// Rules applied after every value has been read, in the table's order.
void ApplyLoadRules(int autoStapleLabels)
{
    RepairFromTable();
    if (ScreenHeight < 2.0 || ScreenHeight > 50.0)
        ScreenHeight = 9.0;
    if (AttachMode == 2)
        AttachMode = 1;
    CompleteDecisionText();
    if (SnapToFigLblSlots == 2)
        SnapToFigLblSlots = autoStapleLabels != 2 ? autoStapleLabels : 0;
    if (HandleSize % 2 == 0)
        HandleSize = 7;
    // 0 stops the autosave timer; otherwise 2 to 60 minutes.
    if (AutoSaveMinutes == 1)
        AutoSaveMinutes = 10;
    if (LastEnd.empty())
        LastEnd = "block";
    g_nShowPageState = ShowPage;
}
} // namespace

bool SystemUsesMetric()
{
    return QLocale::system().measurementSystem() == QLocale::MetricSystem;
}

void CfgLoadAll()
{
    DiagPrintf("STAT  CfgLoadAll()\n");
    int autoStapleLabels = 2;
    for (const SettingDef& d : SettingsTable()) {
        if (d.flags & kWriteOnly)
            continue;
        if (d.flags & kTemporary) {
            autoStapleLabels = int(AfxGetAppProfile().GetProfileInt(d.section, d.key, d.defInt));
            if (!SettingValueValid(d, autoStapleLabels))
                autoStapleLabels = d.defInt;
            continue;
        }
        LoadOne(d);
    }
    ApplyLoadRules(autoStapleLabels);
}

bool CfgWriteAll()
{
    // One batch: the profile file is replaced once, whole, so a failed save
    // leaves the previous settings intact rather than half of each.
    CRegistryBatch batch;
    for (const char* const* key = SettingsWriteOrder(); *key; ++key) {
        const SettingDef* d = FindSetting(*key);
        Q_ASSERT(d);
        if (!d)
            return false;
        if (std::strcmp(d->key, "First") == 0) {
            if (!AfxGetAppProfile().WriteProfileInt(d->section, d->key, 0))
                return false;
        } else if (!WriteOne(*d)) {
            return false;
        }
    }
    return RegistryFlush();
}

bool CfgSaveAll()
{
    DiagPrintf("STAT  CfgSaveAll()\n");
    bool ok = CfgWriteAll();
    if (!ok)
        MsgBoxResPrintf(MB_ICONEXCLAMATION, 470);
    return ok;
}

int CfgSetLaunching()
{
    CAppProfile& p = AfxGetAppProfile();
    int was = int(p.GetProfileInt(kSectionSystem, "Launching", 0));
    if (!p.WriteProfileInt(kSectionSystem, "Launching", 1))
        return 0;
    return was;
}

bool CfgClearLaunching()
{
    return AfxGetAppProfile().WriteProfileInt(kSectionSystem, "Launching", 0);
}

bool CfgSaveToolbarItem(int toolbar, const int* codes, int count)
{
    // The profile has no line limit: a full bar of 100 entries is kept whole.
    std::string text = StrPrintf("%d", count);
    for (int i = 0; i < count; ++i)
        text += StrPrintf(" %d", codes[i]);
    const std::string key = StrPrintf("%s_%d", "Toolbar", toolbar);
    return AfxGetAppProfile().WriteProfileString(kSectionOptions, key.c_str(), text);
}

bool CfgLoadToolbarItem(int toolbar, int* codes, int capacity, int& count)
{
    const std::string key = StrPrintf("%s_%d", "Toolbar", toolbar);
    const std::string text = AfxGetAppProfile().GetProfileString(kSectionOptions, key.c_str(), "");
    count = 0;
    if (text.empty())
        return false;
    auto n = ScanInt(text);
    count = n ? *n : 0;
    if (count <= 0)
        return false;
    if (count > capacity)
        count = capacity;
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        size_t blank = text.find(' ', pos);
        if (blank == std::string::npos) {
            count = i;
            break;
        }
        pos = blank + 1;
        auto code = ScanInt(std::string_view(text).substr(pos));
        codes[i] = code ? *code : 0;
    }
    return count > 0;
}

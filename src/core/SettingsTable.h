#pragma once
// The settings table: every profile value of the user's settings with its
// section, key, encoding, variable and default, in load order; and the order in
// which they are written. Loading, saving and resetting all walk this one table.

#include <climits>
#include <cstdint>

// Time: a 64-bit count of seconds, stored as decimal text.
enum class SettingKind { Int, Color, Real, Text, Time };

// Special defaults resolved when loading.
constexpr int kGridDefault = -100001;   // 50 in metric units, else 32
constexpr int kMetricDefault = -100002; // from the user's locale

// Flags
constexpr int kWriteOnly = 1; // written by CfgWriteAll, never read back
constexpr int kReadOnly = 2;  // read by CfgLoadAll, never written
constexpr int kTemporary = 4; // read into a temporary of the load rules only

// The values an integer or time setting may take: lo..hi, and when `set` is
// given (a list ending with kEndOfSet) only the values in it. A value read
// outside takes the setting's default.
constexpr int kEndOfSet = INT_MIN;

struct SettingDef {
    const char* section;
    const char* key;
    SettingKind kind;
    void* var; // null for a temporary
    int defInt;
    double defReal;
    int flags;
    int lo = INT_MIN;
    int hi = INT_MAX;
    const int* set = nullptr;
};
// Whether a value lies in the setting's range (and set).
bool SettingValueValid(const SettingDef& d, int64_t value);

// The table in load order, and its length.
const SettingDef* SettingsTableBegin();
const SettingDef* SettingsTableEnd();
struct SettingsRange {
    const SettingDef* begin() const { return SettingsTableBegin(); }
    const SettingDef* end() const { return SettingsTableEnd(); }
};
inline SettingsRange SettingsTable() { return {}; }
// Keys in CfgWriteAll's order, ending with a null entry.
const char* const* SettingsWriteOrder();
const SettingDef* FindSetting(const char* key);

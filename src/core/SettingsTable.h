#pragma once
// The settings table: every profile value of the user's settings with its
// section, key, encoding, variable and default, in load order; and the order in
// which they are written. Loading, saving and resetting all walk this one table.

enum class SettingKind { Int, Color, Real, Text };

// Special defaults resolved when loading.
constexpr int kGridDefault = -100001;   // 50 in metric units, else 32
constexpr int kMetricDefault = -100002; // from the user's locale

// Flags
constexpr int kWriteOnly = 1; // written by CfgWriteAll, never read back
constexpr int kReadOnly = 2;  // read by CfgLoadAll, never written
constexpr int kTemporary = 4; // read into a temporary of the load rules only

struct SettingDef {
    const char* section;
    const char* key;
    SettingKind kind;
    void* var; // null for a temporary
    int defInt;
    double defReal;
    int flags;
};

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

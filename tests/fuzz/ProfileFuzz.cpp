// Feeds arbitrary bytes to the settings store: the bytes become the profile
// file (and the private initialisation file), which the store, the registry
// stand-in and the profile readers then read. Every setting must load within
// its range, every colour within 24 bits, and a saved store must read back as
// it was.
#include "core/CAppProfile.h"
#include "core/Settings.h"
#include "core/SettingsTable.h"
#include "platform/CProfileStore.h"
#include "platform/Registry.h"
#include "FuzzScratch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>

namespace {
const QString& Folder()
{
    static const QString folder = [] {
        const QString f = FuzzScratchPath("kavo-profile-fuzz");
        QDir().mkpath(f + "/" + kCompanyName);
        SetProfileFolder(f);
        return f;
    }();
    // Removed when the program ends.
    static const struct Cleanup {
        ~Cleanup() { QDir(folder).removeRecursively(); }
    } cleanup;
    return folder;
}

void WriteFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
}

void CheckLoadedSettings()
{
    for (const SettingDef& d : SettingsTable()) {
        if (!d.var || (d.flags & kWriteOnly))
            continue;
        if (d.kind == SettingKind::Int && !SettingValueValid(d, *static_cast<int*>(d.var)))
            __builtin_trap();
        if (d.kind == SettingKind::Time && !SettingValueValid(d, *static_cast<int64_t*>(d.var)))
            __builtin_trap();
        if (d.kind == SettingKind::Color && *static_cast<COLORREF*>(d.var) > 0xFFFFFF)
            __builtin_trap();
    }
    if (!(ScreenHeight >= 2.0 && ScreenHeight <= 50.0))
        __builtin_trap();
}

// The store's save must give back exactly what it held.
void CheckRoundTrip(const CProfileStore& loaded)
{
    const QString path = Folder() + "/roundtrip.ini";
    CProfileStore copy(path);
    for (const std::string& section : loaded.Sections())
        for (const std::string& key : loaded.Keys(section))
            copy.SetValue(section, key, *loaded.GetValue(section, key));
    if (!copy.Save())
        return;
    CProfileStore back(path);
    if (!back.Load())
        __builtin_trap();
    for (const std::string& section : loaded.Sections())
        for (const std::string& key : loaded.Keys(section))
            if (back.GetValue(section, key) != loaded.GetValue(section, key))
                __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = Folder();
    const QString appFile = folder + "/" + kCompanyName + "/" + QString::fromStdString(GetRegistryAppName()) + ".ini";
    WriteFile(appFile, data, size);
    WriteFile(CAppProfile::PrivateIniPath(), data, size);
    SetProfileFolder(folder); // drops the stores read before

    CProfileStore store(appFile);
    if (store.Load())
        CheckRoundTrip(store);

    // The private file, then the registry key, as a first start reads them.
    for (bool registry : {false, true}) {
        ResetAppProfile();
        ResetSettings();
        CAppProfile& profile = AfxGetAppProfile();
        if (registry)
            profile.SetRegistryKey(kCompanyName);
        CfgLoadAll();
        CheckLoadedSettings();
        int codes[64];
        int count = 0;
        for (int toolbar = 0; toolbar < 4; ++toolbar)
            if (CfgLoadToolbarItem(toolbar, codes, 64, count) && (count <= 0 || count > 64))
                __builtin_trap();
        for (const std::string& section : store.Sections())
            for (const std::string& key : store.Keys(section)) {
                if (profile.GetProfileColor(section.c_str(), key.c_str(), 0) > 0xFFFFFF)
                    __builtin_trap();
                (void)profile.GetProfileReal(section.c_str(), key.c_str(), 0.0);
                (void)profile.GetProfileInt(section.c_str(), key.c_str(), 0);
            }
    }
    (void)RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Morlaven Software\\KAVO Diagrammer\\Options");
    (void)RegistryGetValue(HKEY_CLASSES_ROOT, "Morlaven.Diagram\\shell\\open\\ddeexec\\application", "");
    ResetAppProfile();
    return 0;
}

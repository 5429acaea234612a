#pragma once
// The registry stand-in. Keys under HKEY_CURRENT_USER\Software\Morlaven
// Software\<application> live in the application's profile file
// "<config>/Morlaven Software/<application>.ini" (one section per subkey below
// the application key); every other key lives in "<config>/Morlaven
// Software/registry/<root>.ini" with the whole subkey path as the section.
// <config> is $XDG_CONFIG_HOME (or ~/.config) unless SetProfileFolder chose one.
#include "platform/CProfileStore.h"

#include <QString>

#include <optional>
#include <string>

using HKEY = int;
constexpr HKEY HKEY_CLASSES_ROOT = 0;
constexpr HKEY HKEY_CURRENT_USER = 1;
constexpr HKEY HKEY_LOCAL_MACHINE = 2;

constexpr const char* kCompanyName = "Morlaven Software";

// The folder that holds "Morlaven Software"; tests point it at a temporary
// folder. Changing it drops every loaded store.
void SetProfileFolder(const QString& folder);
// The folder SetProfileFolder chose (empty: the user's config folder).
QString GetProfileFolderOverride();
QString GetProfileFolder();
// The application name of the profile key (the application title).
void SetRegistryAppName(const std::string& name);
const std::string& GetRegistryAppName();
// The application's profile file.
CProfileStore& AppProfileStore();

bool RegistryKeyExists(HKEY root, const std::string& subkey);
std::optional<std::string> RegistryGetValue(HKEY root, const std::string& subkey,
                                            const std::string& name);
// Writes the value and saves the file (unless a CRegistryBatch is open).
bool RegistrySetValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& value);
bool RegistryDeleteValue(HKEY root, const std::string& subkey, const std::string& name);
// Creates the key (an empty section) and saves.
bool RegistryCreateKey(HKEY root, const std::string& subkey);

// While one is open, writes are kept in memory; the last one to close saves
// every store that changed.
class CRegistryBatch {
public:
    CRegistryBatch();
    ~CRegistryBatch();
    CRegistryBatch(const CRegistryBatch&) = delete;
    CRegistryBatch& operator=(const CRegistryBatch&) = delete;
};
// Saves stores changed inside batches; false when one could not be written.
bool RegistryFlush();
// Saves a store that lives outside the registry stand-in (the private
// initialisation file) now, or, while a batch is open, once when it closes.
bool RegistryCommitStore(CProfileStore& store);
// Drops a store about to be destroyed from the batch's pending saves.
void RegistryForgetStore(const CProfileStore& store);

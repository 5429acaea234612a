#include "platform/Registry.h"

#include "platform/TextCase.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>

namespace {
QString g_folder;
std::string g_appName = "KAVO Diagrammer";
std::map<QString, std::unique_ptr<CProfileStore>> g_stores;
std::set<QString> g_dirty;
std::set<CProfileStore*> g_dirtyOutside; // stores that are not in g_stores
int g_batchDepth = 0;

QString BaseFolder()
{
    QString root = g_folder;
    if (root.isEmpty()) {
        root = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (root.isEmpty())
            root = QDir::homePath() + "/.config";
    }
    return root + "/" + kCompanyName;
}

CProfileStore& StoreAt(const QString& path)
{
    auto& slot = g_stores[path];
    if (!slot) {
        slot = std::make_unique<CProfileStore>(path);
        slot->Load();
    }
    return *slot;
}

std::string AppKey()
{
    return std::string("Software\\") + kCompanyName + "\\" + g_appName;
}

const char* RootName(HKEY root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    default: return "HKEY_CURRENT_USER";
    }
}

struct Location {
    CProfileStore* store;
    std::string section; // empty: the application key itself
};

Location Locate(HKEY root, std::string subkey)
{
    std::replace(subkey.begin(), subkey.end(), '/', '\\');
    while (!subkey.empty() && subkey.back() == '\\')
        subkey.pop_back();
    const std::string app = AppKey();
    if (root == HKEY_CURRENT_USER && EqualNoCase(std::string_view(subkey).substr(0, app.size()), app) &&
        (subkey.size() == app.size() || subkey[app.size()] == '\\')) {
        std::string rest = subkey.size() > app.size() ? subkey.substr(app.size() + 1) : "";
        return {&AppProfileStore(), rest};
    }
    return {&StoreAt(BaseFolder() + "/registry/" + RootName(root) + ".ini"), subkey};
}

bool Commit(CProfileStore& store)
{
    if (g_batchDepth > 0) {
        g_dirty.insert(store.Path());
        return true;
    }
    return store.Save();
}
} // namespace

void SetProfileFolder(const QString& folder)
{
    g_folder = folder;
    g_stores.clear();
    g_dirty.clear();
    g_dirtyOutside.clear();
}

QString GetProfileFolderOverride()
{
    return g_folder;
}

QString GetProfileFolder()
{
    return BaseFolder();
}

void SetRegistryAppName(const std::string& name)
{
    g_appName = name;
}

const std::string& GetRegistryAppName()
{
    return g_appName;
}

CProfileStore& AppProfileStore()
{
    return StoreAt(BaseFolder() + "/" + QString::fromStdString(g_appName) + ".ini");
}

bool RegistryKeyExists(HKEY root, const std::string& subkey)
{
    Location loc = Locate(root, subkey);
    if (loc.section.empty())
        return loc.store->FileExists() || !loc.store->Sections().empty();
    return loc.store->HasSection(loc.section);
}

std::optional<std::string> RegistryGetValue(HKEY root, const std::string& subkey,
                                            const std::string& name)
{
    Location loc = Locate(root, subkey);
    return loc.store->GetValue(loc.section, name);
}

bool RegistrySetValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& value)
{
    Location loc = Locate(root, subkey);
    loc.store->SetValue(loc.section, name, value);
    return Commit(*loc.store);
}

bool RegistryDeleteValue(HKEY root, const std::string& subkey, const std::string& name)
{
    Location loc = Locate(root, subkey);
    if (!loc.store->DeleteValue(loc.section, name))
        return false;
    return Commit(*loc.store);
}

bool RegistryCreateKey(HKEY root, const std::string& subkey)
{
    Location loc = Locate(root, subkey);
    if (!loc.section.empty())
        loc.store->AddSection(loc.section);
    return Commit(*loc.store);
}

CRegistryBatch::CRegistryBatch()
{
    ++g_batchDepth;
}

CRegistryBatch::~CRegistryBatch()
{
    if (--g_batchDepth == 0)
        RegistryFlush();
}

bool RegistryFlush()
{
    bool ok = true;
    for (const QString& path : g_dirty)
        ok = StoreAt(path).Save() && ok;
    g_dirty.clear();
    for (CProfileStore* store : g_dirtyOutside)
        ok = store->Save() && ok;
    g_dirtyOutside.clear();
    return ok;
}

bool RegistryCommitStore(CProfileStore& store)
{
    if (g_batchDepth > 0) {
        g_dirtyOutside.insert(&store);
        return true;
    }
    return store.Save();
}

void RegistryForgetStore(const CProfileStore& store)
{
    g_dirtyOutside.erase(const_cast<CProfileStore*>(&store));
}

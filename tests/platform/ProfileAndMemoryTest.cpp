#include "common/TestSupport.h"
#include "platform/CProfileStore.h"
#include "platform/GlobalMem.h"
#include "platform/ProcessMemory.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

TEST(ProfileStore, ValuesComeBackAsWrittenAndKeysAreCaseBlind)
{
    CTempProfile profile;
    const QString path = profile.Folder() + "/p.ini";
    {
        CProfileStore s(path);
        s.SetValue("Palette", "Color1", "192,192,192");
        s.SetValue("Options", "Text", std::string(" lead\\trail \n=\x93\x01 ", 15));
        s.SetValue("Options", "=odd[key", "1");
        ASSERT_TRUE(s.Save());
    }
    CProfileStore s(path);
    ASSERT_TRUE(s.Load());
    EXPECT_EQ(s.GetValue("palette", "COLOR1").value_or(""), "192,192,192");
    EXPECT_EQ(s.GetValue("Options", "Text").value_or(""), std::string(" lead\\trail \n=\x93\x01 ", 15));
    EXPECT_EQ(s.GetValue("Options", "=odd[key").value_or(""), "1");
    EXPECT_FALSE(s.GetValue("Options", "Missing").has_value());
    s.SetValue("OPTIONS", "text", "x");
    EXPECT_EQ(s.Keys("Options").size(), 2u);
}

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

std::vector<std::string> g_traced;
int CaptureTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    g_traced.push_back(va_arg(args, const char*)); // the store writes "%s", line
    va_end(args);
    return 0;
}
} // namespace

TEST(ProfileStore, LookUpsStayRightAfterDeletes)
{
    CTempProfile profile;
    CProfileStore s(profile.Folder() + "/p.ini");
    for (const char* section : {"A", "B", "C"})
        for (const char* key : {"k1", "k2", "k3"})
            s.SetValue(section, key, std::string(section) + key);
    EXPECT_TRUE(s.DeleteValue("a", "K1"));
    EXPECT_FALSE(s.DeleteValue("A", "k1"));
    EXPECT_TRUE(s.DeleteSection("b"));
    EXPECT_FALSE(s.HasSection("B"));
    EXPECT_EQ(s.GetValue("A", "K3").value_or(""), "Ak3");
    EXPECT_EQ(s.GetValue("c", "k2").value_or(""), "Ck2");
    s.SetValue("A", "k2", "new");
    EXPECT_EQ(s.Keys("A"), (std::vector<std::string>{"k2", "k3"}));
    EXPECT_EQ(s.GetValue("A", "K2").value_or(""), "new");
    EXPECT_EQ(s.Sections(), (std::vector<std::string>{"A", "C"}));
}

// A settings file edited by hand or damaged: the file as it was is copied
// aside, the trace (held until one is set) and the user (once) are told
// where, and the next save writes back only what was read: comments and
// values, not the unread lines.
TEST(ProfileStore, DamagedFileIsCopiedAsideAndOnlyWhatWasReadIsWrittenBack)
{
    CTempProfile profile;
    CRecordingPrompt prompts;
    const QString path = profile.Folder() + "/p.ini";
    const QString bad = path + ".bad";
    const QByteArray damaged = "; my own notes\n"
                               "stray=before any section\n"
                               "garbage \x01\x02 without an equals sign\r\n"
                               "[Options]\n"
                               "  ; a comment in Options\n"
                               "Metric=1\n"
                               "not a value line\n"
                               "metric=0\n"
                               "[Palette]\n"
                               "Color1=1,2,3\n";
    WriteAll(path, damaged);
    SetProfileTrace(nullptr);
    g_traced.clear();
    CProfileStore s(path);
    ASSERT_TRUE(s.Load());
    // The stray line, the garbage, the line without '=' and the repeated key.
    EXPECT_EQ(s.DamagedLines(), 4);
    EXPECT_EQ(s.GetValue("options", "METRIC").value_or(""), "0");
    EXPECT_EQ(s.Keys("Options"), std::vector<std::string>{"Metric"});
    EXPECT_EQ(ReadAll(bad), damaged);
    EXPECT_TRUE(g_traced.empty());
    SetProfileTrace(&CaptureTrace);
    ASSERT_EQ(g_traced.size(), 1u);
    EXPECT_NE(g_traced[0].find("could not be read whole (unread lines: 4); a copy is kept as " + bad.toStdString()),
              std::string::npos) << g_traced[0];
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The settings file\n" + path.toStdString() +
                                         "\nwas damaged: 4 lines could not be read and are left out of it.\n"
                                         "The file as it was is kept as\n" + bad.toStdString());
    EXPECT_EQ(prompts.shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));

    s.SetValue("Options", "GridX", "32");
    ASSERT_TRUE(s.Save());
    EXPECT_EQ(ReadAll(path), QByteArray("; my own notes\n"
                                        "[Options]\n"
                                        "  ; a comment in Options\n"
                                        "Metric=0\n"
                                        "GridX=32\n"
                                        "\n"
                                        "[Palette]\n"
                                        "Color1=1,2,3\n"
                                        "\n"));
    // Read again: sound now, and the copy stays as it was.
    ASSERT_TRUE(s.Load());
    EXPECT_EQ(s.DamagedLines(), 0);
    EXPECT_EQ(ReadAll(bad), damaged);
    EXPECT_EQ(g_traced.size(), 1u);

    // The same damage read again (the save never came) uses the same copy;
    // new damage gets a copy of its own. The user was told once.
    WriteAll(path, damaged);
    ASSERT_TRUE(s.Load());
    ASSERT_EQ(g_traced.size(), 2u);
    EXPECT_NE(g_traced[1].find("the copy made before stays in " + bad.toStdString()), std::string::npos)
        << g_traced[1];
    WriteAll(path, "[A]\nbroken\n");
    ASSERT_TRUE(s.Load());
    EXPECT_EQ(s.DamagedLines(), 1);
    EXPECT_EQ(ReadAll(path + ".bad2"), QByteArray("[A]\nbroken\n"));
    EXPECT_EQ(prompts.shown.size(), 1u);

    // A folder where the file should be cannot be read, and is left alone.
    const QString folder = profile.Folder() + "/folder.ini";
    ASSERT_TRUE(QDir().mkpath(folder));
    CProfileStore f(folder);
    EXPECT_FALSE(f.Load());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    ASSERT_EQ(g_traced.size(), 4u);
    EXPECT_EQ(g_traced[3], "ERR!  Settings file " + folder.toStdString() + " cannot be read\n");
    SetProfileTrace(nullptr);

    // Comments alone are no damage.
    const QString clean = profile.Folder() + "/clean.ini";
    WriteAll(clean, "; notes\n[A]\n; more\nk=v\n");
    CProfileStore c(clean);
    ASSERT_TRUE(c.Load());
    EXPECT_EQ(c.DamagedLines(), 0);
    EXPECT_FALSE(QFile::exists(clean + ".bad"));
    ASSERT_TRUE(c.Save());
    EXPECT_EQ(ReadAll(clean), QByteArray("; notes\n[A]\n; more\nk=v\n\n"));
    EXPECT_EQ(prompts.shown.size(), 1u);
}

// Where no copy can be made (every copy name taken by other bytes), the
// unread lines stay in the file: they are in no other place.
TEST(ProfileStore, DamagedLinesStayWhenNoCopyCanBeMade)
{
    CTempProfile profile;
    CRecordingPrompt prompts;
    const QString path = profile.Folder() + "/p.ini";
    for (int n = 1; n <= 9; ++n)
        WriteAll(path + ".bad" + (n > 1 ? QString::number(n) : QString()), "other\n");
    WriteAll(path, "[A]\nbroken\nk=v\n");
    CProfileStore s(path);
    ASSERT_TRUE(s.Load());
    EXPECT_EQ(s.DamagedLines(), 1);
    ASSERT_TRUE(s.Save());
    EXPECT_EQ(ReadAll(path), QByteArray("[A]\nbroken\nk=v\n\n"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(prompts.shown[0].text.find("1 line could not be read.\nNo copy of it could be made, so it stays in "
                                         "the file."),
              std::string::npos) << prompts.shown[0].text;
}

TEST(Registry, ApplicationKeysGoToTheProfileFile)
{
    CTempProfile profile;
    const std::string app = "Software\\Morlaven Software\\KAVO Diagrammer";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, app));
    ASSERT_TRUE(RegistrySetValue(HKEY_CURRENT_USER, app + "\\Options", "Metric", "1"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, app));
    EXPECT_TRUE(QFile::exists(profile.Folder() + "/Morlaven Software/KAVO Diagrammer.ini"));
    EXPECT_EQ(AppProfileStore().GetValue("Options", "Metric").value_or(""), "1");
    // Other keys live in the root's own file.
    ASSERT_TRUE(RegistrySetValue(HKEY_CLASSES_ROOT, ".kvd", "", "Morlaven.Diagram"));
    EXPECT_TRUE(QFile::exists(profile.Folder() + "/Morlaven Software/registry/HKEY_CLASSES_ROOT.ini"));
    // Reloaded from disk after the cache is dropped.
    SetProfileFolder(profile.Folder());
    EXPECT_EQ(RegistryGetValue(HKEY_CURRENT_USER, app + "\\options", "metric").value_or(""), "1");
    EXPECT_EQ(RegistryGetValue(HKEY_CLASSES_ROOT, ".KVD", "").value_or(""), "Morlaven.Diagram");
}

TEST(Registry, BatchSavesOnceAtTheEnd)
{
    CTempProfile profile;
    const QString file = profile.Folder() + "/Morlaven Software/KAVO Diagrammer.ini";
    {
        CRegistryBatch batch;
        RegistrySetValue(HKEY_CURRENT_USER, "Software\\Morlaven Software\\KAVO Diagrammer\\A", "k", "v");
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_TRUE(QFile::exists(file));
}

TEST(GlobalMem, ReallocKeepsBytesAndZeroesGrowth)
{
    HGLOBAL h = GlobalAlloc(GHND, 4);
    ASSERT_NE(h, nullptr);
    auto* p = static_cast<BYTE*>(GlobalLock(h));
    std::memcpy(p, "abcd", 4);
    GlobalUnlock(h);
    ASSERT_EQ(GlobalReAlloc(h, 8, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
    EXPECT_EQ(GlobalSize(h), 8u);
    {
        CGlobalLock lock(h);
        EXPECT_EQ(std::memcmp(lock.data(), "abcd\0\0\0\0", 8), 0);
    }
    HGLOBAL copy = GlobalDuplicate(h);
    EXPECT_EQ(GlobalSize(copy), 8u);
    GlobalFree(copy);
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMem, LimitDrivesOutOfMemoryPaths)
{
    const size_t base = GlobalMemoryInUse();
    SetGlobalMemoryLimit(base + 100);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 60);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 60), nullptr);
    EXPECT_EQ(GlobalReAlloc(h, 200, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(h), 60u); // unchanged after the failed grow
    GlobalFree(h);
    EXPECT_EQ(GlobalMemoryInUse(), base);
}

TEST(Prompt, DefaultButtonAnswersWithoutAService)
{
    EXPECT_EQ(ShowPrompt("x", MB_OK), IDOK);
    EXPECT_EQ(ShowPrompt("x", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(ShowPrompt("x", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    CRecordingPrompt rec;
    rec.QueueAnswer(IDNO);
    EXPECT_EQ(ShowPrompt("Save?", MB_YESNO), IDNO);
    ASSERT_EQ(rec.shown.size(), 1u);
    EXPECT_EQ(rec.shown[0].text, "Save?");
}

TEST(HugePageHeap, RestartsOnlyWhereTheKernelWaitsToBeAsked)
{
    struct Case {
        const char* policy;
        const char* tunables;
        bool helps;
    };
    const Case cases[] = {
        {"always [madvise] never\n", nullptr, true},
        {"always [madvise] never\n", "glibc.malloc.arena_max=2", true},
        {"always [madvise] never\n", "glibc.malloc.hugetlb=0", false},  // the caller's choice stands
        {"always [madvise] never\n", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", false},
        {"[always] madvise never\n", nullptr, false},  // every page may be huge already
        {"always madvise [never]\n", nullptr, false},
        {"", nullptr, false},  // no such file
        {nullptr, nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HugePageRestartHelps(c.policy, c.tunables), c.helps)
            << (c.policy ? c.policy : "(none)") << " / " << (c.tunables ? c.tunables : "(none)");
}

#include "common/TestSupport.h"
#include "platform/CProfileStore.h"
#include "platform/GlobalMem.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstring>

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

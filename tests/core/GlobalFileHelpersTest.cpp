#include "core/GlobalFileHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string BlockText(HGLOBAL h)
{
    CGlobalLock lock(h);
    return lock.data() ? std::string(reinterpret_cast<const char*>(lock.data()), lock.size())
                       : std::string();
}

HGLOBAL BlockOf(const std::string& text)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size());
    CGlobalLock lock(h);
    std::memcpy(lock.data(), text.data(), text.size());
    return h;
}
} // namespace

TEST(LoadFileToGlobal, ReadsTheWholeFileOrNothing)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pic.wmf";
    const std::string data("\xD7\xCD\xC6\x9A\0\0metafile", 14);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data.data(), qint64(data.size()));
    }
    size_t length = 99;
    HGLOBAL h = LoadFileToGlobal(path, &length);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(length, data.size());
    EXPECT_EQ(BlockText(h), data);
    GlobalFree(h);

    // A file larger than the memory allowed gives null and leaks nothing.
    SetGlobalMemoryLimit(data.size() - 1);
    length = 99;
    EXPECT_EQ(LoadFileToGlobal(path, &length), nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(GlobalMemoryInUse(), 0u);
    SetGlobalMemoryLimit(0);

    QFile(dir.path() + "/empty").open(QIODevice::WriteOnly);
    EXPECT_EQ(LoadFileToGlobal(dir.path() + "/empty", &length), nullptr);
    EXPECT_EQ(LoadFileToGlobal(dir.path() + "/missing"), nullptr);
    EXPECT_EQ(LoadFileToGlobal(dir.path()), nullptr);
    EXPECT_EQ(GlobalMemoryInUse(), 0u);
}

TEST(GlobalTail, CopiesTheBytesAfterTheSkip)
{
    struct Case {
        size_t skip;
        const char* tail; // null: no block
    };
    const Case cases[] = {{0, "0123456789"}, {6, "6789"}, {9, "9"}, {10, nullptr}, {99, nullptr}};
    for (const Case& c : cases) {
        HGLOBAL src = BlockOf("0123456789");
        HGLOBAL tail = GlobalTail(src, c.skip, false);
        if (c.tail) {
            ASSERT_NE(tail, nullptr) << c.skip;
            EXPECT_EQ(BlockText(tail), c.tail);
            GlobalFree(tail);
        } else {
            EXPECT_EQ(tail, nullptr) << c.skip;
        }
        EXPECT_EQ(BlockText(src), "0123456789") << "the source is kept";
        GlobalFree(src);
    }
    EXPECT_EQ(GlobalTail(nullptr, 0, true), nullptr);
}

TEST(GlobalTail, FreesTheSourceOnlyOnSuccess)
{
    HGLOBAL src = BlockOf("header+data");
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 2);
    EXPECT_EQ(GlobalTail(src, 7, true), nullptr);
    EXPECT_EQ(BlockText(src), "header+data") << "still usable after a failure";
    SetGlobalMemoryLimit(0);

    HGLOBAL tail = GlobalTail(src, 7, true);
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(BlockText(tail), "data");
    EXPECT_EQ(GlobalMemoryInUse(), 4u);
    GlobalFree(tail);
}

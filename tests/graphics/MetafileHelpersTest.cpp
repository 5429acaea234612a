// Metafile blocks and handles, the window box, placeable files and the
// validated WMF import.
#include "common/DiagTraceFile.h"
#include "common/TestSupport.h"
#include "graphics/MetafileHelpers.h"
#include "platform/MetaFixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>

#include <gtest/gtest.h>

namespace {
HGLOBAL Block(const std::vector<BYTE>& bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    CGlobalLock lock(h);
    std::copy(bytes.begin(), bytes.end(), lock.data());
    return h;
}

std::vector<BYTE> BlockBytes(HGLOBAL h)
{
    CGlobalLock lock(h);
    return std::vector<BYTE>(lock.data(), lock.data() + lock.size());
}

std::vector<BYTE> BoxWmf(int ox, int oy, int ex, int ey)
{
    return CWmfBuilder()
        .Record(META_SETWINDOWORG, {oy, ox})
        .Record(META_SETWINDOWEXT, {ey, ex})
        .Record(META_RECTANGLE, {10, 10, 0, 0})
        .Finish();
}

HMETAFILE Wmf(const std::vector<BYTE>& bytes) { return SetMetaFileBitsEx(UINT(bytes.size()), bytes.data()); }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(MetafileBlocks, RecognisesPlaceableAndEnhancedBlocks)
{
    HGLOBAL placeable = Block(WithPlaceableHeader(BoxWmf(0, 0, 10, 10), 0, 0, 10, 10, 1440));
    HGLOBAL emf = Block(CEmfBuilder().Finish());
    HGLOBAL tiny = Block({0xD7, 0xCD});
    EXPECT_TRUE(IsPlaceableMetafileBlock(placeable));
    EXPECT_FALSE(IsPlaceableMetafileBlock(emf));
    EXPECT_FALSE(IsPlaceableMetafileBlock(tiny));
    EXPECT_FALSE(IsPlaceableMetafileBlock(nullptr));
    EXPECT_TRUE(IsEnhMetafileBlock(emf));
    EXPECT_FALSE(IsEnhMetafileBlock(placeable));
    EXPECT_FALSE(IsEnhMetafileBlock(tiny));
    for (HGLOBAL h : {placeable, emf, tiny})
        GlobalFree(h);
}

// Two recoloured variants of one EMF share their first 100 bytes (the header):
// they must still differ, or a shared picture list would merge them.
TEST(MetafileBlocks, EqualityComparesEveryByte)
{
    const std::vector<BYTE> red = CEmfBuilder().Record(EMR_SETTEXTCOLOR, {0x0000FF}).Finish();
    std::vector<BYTE> blue = red;
    StoreLE32(blue.data() + 88 + 8, 0xFF0000);
    ASSERT_EQ(red.size(), blue.size());
    ASSERT_GE(red.size(), 100u);
    ASSERT_TRUE(std::equal(red.begin(), red.begin() + 88, blue.begin()));

    HGLOBAL a = Block(red), b = Block(blue), c = Block(red), shorter = Block({1, 2, 3});
    EXPECT_FALSE(MetaBlocksEqual(a, b));
    EXPECT_TRUE(MetaBlocksEqual(a, c));
    EXPECT_TRUE(MetaBlocksEqual(a, a));
    EXPECT_FALSE(MetaBlocksEqual(a, shorter));
    EXPECT_FALSE(MetaBlocksEqual(a, nullptr));
    for (HGLOBAL h : {a, b, c, shorter})
        GlobalFree(h);
}

TEST(MetafileBlocks, MetafileFromBlocksChecksTheWordCount)
{
    const std::vector<BYTE> wmf = BoxWmf(0, 0, 10, 10);
    HGLOBAL plain = Block(wmf);
    HMETAFILE h = MetafileFromGlobal(plain);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->Bits(), wmf);
    DeleteMetaFile(h);

    std::vector<BYTE> overstated = wmf;
    StoreLE32(overstated.data() + 6, DWORD(wmf.size()));  // twice the real size
    HGLOBAL bad = Block(overstated);
    EXPECT_EQ(MetafileFromGlobal(bad), nullptr);

    HGLOBAL placeable = Block(WithPlaceableHeader(wmf, 0, 0, 10, 10, 1440));
    h = MetafileFromAPMGlobal(placeable);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->Bits(), wmf);
    DeleteMetaFile(h);
    EXPECT_EQ(MetafileFromAPMGlobal(plain), nullptr);
    for (HGLOBAL b : {plain, bad, placeable})
        GlobalFree(b);
}

TEST(MetafileBlocks, GlobalFromMetafileDeletesOnlyWhenNotKept)
{
    const std::vector<BYTE> wmf = BoxWmf(0, 0, 10, 10);
    const int before = LiveMetaFileHandles();
    HMETAFILE h = Wmf(wmf);
    HGLOBAL kept = GlobalFromMetafile(h, TRUE);
    EXPECT_EQ(LiveMetaFileHandles(), before + 1);
    EXPECT_EQ(BlockBytes(kept), wmf);
    HGLOBAL taken = GlobalFromMetafile(h, FALSE);
    EXPECT_EQ(LiveMetaFileHandles(), before);
    EXPECT_EQ(BlockBytes(taken), wmf);

    // Out of memory: no block, and the metafile stays the caller's.
    h = Wmf(wmf);
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 4);
    EXPECT_EQ(GlobalFromMetafile(h, FALSE), nullptr);
    SetGlobalMemoryLimit(0);
    EXPECT_EQ(LiveMetaFileHandles(), before + 1);
    DeleteMetaFile(h);
    GlobalFree(kept);
    GlobalFree(taken);
}

TEST(MetafileBounds, WindowBoxFromTheLastOriginAndExtentBeforeDrawing)
{
    struct Case {
        const char* name;
        std::vector<BYTE> wmf;
        BOOL ok;
        RECT box;
    } cases[] = {
        {"plain", BoxWmf(10, 20, 300, 200), TRUE, {10, 20, 310, 220}},
        {"negative extents turned round", BoxWmf(100, 50, -80, -40), TRUE, {20, 10, 100, 50}},
        {"last values before the first drawing record",
         CWmfBuilder()
             .Record(META_SETWINDOWORG, {1, 1})
             .Record(META_LINETO, {5, 5})  // before both were seen: walk goes on
             .Record(META_SETWINDOWEXT, {10, 10})
             .Record(META_SETWINDOWORG, {2, 3})
             .Record(META_MOVETO, {0, 0})
             .Record(META_SETWINDOWEXT, {99, 99})
             .Finish(),
         TRUE, {3, 2, 13, 12}},
        {"extent missing", CWmfBuilder().Record(META_SETWINDOWORG, {0, 0}).Record(META_LINETO, {1, 1}).Finish(),
         FALSE, {}},
        {"origin missing", CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Finish(), FALSE, {}},
    };
    for (const Case& c : cases) {
        HMETAFILE h = Wmf(c.wmf);
        ASSERT_NE(h, nullptr) << c.name;
        LONG l = 0, t = 0, r = 0, b = 0;
        EXPECT_EQ(GetMetafileBounds(h, l, t, r, b), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(l, c.box.left) << c.name;
            EXPECT_EQ(t, c.box.top) << c.name;
            EXPECT_EQ(r, c.box.right) << c.name;
            EXPECT_EQ(b, c.box.bottom) << c.name;
            EXPECT_LT(l, r) << c.name;
        }
        DeleteMetaFile(h);
    }
}

TEST(PlaceableFile, WritesHeaderThenBitsAndKeepsTheHandle)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.wmf");
    const std::vector<BYTE> wmf = BoxWmf(0, 0, 1000, 500);
    HMETAFILE h = Wmf(wmf);
    const int live = LiveMetaFileHandles();
    // 1000 units over a reference of 2540 (0.01 mm) is 1000 units per inch.
    ASSERT_TRUE(WritePlaceableMetafile(h, path, RECT{0, 0, 1000, 500}, 2540));
    EXPECT_EQ(LiveMetaFileHandles(), live);
    const QByteArray file = ReadAll(path);
    ASSERT_EQ(size_t(file.size()), PLACEABLE_HEADER_SIZE + wmf.size());
    PlaceableMetaHeader header;
    const MetaBytes bytes(reinterpret_cast<const BYTE*>(file.data()), size_t(file.size()));
    ASSERT_TRUE(ReadPlaceableHeader(bytes, header));
    EXPECT_EQ(header.right, 1000);
    EXPECT_EQ(header.bottom, 500);
    EXPECT_EQ(header.inch, 1000);
    EXPECT_EQ(header.checksum, PlaceableChecksum(bytes.data()));
    EXPECT_TRUE(std::equal(wmf.begin(), wmf.end(), bytes.begin() + PLACEABLE_HEADER_SIZE));

    // The file reads back through the validated import.
    HGLOBAL loaded = LoadValidatedWMF(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(GlobalSize(loaded), size_t(file.size()));
    GlobalFree(loaded);
    DeleteMetaFile(h);
}

TEST(PlaceableFile, RefusesWhatTheHeaderCannotHoldAndNeverDeletesTheHandle)
{
    QTemporaryDir dir;
    HMETAFILE h = Wmf(BoxWmf(0, 0, 10, 10));
    const int live = LiveMetaFileHandles();
    struct Case {
        const char* name;
        RECT box;
        int reference;
    } cases[] = {
        {"reference width 0", {0, 0, 100, 100}, 0},
        {"negative reference width", {0, 0, 100, 100}, -2540},
        {"empty box", {0, 0, 0, 100}, 2540},
        {"right past 16 bits", {0, 0, 40000, 100}, 2540},
        {"top past 16 bits", {0, -40000, 100, 100}, 2540},
        {"units per inch past 16 bits", {0, 0, 30000, 100}, 100},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        EXPECT_FALSE(WritePlaceableMetafile(h, path, c.box, c.reference)) << c.name;
        EXPECT_FALSE(QFile::exists(path)) << c.name;
        EXPECT_EQ(PlaceableBlockFromMetafile(h, c.box, c.reference), nullptr) << c.name;
    }
    // An unwritable path fails too; the handle survives every failure.
    EXPECT_FALSE(WritePlaceableMetafile(h, dir.filePath("no/such/folder.wmf"), RECT{0, 0, 10, 10}, 2540));
    EXPECT_FALSE(WritePlaceableMetafile(nullptr, dir.filePath("x.wmf"), RECT{0, 0, 10, 10}, 2540));
    EXPECT_EQ(LiveMetaFileHandles(), live);
    EXPECT_NE(h->Bits().size(), 0u);
    DeleteMetaFile(h);
}

TEST(ValidatedWmf, AcceptsWindowMappingOnlyAndCountsTheKinds)
{
    DiagTraceFile trace;
    QTemporaryDir dir;
    auto write = [&](const char* name, const std::vector<BYTE>& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return path;
    };
    auto placeable = [](CWmfBuilder& b) { return WithPlaceableHeader(b.Finish(), 0, 0, 10, 10, 1440); };
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        bool accepted;
    } cases[] = {
        {"window records", placeable(CWmfBuilder().Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {9, 9})),
         true},
        {"extent only", placeable(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9})), true},
        {"no extent", placeable(CWmfBuilder().Record(META_SETWINDOWORG, {0, 0})), false},
        {"viewport origin", placeable(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Record(META_SETVIEWPORTORG, {0, 0})),
         false},
        {"viewport extent", placeable(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Record(META_SETVIEWPORTEXT, {1, 1})),
         false},
        {"scale viewport", placeable(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Record(META_SCALEVIEWPORTEXT, {1, 1, 1, 1})),
         false},
        {"offset viewport", placeable(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Record(META_OFFSETVIEWPORTORG, {1, 1})),
         false},
        {"no placeable header", CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Finish(), false},
        // A unit of zero would divide by zero where the picture is sized.
        {"zero units per inch", WithPlaceableHeader(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Finish(), 0, 0, 10, 10, 0),
         false},
        {"empty box", WithPlaceableHeader(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Finish(), 0, 0, 0, 10, 1440),
         false},
        {"inverted box", WithPlaceableHeader(CWmfBuilder().Record(META_SETWINDOWEXT, {9, 9}).Finish(), 0, 10, 10, 0, 1440),
         false},
    };
    for (const Case& c : cases) {
        HGLOBAL h = LoadValidatedWMF(write(c.name, c.bytes));
        EXPECT_EQ(h != nullptr, c.accepted) << c.name;
        if (h) {
            EXPECT_EQ(BlockBytes(h), c.bytes) << c.name;
            char line[64];
            std::snprintf(line, sizeof line, "GMEM  WMF Handle %04X loaded from .WMF file\n",
                          unsigned(reinterpret_cast<uintptr_t>(h) & 0xFFFF));
            EXPECT_NE(trace.Text().find(line), std::string::npos) << c.name;
            GlobalFree(h);
        }
    }
    CMetaRecordCounts counts;
    const auto mixed = placeable(CWmfBuilder()
                                     .Record(META_SETWINDOWORG, {0, 0})
                                     .Record(META_SETWINDOWEXT, {9, 9})
                                     .Record(META_SETWINDOWEXT, {9, 9})
                                     .Record(META_OFFSETVIEWPORTORG, {1, 1}));
    EXPECT_EQ(LoadValidatedWMF(write("mixed", mixed), &counts), nullptr);
    EXPECT_EQ(counts.windowOrg, 1);
    EXPECT_EQ(counts.windowExt, 2);
    EXPECT_EQ(counts.offsetViewportOrg, 1);
    EXPECT_EQ(counts.viewportOrg + counts.viewportExt + counts.scaleViewportExt, 0);
    // The six counts in their order: window origin and extent, viewport
    // origin and extent, scale viewport extent, offset viewport origin.
    EXPECT_NE(trace.Text().find("ERR!  LoadValidateKavoAPMFromFile failed 1 2 0 0 0 1\n"), std::string::npos);

    // A truncated file is refused, not read past its end.
    std::vector<BYTE> cut = cases[0].bytes;
    cut.resize(cut.size() - 4);
    EXPECT_EQ(LoadValidatedWMF(write("cut", cut)), nullptr);
    EXPECT_EQ(LoadValidatedWMF(dir.filePath("missing.wmf")), nullptr);
}

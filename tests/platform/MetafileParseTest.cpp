// Parsing and validation of WMF and EMF bytes, the placeable header, and the
// metafile handles with their record enumeration.
#include "platform/MetaFixtures.h"
#include "platform/metafile/MetaFileHandles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
std::vector<BYTE> SampleWmf()
{
    return CWmfBuilder()
        .Record(META_SETWINDOWORG, {0, 0})
        .Record(META_SETWINDOWEXT, {100, 200})
        .Record(META_RECTANGLE, {90, 180, 10, 20})
        .Finish();
}

std::vector<BYTE> SampleEmf()
{
    return CEmfBuilder({1, 2, 30, 40}, {10, 20, 300, 400})
        .Record(EMR_SETTEXTCOLOR, {0x0000FF})
        .Record(EMR_RECTANGLE, {1, 2, 30, 40})
        .Finish();
}

void Patch32(std::vector<BYTE>& b, size_t at, DWORD v) { StoreLE32(b.data() + at, v); }
void Patch16(std::vector<BYTE>& b, size_t at, WORD v) { StoreLE16(b.data() + at, v); }
}  // namespace

TEST(PlaceableHeader, KeyBytesAndChecksumOfAnOtherwiseZeroHeader)
{
    std::vector<BYTE> bytes(PLACEABLE_HEADER_SIZE);
    WritePlaceableHeader(bytes.data(), PlaceableMetaHeader{});
    EXPECT_EQ(bytes[0], 0xD7);
    EXPECT_EQ(bytes[1], 0xCD);
    EXPECT_EQ(bytes[2], 0xC6);
    EXPECT_EQ(bytes[3], 0x9A);
    // The two halves of the key combined by XOR.
    EXPECT_EQ(LoadLE16(bytes.data() + 20), 0x5711);

    PlaceableMetaHeader read;
    ASSERT_TRUE(ReadPlaceableHeader(bytes, read));
    EXPECT_EQ(read.checksum, 0x5711);
}

TEST(PlaceableHeader, SignedBoxAndInchRoundTrip)
{
    const std::vector<BYTE> bytes = WithPlaceableHeader(SampleWmf(), -5, -6, 32767, -32768, 1440);
    PlaceableMetaHeader h;
    ASSERT_TRUE(ReadPlaceableHeader(bytes, h));
    EXPECT_EQ(h.left, -5);
    EXPECT_EQ(h.top, -6);
    EXPECT_EQ(h.right, 32767);
    EXPECT_EQ(h.bottom, -32768);
    EXPECT_EQ(h.inch, 1440);
    EXPECT_EQ(h.checksum, PlaceableChecksum(bytes.data()));
    EXPECT_FALSE(ReadPlaceableHeader(MetaBytes(bytes).first(21), h));
    std::vector<BYTE> wrongKey = bytes;
    wrongKey[0] = 0;
    EXPECT_FALSE(ReadPlaceableHeader(wrongKey, h));
}

TEST(WmfParse, ValidMetafileGivesHeaderAndRecordCount)
{
    const std::vector<BYTE> wmf = SampleWmf();
    WmfHeaderInfo info;
    ASSERT_TRUE(ParseWmf(wmf, &info));
    EXPECT_EQ(info.byteSize, wmf.size());
    EXPECT_EQ(info.sizeWords, wmf.size() / 2);
    EXPECT_EQ(info.recordCount, 4u);  // three records and the end record

    // Bytes past the stated size are not part of the metafile.
    std::vector<BYTE> padded = wmf;
    padded.resize(wmf.size() + 10, 0xEE);
    HMETAFILE h = SetMetaFileBitsEx(UINT(padded.size()), padded.data());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetMetaFileBitsEx(h, 0, nullptr), wmf.size());
    DeleteMetaFile(h);
}

TEST(WmfParse, MalformedMetafilesAreRefused)
{
    const std::vector<BYTE> good = SampleWmf();
    const size_t firstRecord = WMF_HEADER_SIZE;
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> spoil;
    } cases[] = {
        {"truncated block", [](auto& b) { b.erase(b.end() - 2, b.end()); }},
        {"size in words past the block", [](auto& b) { Patch32(b, 6, DWORD(b.size() / 2 + 1)); }},
        {"size smaller than the header", [](auto& b) { Patch32(b, 6, 8); }},
        {"huge size in words", [](auto& b) { Patch32(b, 6, 0xFFFFFFFF); }},
        {"record size 0", [&](auto& b) { Patch32(b, firstRecord, 0); }},
        {"record size below 3 words", [&](auto& b) { Patch32(b, firstRecord, 2); }},
        {"record past the end", [&](auto& b) { Patch32(b, firstRecord, 0x7FFFFFFF); }},
        {"bad header type", [](auto& b) { Patch16(b, 0, 3); }},
        {"bad header size", [](auto& b) { Patch16(b, 2, 10); }},
        {"header only, cut short", [](auto& b) { b.resize(10); }},
        {"end record missing, last record cut", [](auto& b) {
             b.resize(b.size() - 6);
             Patch32(b, 6, DWORD(b.size() / 2));
             Patch32(b, b.size() - 14, 8);  // the rectangle claims one word too many
         }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = good;
        c.spoil(bytes);
        EXPECT_FALSE(ParseWmf(bytes)) << c.name;
        EXPECT_EQ(SetMetaFileBitsEx(UINT(bytes.size()), bytes.data()), nullptr) << c.name;
    }
    EXPECT_EQ(SetMetaFileBitsEx(0, nullptr), nullptr);
}

TEST(EmfParse, ValidMetafileGivesHeaderQueries)
{
    const std::vector<BYTE> emf = SampleEmf();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(emf.size()), emf.data());
    ASSERT_NE(h, nullptr);
    ENHMETAHEADER header;
    EXPECT_EQ(GetEnhMetaFileHeader(h, &header), 88u);
    EXPECT_EQ(header.rclBounds.left, 1);
    EXPECT_EQ(header.rclBounds.bottom, 40);
    EXPECT_EQ(header.rclFrame.top, 20);
    EXPECT_EQ(header.rclFrame.right, 300);
    EXPECT_EQ(header.nBytes, emf.size());
    EXPECT_EQ(header.nRecords, 4u);
    EXPECT_EQ(header.szlDevice.cx, 1024);
    EXPECT_EQ(header.szlMillimeters.cy, 240);

    EXPECT_EQ(GetEnhMetaFileBits(h, 0, nullptr), emf.size());
    std::vector<BYTE> copy(emf.size());
    EXPECT_EQ(GetEnhMetaFileBits(h, UINT(copy.size()), copy.data()), emf.size());
    EXPECT_EQ(copy, emf);
    std::vector<BYTE> part(10);
    EXPECT_EQ(GetEnhMetaFileBits(h, 10, part.data()), 10u);
    EXPECT_TRUE(DeleteEnhMetaFile(h));
    EXPECT_FALSE(DeleteEnhMetaFile(nullptr));
}

TEST(EmfParse, MalformedMetafilesAreRefused)
{
    const std::vector<BYTE> good = SampleEmf();
    const size_t second = 88;  // the SETTEXTCOLOR record
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> spoil;
    } cases[] = {
        {"truncated block", [](auto& b) { b.erase(b.end() - 4, b.end()); }},
        {"stated size past the block", [](auto& b) { Patch32(b, EMF_OFF_BYTES, DWORD(b.size() + 4)); }},
        {"stated size below the header", [](auto& b) { Patch32(b, EMF_OFF_BYTES, 40); }},
        {"header record below 88 bytes", [](auto& b) { Patch32(b, 4, 84); }},
        {"header record past the block", [](auto& b) { Patch32(b, 4, 0x10000); }},
        {"wrong signature", [](auto& b) { Patch32(b, EMF_OFF_SIGNATURE, 0x464D4521); }},
        {"record size 0", [&](auto& b) { Patch32(b, second + 4, 0); }},
        {"record size 4", [&](auto& b) { Patch32(b, second + 4, 4); }},
        {"record size not a multiple of 4", [&](auto& b) { Patch32(b, second + 4, 14); }},
        {"record past the end", [&](auto& b) { Patch32(b, second + 4, 0xFFFFFFF0); }},
        {"a second header record", [&](auto& b) { Patch32(b, second, EMR_HEADER); }},
        {"shorter than a header", [](auto& b) { b.resize(60); }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = good;
        c.spoil(bytes);
        EXPECT_FALSE(ParseEmf(bytes)) << c.name;
        EXPECT_EQ(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()), nullptr) << c.name;
    }
}

TEST(MetaEnumeration, CallbackRewritesACopyNeverThePicture)
{
    const std::vector<BYTE> emf = SampleEmf();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(emf.size()), emf.data());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> types;
    const int result = EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& record) {
        types.push_back(LoadLE32(record.data()));
        std::fill(record.begin() + 8, record.end(), BYTE(0xAB));
        return 1;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(types, (std::vector<DWORD>{EMR_HEADER, EMR_SETTEXTCOLOR, EMR_RECTANGLE, EMR_EOF}));
    EXPECT_EQ(h->Bits(), emf);
    DeleteEnhMetaFile(h);

    const std::vector<BYTE> wmf = SampleWmf();
    HMETAFILE w = SetMetaFileBitsEx(UINT(wmf.size()), wmf.data());
    ASSERT_NE(w, nullptr);
    int seen = 0;
    EXPECT_EQ(EnumMetaFileRecords(w, [&](std::vector<BYTE>& record) {
                  StoreLE16(record.data() + 4, 0x1234);
                  return ++seen < 2 ? 1 : 0;
              }),
              0);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(w->Bits(), wmf);
    DeleteMetaFile(w);
    EXPECT_EQ(EnumMetaFileRecords(nullptr, [](auto&) { return 1; }), 0);
}

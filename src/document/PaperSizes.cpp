#include "document/PaperSizes.h"

#include "core/Settings.h"
#include "document/PageLayout.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
struct PaperRow {
    int code, width, length;
    const char* name;
};

const PaperRow kPapers[] = {
#define PAPER_ROW(code, width, length, name) {code, width, length, name},
#include "document/PaperSizeTable.inc"
#undef PAPER_ROW
};
static_assert(std::size(kPapers) == 118);

constexpr int kListed[] = {1,  3,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 24, 25, 26, 40, 41,
                           42, 44, 45, 46, 50, 51, 52, 53, 57, 58, 59, 60, 63, 64, 65, 66, 70, 88, 93, 94};

const PaperRow* Row(int code)
{
    return code >= 1 && code <= int(std::size(kPapers)) ? &kPapers[code - 1] : nullptr;
}

// DEVMODE offsets of dmSize and dmDriverExtra (after the 32-character
// device name and two version words).
constexpr size_t kDmSizeOffset = 36;
constexpr size_t kDmDriverExtraOffset = 38;
constexpr int kMinNameOffset = 8;
constexpr int kMaxNameOffset = 776;
} // namespace

bool LookupPaperSize(int code, int& width, int& length)
{
    const PaperRow* r = Row(code);
    if (!r)
        return false;
    width = r->width;
    length = r->length;
    return width != 0 && length != 0;
}

std::string GetPaperSizeName(int code)
{
    const PaperRow* r = Row(code);
    return r ? r->name : "Unknown";
}

bool IsPaperSizeHidden(int code)
{
    return std::find(std::begin(kListed), std::end(kListed), code) == std::end(kListed);
}

void GetMaxPaperExtent(int& limit, int& limitInUserUnits)
{
    const int d = Metric ? 100 : 256;
    limit = 16000 - 16000 % d;
    limitInUserUnits = limit / d;
}

bool GetPaperDimensions(int code, int length, int width, int orientation, int& paperW, int& paperH,
                        int& printW, int& printH)
{
    int w = 0, l = 0;
    if (!LookupPaperSize(code, w, l)) {
        if (length <= 0 || width <= 0)
            return false;
        w = width;
        l = length;
    }
    PaperToUnits(w, l, orientation, paperW, paperH);
    int limit = 0, shown = 0;
    GetMaxPaperExtent(limit, shown);
    paperW = std::min(paperW, limit);
    paperH = std::min(paperH, limit);
    printW = paperW;
    printH = paperH;
    return true;
}

bool IsValidDevNames(const BYTE* devNames, size_t size)
{
    if (!devNames || size < 6)
        return false;
    for (int i = 0; i < 3; ++i) {
        uint16_t offset = 0;
        std::memcpy(&offset, devNames + 2 * i, 2);
        if (offset < kMinNameOffset || offset > kMaxNameOffset)
            return false;
    }
    return true;
}

void CopyGlobalBlock(HGLOBAL& target, HGLOBAL source)
{
    if (target)
        GlobalFree(target);
    target = nullptr;
    if (source && GlobalSize(source) > 0)
        target = GlobalDuplicate(source);
}

void CopyDevModeBlock(HGLOBAL& target, HGLOBAL source)
{
    if (target)
        GlobalFree(target);
    target = nullptr;
    if (!source)
        return;
    CGlobalLock in(source);
    if (!in.data() || in.size() <= kDmDriverExtraOffset + 1)
        return;
    uint16_t dmSize = 0, extra = 0;
    std::memcpy(&dmSize, in.data() + kDmSizeOffset, 2);
    std::memcpy(&extra, in.data() + kDmDriverExtraOffset, 2);
    // A stored block may claim more than it holds: only what it holds.
    const size_t bytes = std::min(in.size(), size_t(dmSize) + extra);
    target = GlobalAlloc(GHND, bytes);
    if (!target)
        return;
    CGlobalLock out(target);
    std::memcpy(out.data(), in.data(), bytes);
}

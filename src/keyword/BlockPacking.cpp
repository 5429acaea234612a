#include "keyword/BlockPacking.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kBad = size_t(-1);

// Output of a pass: counts only (first pass) or also writes (second pass).
class CPackOut {
public:
    CPackOut(BYTE* out, size_t cap) : m_out(out), m_cap(cap) {}
    void Put(BYTE b)
    {
        if (m_out) {
            Q_ASSERT(m_pos < m_cap);
            m_out[m_pos] = b;
        }
        ++m_pos;
    }
    void Put(const BYTE* p, size_t n)
    {
        if (m_out) {
            Q_ASSERT(m_pos + n <= m_cap);
            std::memcpy(m_out + m_pos, p, n);
        }
        m_pos += n;
    }
    void Repeat(const BYTE* unit, size_t width, size_t count)
    {
        if (m_out) {
            Q_ASSERT(m_pos + width * count <= m_cap);
            for (size_t k = 0; k < count; ++k)
                std::memcpy(m_out + m_pos + k * width, unit, width);
        }
        m_pos += width * count;
    }
    void Decrement(size_t at)
    {
        if (m_out)
            --m_out[at];
    }
    size_t Size() const { return m_pos; }

private:
    BYTE* m_out;
    size_t m_cap;
    size_t m_pos = 0;
};

// ---- Compression 1 ----

// Whole repetitions of the first `period` bytes, at most maxCount.
size_t CountPeriods(const BYTE* p, size_t period, size_t maxCount)
{
    size_t count = 1;
    while (count < maxCount && std::memcmp(p + count * period, p, period) == 0)
        ++count;
    return count;
}

size_t PackRunsPass(const BYTE* in, size_t n, CPackOut out)
{
    size_t literal = 0;  // bytes in the open literal run
    size_t control = 0;  // where its control byte stands
    size_t i = 0;
    while (i < n) {
        const size_t r = n - i;
        const size_t cap = std::min<size_t>(std::min<size_t>(r, 255), 127);
        if (cap >= 3 && in[i + 1] == in[i] && in[i + 2] == in[i]) {
            size_t len = 3;
            while (len < cap && in[i + len] == in[i])
                ++len;
            out.Put(BYTE(len));
            out.Put(in[i]);
            literal = 0;
            i += len;
            continue;
        }
        size_t period = 0, count = 0;
        for (size_t p = 2; p <= 3 && !period; ++p) {
            if (2 * p >= r || in[i + p] != in[i] || in[i + 2 * p] != in[i])
                continue;
            size_t c = CountPeriods(in + i, p, std::min<size_t>(r / p, 255));
            if (c >= 2) {
                period = p;
                count = c;
            }
        }
        if (period) {
            out.Put(BYTE(period - 1)); // control 1 pairs, 2 triples
            out.Put(BYTE(count));
            out.Put(in + i, period);
            literal = 0;
            i += period * count;
            continue;
        }
        if (literal == 0) {
            control = out.Size();
            out.Put(BYTE(0xFF)); // -1
            out.Put(in[i]);
            literal = 1;
        } else {
            out.Decrement(control);
            out.Put(in[i]);
            if (++literal == 127)
                literal = 0;
        }
        ++i;
    }
    out.Put(BYTE(0));
    return out.Size();
}

size_t UnpackRunsPass(const BYTE* in, size_t n, CPackOut out)
{
    size_t i = 0;
    for (;;) {
        if (i >= n)
            return kBad; // no end byte
        const int c = int8_t(in[i++]);
        if (c == 0)
            break;
        if (c == 1 || c == 2) {
            const size_t width = size_t(c) + 1;
            if (n - i < 1 + width)
                return kBad;
            out.Repeat(in + i + 1, width, in[i]);
            i += 1 + width;
        } else if (c >= 3) {
            if (n - i < 1)
                return kBad;
            out.Repeat(in + i, 1, size_t(c));
            i += 1;
        } else if (c == -128) {
            if (n - i < 2 || n - i - 2 < in[i])
                return kBad;
            const size_t len = in[i], count = in[i + 1];
            out.Repeat(in + i + 2, len, count);
            i += 2 + len;
        } else {
            const size_t len = size_t(-c);
            if (n - i < len)
                return kBad;
            out.Put(in + i, len);
            i += len;
        }
        if (out.Size() > kMaxUnpackedSize)
            return kBad;
    }
    return out.Size();
}

// ---- Compression 2 ----

constexpr size_t kBlockCap = 2047;

// Units of `width` bytes equal to the first, counted as described for the
// block coder: 2 for the first equal pair, +1 for each further equal unit.
size_t RepeatCount(const BYTE* p, size_t rem, size_t width)
{
    size_t count = 1;
    for (size_t q = 0; rem - q >= 2 * width && count < kBlockCap; q += width) {
        if (std::memcmp(p + q, p + q + width, width) != 0)
            break;
        ++count;
    }
    return count;
}

// The width (0 none) and count of a repeat starting at p.
size_t FindRepeat(const BYTE* p, size_t rem, size_t& count)
{
    static const size_t widths[4] = {1, 4, 3, 2};
    static const size_t minimum[4] = {5, 3, 3, 3};
    for (int k = 0; k < 4; ++k) {
        if (rem < 2 * widths[k])
            continue;
        size_t c = RepeatCount(p, rem, widths[k]);
        if (c >= minimum[k]) {
            count = c;
            return widths[k];
        }
    }
    return 0;
}

void PutHeader(CPackOut& out, size_t type, size_t count)
{
    const size_t h = type * 4096 + count;
    out.Put(BYTE(h >> 8));
    out.Put(BYTE(h & 0xFF));
}

size_t PackBlocksPass(const BYTE* in, size_t n, CPackOut out)
{
    size_t pos = 0;
    while (pos < n) {
        const size_t r = n - pos;
        size_t offset = 0, width = 0, count = 0;
        for (; offset < r && offset < kBlockCap; ++offset) {
            width = FindRepeat(in + pos + offset, r - offset, count);
            if (width)
                break;
        }
        if (offset > 0) {
            PutHeader(out, 0, offset);
            out.Put(in + pos, offset);
            pos += offset;
            continue;
        }
        const BYTE* unit = in + pos;
        if (width == 4) {
            size_t type = unit[3] == 0xFF ? 5 : unit[3] == 0x00 ? 6 : unit[0] == 0xFF ? 7 : unit[0] == 0x00 ? 8 : 4;
            PutHeader(out, type, count);
            if (type == 4)
                out.Put(unit, 4);
            else if (type <= 6)
                out.Put(unit, 3);
            else
                out.Put(unit + 1, 3);
        } else {
            PutHeader(out, width, count);
            out.Put(unit, width);
        }
        pos += width * count;
    }
    out.Put(BYTE(0xFF));
    return out.Size();
}

size_t UnpackBlocksPass(const BYTE* in, size_t n, CPackOut out)
{
    size_t i = 0;
    for (;;) {
        if (i >= n)
            return kBad; // no end byte
        if (in[i] == 0xFF)
            break;
        if (n - i < 2)
            return kBad;
        const size_t type = in[i] >> 4;
        const size_t count = (size_t(in[i] & 0x0F) << 8) | in[i + 1];
        i += 2;
        if (type > 8 || count == 0)
            return kBad;
        const size_t payload = type == 0 ? count : type <= 4 ? type : 3;
        if (n - i < payload)
            return kBad;
        const BYTE* p = in + i;
        if (type == 0) {
            out.Put(p, count);
        } else if (type <= 4) {
            out.Repeat(p, type, count);
        } else {
            BYTE unit[4];
            if (type <= 6) {
                std::memcpy(unit, p, 3);
                unit[3] = type == 5 ? 0xFF : 0x00;
            } else {
                unit[0] = type == 7 ? 0xFF : 0x00;
                std::memcpy(unit + 1, p, 3);
            }
            out.Repeat(unit, 4, count);
        }
        i += payload;
        if (out.Size() > kMaxUnpackedSize)
            return kBad;
    }
    return out.Size();
}

using PassFn = size_t (*)(const BYTE*, size_t, CPackOut);

// Measures, allocates exactly, fills.
HGLOBAL RunTwoPasses(PassFn pass, const BYTE* data, size_t size)
{
    if (!data || !size)
        return nullptr;
    const size_t needed = pass(data, size, CPackOut(nullptr, 0));
    if (needed == kBad || needed == 0)
        return nullptr;
    HGLOBAL out = GlobalAlloc(GMEM_MOVEABLE, needed);
    if (!out)
        return nullptr;
    {
        CGlobalLock lock(out);
        if (!lock.data() || pass(data, size, CPackOut(lock.data(), needed)) != needed) {
            GlobalFree(out); // never expected: both passes run the same code
            return nullptr;
        }
    }
    return out;
}

HGLOBAL RunOnBlock(PassFn pass, HGLOBAL block)
{
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    return RunTwoPasses(pass, lock.data(), lock.data() ? lock.size() : 0);
}
} // namespace

HGLOBAL PackRunsBytes(const BYTE* data, size_t size) { return RunTwoPasses(PackRunsPass, data, size); }
HGLOBAL PackBlocksBytes(const BYTE* data, size_t size) { return RunTwoPasses(PackBlocksPass, data, size); }
HGLOBAL UnpackRunsBytes(const BYTE* data, size_t size) { return RunTwoPasses(UnpackRunsPass, data, size); }
HGLOBAL UnpackBlocksBytes(const BYTE* data, size_t size) { return RunTwoPasses(UnpackBlocksPass, data, size); }

HGLOBAL PackRuns(HGLOBAL block) { return RunOnBlock(PackRunsPass, block); }
HGLOBAL PackBlocks(HGLOBAL block) { return RunOnBlock(PackBlocksPass, block); }
HGLOBAL UnpackRuns(HGLOBAL block) { return RunOnBlock(UnpackRunsPass, block); }
HGLOBAL UnpackBlocks(HGLOBAL block) { return RunOnBlock(UnpackBlocksPass, block); }

#pragma once
// A hot-zone polygon: the outline of a figure whose visible shape is not its
// rectangle, as symbol-space float points (0..2048 over the owner's
// rectangle). One owned buffer, a 32-bit count followed by the points, exists
// only with 4 to 2048 points. Copies are deep.
#include "platform/CRect.h"
#include "geometry/CFltPoint.h"

#include <cstddef>
#include <cstdint>

class CHotZone {
public:
    static constexpr int kMinPoints = 4;
    static constexpr int kMaxPoints = 2048;

    CHotZone() = default;
    CHotZone(const CHotZone& o) { *this = o; }
    CHotZone& operator=(const CHotZone& o);
    ~CHotZone() { Free(); }

    void Free();
    // Forgets the buffer without freeing it (it belongs to someone else now).
    void Detach() { m_pBuf = nullptr; }
    bool IsValid() const { return m_pBuf != nullptr; }
    // The current polygon goes first; 0 (and an empty zone) for fewer than 4
    // or more than 2048 points or when memory runs out.
    int SetPoints(int count, const CFltPoint* points);
    // From a buffer of the same layout (count, then points); a null source
    // empties the zone (1), a count out of range too (0).
    int Copy(const void* buffer, size_t size);
    // Copies the points to `out`, which holds 2048 points; 0 without a buffer.
    int GetPoints(int& count, CFltPoint* out) const;
    int GetCount() const;
    // The first point, or null.
    const CFltPoint* GetPointArray() const;
    // count x 16 + 4, 0 without a buffer.
    int GetSize() const;
    const void* GetBuffer() const { return m_pBuf; }
    bool Equals(const CHotZone& o) const;

    // The forms the shape and document code use.
    // Refused (false) for a count out of range; the zone is then unchanged.
    bool Set(int count, const CFltPoint* points);
    void Clear() { Free(); }
    bool HasPoints() const { return GetCount() > 0; }
    const CFltPoint* GetPoints() const { return GetPointArray(); }
    bool operator==(const CHotZone& o) const { return Equals(o); }

private:
    unsigned char* m_pBuf = nullptr;
};
static_assert(sizeof(CFltPoint) == 16, "a hot-zone point is 16 bytes");

// Maps the points from one rectangle into another (when the first is not
// empty), then drops every interior point that repeats the one before it or
// lies exactly on the segment between its neighbours. The first and last
// points stay. `count` is updated.
void HotZonePointsToRect(int& count, POINT* points, const RECT* from, const RECT* to);

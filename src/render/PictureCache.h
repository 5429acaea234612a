#pragma once
// The two rendered sizes of a figure style's picture kept for redrawing its
// preview: each slot owns a bitmap with the size it was rendered at.
#include <QImage>

#include <array>
#include <memory>

class PictureCache {
public:
    static constexpr int kSlots = 2;

    PictureCache() = default;
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // Deletes the slot's bitmap and resets its size to 0 x 0; -1 clears both.
    void Clear(int slot);
    void ClearAll() { Clear(-1); }
    // The first slot without a bitmap, or -1.
    int FindFree() const;
    // Takes the bitmap (null gives null). With both slots full slot 0 is
    // cleared and reused; with mostRecentFirst and a free slot other than 0,
    // slot 0's entry moves there and the new bitmap takes slot 0.
    QImage* Add(std::unique_ptr<QImage> bitmap, bool mostRecentFirst);
    // The bitmap of the first slot whose size equals the given one, or null.
    QImage* Find(int width, int height) const;

private:
    struct Slot {
        std::unique_ptr<QImage> bitmap;
        int width = 0;
        int height = 0;
    };
    std::array<Slot, kSlots> m_slots;
};

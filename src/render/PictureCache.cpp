#include "render/PictureCache.h"

void PictureCache::Clear(int slot)
{
    for (int i = 0; i < kSlots; ++i)
        if (slot == -1 || slot == i)
            m_slots[size_t(i)] = Slot{};
}

int PictureCache::FindFree() const
{
    for (int i = 0; i < kSlots; ++i)
        if (!m_slots[size_t(i)].bitmap)
            return i;
    return -1;
}

QImage* PictureCache::Add(std::unique_ptr<QImage> bitmap, bool mostRecentFirst)
{
    if (!bitmap)
        return nullptr;
    int slot = FindFree();
    if (slot == -1) {
        Clear(0);
        slot = 0;
    } else if (mostRecentFirst && slot != 0) {
        m_slots[size_t(slot)] = std::move(m_slots[0]);
        m_slots[0] = Slot{};
        slot = 0;
    }
    Slot& s = m_slots[size_t(slot)];
    s.width = bitmap->width();
    s.height = bitmap->height();
    s.bitmap = std::move(bitmap);
    return s.bitmap.get();
}

QImage* PictureCache::Find(int width, int height) const
{
    for (const Slot& s : m_slots)
        if (s.bitmap && s.width == width && s.height == height)
            return s.bitmap.get();
    return nullptr;
}

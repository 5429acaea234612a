#include "richtext/CharWidthTable.h"

#include "graphics/DcHelpers.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"

#include <cstring>
#include <vector>

namespace {

struct WidthTableKey {
    LOGFONT font;
    int mapMode = -1;
    CSize windowExt;
    CSize viewportExt;
    bool operator==(const WidthTableKey& o) const
    {
        return std::memcmp(&font, &o.font, sizeof(LOGFONT)) == 0 && mapMode == o.mapMode &&
               windowExt == o.windowExt && viewportExt == o.viewportExt;
    }
};

struct WidthEntry {
    ABC abc[256];
    TEXTMETRIC tm;
    WidthTableKey key;
    unsigned lastUse = 0;
};

// The table of the font realised last, at a fixed address (the layout keeps
// a pointer to it), and the tables of recently realised fonts, so that a text
// that switches between a few fonts reads their widths from the device
// context only once each.
constexpr size_t kRecentFonts = 16;

struct WidthTables {
    WidthEntry current;
    bool valid = false;
    std::vector<WidthEntry> recent;
    unsigned clock = 0;
    int refills = 0;
};

WidthTables& Tables()
{
    // One a thread: export bands measure text on several.
    static thread_local WidthTables tables;
    return tables;
}

} // namespace

const ABC* MarkupCharWidths()
{
    return Tables().current.abc;
}

const TEXTMETRIC& MarkupTextMetrics()
{
    return Tables().current.tm;
}

bool RefreshMarkupCharWidths(CDC* dc)
{
    if (!dc)
        return false;
    WidthTableKey key;
    key.font = dc->State().logFont;
    key.mapMode = dc->GetMapMode();
    key.windowExt = dc->GetWindowExt();
    key.viewportExt = dc->GetViewportExt();
    WidthTables& t = Tables();
    if (t.valid && t.current.key == key)
        return false;
    ++t.clock;
    for (WidthEntry& e : t.recent)
        if (e.key == key) {
            e.lastUse = t.clock;
            t.current = e;
            t.valid = true;
            return true;
        }
    WidthEntry entry;
    FillCharWidths(dc, 0, 255, entry.abc);
    dc->GetTextMetrics(&entry.tm);
    entry.key = key;
    entry.lastUse = t.clock;
    ++t.refills;
    if (t.recent.size() < kRecentFonts) {
        t.recent.push_back(entry);
    } else {
        WidthEntry* oldest = &t.recent[0];
        for (WidthEntry& e : t.recent)
            if (e.lastUse < oldest->lastUse)
                oldest = &e;
        *oldest = entry;
    }
    t.current = entry;
    t.valid = true;
    return true;
}

int MarkupCharWidthRefills()
{
    return Tables().refills;
}

void ResetMarkupCharWidths()
{
    WidthTables& t = Tables();
    t.valid = false;
    t.recent.clear();
    t.refills = 0;
}

#include "richtext/CharWidthTable.h"

#include "graphics/DcHelpers.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"

#include <cstring>

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

struct WidthTable {
    ABC abc[256];
    TEXTMETRIC tm;
    WidthTableKey key;
    bool valid = false;
    int refills = 0;
};

WidthTable& Table()
{
    static WidthTable table;
    return table;
}

} // namespace

const ABC* MarkupCharWidths()
{
    return Table().abc;
}

const TEXTMETRIC& MarkupTextMetrics()
{
    return Table().tm;
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
    WidthTable& t = Table();
    if (t.valid && t.key == key)
        return false;
    FillCharWidths(dc, 0, 255, t.abc);
    dc->GetTextMetrics(&t.tm);
    t.key = key;
    t.valid = true;
    ++t.refills;
    return true;
}

int MarkupCharWidthRefills()
{
    return Table().refills;
}

void ResetMarkupCharWidths()
{
    Table().valid = false;
    Table().refills = 0;
}

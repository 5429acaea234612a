// The dominant look of a diagram: the appearance most of its figures share,
// which a newly inserted symbol takes.
#include "document/CKavoDoc.h"

#include <array>
#include <cstring>

namespace {

// The appearance properties that are tallied, in this order.
enum LookProp {
    kSymbol,
    kFillKind,
    kLineColor,
    kLineWidth,
    kFillColor,
    kShadow,
    kPattern,
    kFlagByteLow,    // the low byte of the flag word's low half
    kFlagByteHigh,   // the low byte of its high half
    kAlignHorz,
    kAlignVert,
    kLookPropCount
};

constexpr WORD kHorzAlignBits = 0x07, kVertAlignBits = 0x70;

std::array<long long, kLookPropCount> LookOf(const CFigProps& p)
{
    return {p.Symbol,
            p.m_fill.m_nKind,
            p.BorderColor,
            p.BorderWidth,
            p.m_fill.m_crColor1,
            p.Shadow,
            p.PenStyle,
            p.Behavior.low & 0xFF,
            p.Behavior.high & 0xFF,
            p.TextFormat & kHorzAlignBits,
            p.TextFormat & kVertAlignBits};
}

// Up to four distinct values of one property with a count each.
struct Tally {
    struct Slot {
        long long value = 0;
        int count = 0;
    };
    std::array<Slot, 4> slots;
    int used = 0;

    void Add(long long value)
    {
        for (int i = 0; i < used; ++i)
            if (slots[size_t(i)].value == value) {
                ++slots[size_t(i)].count;
                return;
            }
        int at = used;
        if (used == int(slots.size())) {
            // A new value when four are held takes the place of the rarest.
            at = 0;
            for (int i = 1; i < used; ++i)
                if (slots[size_t(i)].count < slots[size_t(at)].count)
                    at = i;
        } else {
            ++used;
        }
        slots[size_t(at)] = Slot{value, 1};
    }
    // The slot of the highest count, the first on a tie; -1 when empty.
    int Best() const
    {
        int best = -1;
        for (int i = 0; i < used; ++i)
            if (best < 0 || slots[size_t(i)].count > slots[size_t(best)].count)
                best = i;
        return best;
    }
};

bool HasPrefix(const CFigSymbol* symbol, const char* prefix)
{
    if (!prefix)
        return true;
    return symbol && symbol->m_strName.compare(0, std::strlen(prefix), prefix) == 0;
}

void WriteProp(CFigProps& p, int prop, long long v)
{
    switch (prop) {
    case kSymbol: p.Symbol = int32_t(v); break;
    case kFillKind: p.m_fill.m_nKind = int32_t(v); break;
    case kLineColor: p.BorderColor = COLORREF(v); break;
    case kLineWidth: p.BorderWidth = int32_t(v); break;
    case kFillColor: p.m_fill.m_crColor1 = COLORREF(v); break;
    case kShadow: p.Shadow = int32_t(v); break;
    case kPattern: p.PenStyle = int32_t(v); break;
    case kFlagByteLow: p.Behavior.low = (p.Behavior.low & ~DWORD(0xFF)) | DWORD(v); break;
    case kFlagByteHigh: p.Behavior.high = (p.Behavior.high & ~DWORD(0xFF)) | DWORD(v); break;
    case kAlignHorz: p.TextFormat = WORD((p.TextFormat & ~kHorzAlignBits) | WORD(v)); break;
    case kAlignVert: p.TextFormat = WORD((p.TextFormat & ~kVertAlignBits) | WORD(v)); break;
    default: break;
    }
}

} // namespace

void CKavoDoc::ApplyDominantProps(CFigProps& props, const char* prefix) const
{
    std::array<Tally, kLookPropCount> tallies;
    int records = 0;
    const auto tally = [&](const CFigProps& p) {
        const auto look = LookOf(p);
        for (size_t i = 0; i < look.size(); ++i)
            tallies[i].Add(look[i]);
        ++records;
    };
    // Junctions have no look of their own and are left out with the labels
    // and pictures.
    ForEachFigure([&](const CFigure* f) {
        if (!f->m_bLabel && !f->HasPicture() && !f->IsInvisible() && HasPrefix(f->GetSymbol(), prefix))
            tally(f->m_props);
    });
    if (records == 0)
        for (int i = 0; i < m_figStyles.GetCount(); ++i) {
            const CFigStyle* s = m_figStyles.GetAt(i);
            if (s && !s->Label && !s->m_props.HasGraphic() &&
                (!prefix || HasPrefix(m_figSymbols.GetAt(s->m_props.Symbol), prefix)))
                tally(s->m_props);
        }
    if (records == 0)
        return;
    for (int prop = 0; prop < kLookPropCount; ++prop) {
        const Tally& t = tallies[size_t(prop)];
        const int best = t.Best();
        if (best < 0 || t.slots[size_t(best)].count * 100 / records < 80)
            continue;
        // The alignments are taken only from a slot after the first.
        if ((prop == kAlignHorz || prop == kAlignVert) && best == 0)
            continue;
        WriteProp(props, prop, t.slots[size_t(best)].value);
    }
}

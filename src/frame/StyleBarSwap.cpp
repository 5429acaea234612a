#include "frame/StyleBarSwap.h"

#include "document/CKavoDoc.h"
#include "frame/CustomizeEdits.h"

namespace {

bool SwapIn(CKavoDoc& doc, CStyleMenuLayout& layout, int a, int b)
{
    SnapshotStyleBar(doc);
    if (!layout.SwapEntries(a, b))
        return false;
    doc.SetModifiedFlag(true);
    return true;
}

bool IsPairRefused(int a, int b)
{
    return a < 0 || b < 0 || a == b;
}

} // namespace

bool SwapFigStylesOnBar(CKavoDoc& doc, int styleA, int styleB)
{
    const CFigStyle* a = IsPairRefused(styleA, styleB) ? nullptr : doc.GetFigStyles()->GetAt(styleA);
    if (!a)
        return false;
    return SwapIn(doc, a->Label ? doc.m_lblButtons : doc.m_figButtons, styleA, styleB);
}

bool SwapConStylesOnBar(CKavoDoc& doc, int styleA, int styleB)
{
    if (IsPairRefused(styleA, styleB) || !doc.GetConStyles()->GetAt(styleA))
        return false;
    return SwapIn(doc, doc.m_conButtons, styleA, styleB);
}

#include "document/StyleBarLayouts.h"

#include "document/CKavoDoc.h"

namespace {

bool SwapIn(CKavoDoc& doc, CStyleMenuLayout& layout, int a, int b)
{
    SnapshotStyleBarLayouts(doc);
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

bool SnapshotStyleBarLayouts(CKavoDoc& doc)
{
    const bool held = doc.m_nSBarWidthOrg != -1 && doc.m_lblButtonsRestore.IsDefined()
                      && doc.m_figButtonsRestore.IsDefined() && doc.m_conButtonsRestore.IsDefined();
    if (held)
        return false;
    doc.m_lblButtonsRestore = doc.m_lblButtons;
    doc.m_figButtonsRestore = doc.m_figButtons;
    doc.m_conButtonsRestore = doc.m_conButtons;
    doc.m_nSBarWidthOrg = doc.m_nSBarWidth;
    return true;
}

bool RestoreStyleBarLayouts(CKavoDoc& doc)
{
    bool restored = false;
    if (doc.m_nSBarWidthOrg != -1) {
        doc.m_nSBarWidth = doc.m_nSBarWidthOrg;
        doc.m_nSBarWidthOrg = -1;
        restored = true;
    }
    const StyleLibRef figs(*doc.GetFigStyles()), cons(*doc.GetConStyles());
    const struct {
        CStyleMenuLayout* layout;
        CStyleMenuLayout* saved;
        const StyleLibRef* lib;
    } rows[] = {{&doc.m_lblButtons, &doc.m_lblButtonsRestore, &figs},
                {&doc.m_figButtons, &doc.m_figButtonsRestore, &figs},
                {&doc.m_conButtons, &doc.m_conButtonsRestore, &cons}};
    for (const auto& row : rows) {
        if (!row.saved->IsDefined())
            continue;
        *row.layout = *row.saved;
        row.saved->Clear();
        // The library may have changed since the snapshot.
        row.layout->ResolveNames(*row.lib, 1);
        restored = true;
    }
    if (restored)
        doc.SetModifiedFlag(true);
    return restored;
}

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

#include "frame/CustomizeEdits.h"

#include "document/CKavoDoc.h"

#include <algorithm>
#include <array>

namespace {
CustomizeDrop Changed(bool changed) { return changed ? CustomizeDrop::Changed : CustomizeDrop::Unchanged; }

// A drop next to the button's own place edits the separator before it.
bool DropBesideItself(CToolBarButtons& bar, int d, int t, bool& changed)
{
    if (t == d) {
        changed = bar.RemoveSeparatorBefore(d);
        return true;
    }
    if (t == d + 1) {
        changed = d != 0 && !bar.HasSeparatorBefore(d) && bar.InsertSeparatorBefore(d);
        return true;
    }
    if (t == d - 1 && bar.HasSeparatorBefore(d)) {
        changed = bar.RemoveSeparatorBefore(d);
        return true;
    }
    return false;
}

std::array<CStyleMenuLayout*, 3> SavedLayouts(CKavoDoc& doc)
{
    return {&doc.m_lblButtonsRestore, &doc.m_figButtonsRestore, &doc.m_conButtonsRestore};
}
} // namespace

std::array<CStyleMenuLayout*, 3> StyleBarLayouts(CKavoDoc& doc)
{
    return {&doc.m_lblButtons, &doc.m_figButtons, &doc.m_conButtons};
}

int CountButtons(const CToolBarButtons& bar)
{
    const auto& list = bar.Buttons();
    return int(std::count_if(list.begin(), list.end(), [](unsigned c) { return c != 0; }));
}

CustomizeDrop DropToolBarButton(CToolBarButtons& from, int d, CToolBarButtons* to, int t, bool fromBar)
{
    if (d < 0 || d >= from.Count())
        return CustomizeDrop::Unchanged;
    const unsigned command = from.Buttons()[size_t(d)];
    bool changed = false;
    if (fromBar && to == &from && DropBesideItself(from, d, t, changed))
        return Changed(changed);
    if (!to && !fromBar)
        return CustomizeDrop::Unchanged;
    if (CountButtons(from) <= 1)
        return CustomizeDrop::OnlyButton;
    if (!to)
        return Changed(from.RemoveCommand(command));
    // Checked before the button leaves its bar, so that a move onto a full
    // bar loses nothing.
    if (to != &from && to->Count() >= kToolBarMaxButtons)
        return CustomizeDrop::BarFull;
    if (t < 0 || t > to->Count())
        return CustomizeDrop::Unchanged;
    from.RemoveCommand(command, to == &from ? &t : nullptr);
    t = std::clamp(t, 0, to->Count());
    to->InsertButton(command, t);
    return CustomizeDrop::Changed;
}

CustomizeDrop AddToolBarCommand(CToolBarButtons& to, unsigned command, int t)
{
    if (to.Count() >= kToolBarMaxButtons)
        return CustomizeDrop::BarFull;
    return Changed(to.InsertButton(command, t));
}

bool DropStyleInLayout(CStyleMenuLayout& layout, int style, const std::string& name, int pos)
{
    const int p = layout.FindIndex(style);
    if (p < 0)
        return layout.InsertAt(std::clamp(pos, 0, int(layout.m_nCount)), style, name);
    if (pos == p || pos == p + 1)
        return false;
    const std::string kept = layout.m_names[p];
    layout.RemoveAt(p);
    if (p < pos)
        --pos;
    return layout.InsertAt(std::clamp(pos, 0, int(layout.m_nCount)), style, kept);
}

bool RemoveStyleFromLayout(CStyleMenuLayout& layout, int style)
{
    const int p = layout.FindIndex(style);
    if (p < 0)
        return false;
    layout.RemoveAt(p);
    return true;
}

int DraggedStyleBarWidth(int startWidth, int dx)
{
    return std::clamp(startWidth + dx, kMinStyleBarWidth, kMaxStyleBarWidth);
}

bool SnapshotStyleBar(CKavoDoc& doc)
{
    const auto saved = SavedLayouts(doc);
    const bool held =
        doc.m_nSBarWidthOrg != -1 && std::all_of(saved.begin(), saved.end(), [](auto* l) { return l->IsDefined(); });
    if (held)
        return false;
    const auto current = StyleBarLayouts(doc);
    for (size_t i = 0; i < 3; ++i)
        *saved[i] = *current[i];
    doc.m_nSBarWidthOrg = doc.m_nSBarWidth;
    return true;
}

bool RestoreStyleBar(CKavoDoc& doc)
{
    bool restored = false;
    if (doc.m_nSBarWidthOrg != -1) {
        doc.m_nSBarWidth = doc.m_nSBarWidthOrg;
        doc.m_nSBarWidthOrg = -1;
        restored = true;
    }
    const auto saved = SavedLayouts(doc);
    const auto current = StyleBarLayouts(doc);
    const StyleLibRef libs[3] = {StyleLibRef(doc.m_figStyles), StyleLibRef(doc.m_figStyles),
                                 StyleLibRef(doc.m_conStyles)};
    for (size_t i = 0; i < 3; ++i) {
        // A saved layout without entries is only the row's preset size, not
        // a copy: taking it back would empty the row.
        if (!saved[i]->IsDefined() || saved[i]->m_nCount == 0)
            continue;
        *current[i] = *saved[i];
        saved[i]->Clear();
        current[i]->ResolveNames(libs[i], 1);
        restored = true;
    }
    if (restored)
        doc.SetModifiedFlag();
    return restored;
}

bool ApplyStyleBarLayouts(CKavoDoc& doc, const CStyleMenuLayout* layouts[3], int width)
{
    const auto current = StyleBarLayouts(doc);
    const bool sameWidth = width == -1 || width == doc.m_nSBarWidth;
    bool sameLayouts = true;
    for (size_t i = 0; i < 3; ++i)
        sameLayouts = sameLayouts && *layouts[i] == *current[i];
    if (sameWidth && sameLayouts)
        return false;
    SnapshotStyleBar(doc);
    doc.SetModifiedFlag();
    if (width != -1)
        doc.m_nSBarWidth = width;
    for (size_t i = 0; i < 3; ++i)
        *current[i] = *layouts[i];
    return true;
}

#include "controls/StylePickerCore.h"

#include "controls/StyleChoiceSeams.h"
#include "core/CSerialStamp.h"
#include "document/CKavoDoc.h"

namespace {

bool SameDesc(const DropMenuDesc& a, const DropMenuDesc& b)
{
    if (a.subs.size() != b.subs.size() || a.indexes != b.indexes)
        return false;
    for (size_t i = 0; i < a.subs.size(); ++i) {
        const DropMenuDesc::Sub &x = a.subs[i], &y = b.subs[i];
        if (x.name != y.name || x.count != y.count || x.columns != y.columns || x.itemWidth != y.itemWidth ||
            x.itemHeight != y.itemHeight)
            return false;
    }
    return true;
}

} // namespace

CStylePickerCore::CStylePickerCore(StylePickKind kind, bool followsActiveDoc)
    : m_kind(kind), m_bFollowsActiveDoc(followsActiveDoc)
{
}

bool CStylePickerCore::SetDocument(CKavoDoc* doc)
{
    if (doc == m_pDoc)
        return false;
    m_pDoc = doc;
    Refresh();
    if (!doc && m_kind == StylePickKind::Figure)
        m_nCurrent = -1;
    return true;
}

bool CStylePickerCore::Refresh()
{
    m_cats = CPaletteItemList();
    m_builtFrom.Clear();
    if (!m_pDoc)
        return false;
    FillKindCategories(*m_pDoc, m_kind, m_builtFrom);
    FillStyleCategories(m_builtFrom, m_cats);
    m_nSeenStamp = KindStamp(*m_pDoc, m_kind).Get();
    return true;
}

bool CStylePickerCore::NeedsRefresh(CKavoDoc* activeDoc) const
{
    PickerRefreshCheck check;
    check.followsActiveDoc = m_bFollowsActiveDoc;
    check.activeDocDiffers = !m_pDoc || activeDoc != m_pDoc;
    if (m_pDoc) {
        check.stampChanged = KindStamp(*m_pDoc, m_kind).Get() != m_nSeenStamp;
        DropMenuDesc now;
        FillDropMenuFromLayout(KindMenu(*m_pDoc, m_kind), now);
        check.layoutDiffers = !SameDesc(now, m_builtFrom);
    }
    return PickerNeedsRefresh(check);
}

bool CStylePickerCore::FollowActiveDoc(CKavoDoc* activeDoc)
{
    if (!m_bFollowsActiveDoc || activeDoc == m_pDoc)
        return false;
    m_pDoc = activeDoc;
    return Refresh();
}

bool CStylePickerCore::RefreshIfStale()
{
    return m_pDoc && NeedsRefresh(m_pDoc) && Refresh();
}

bool CStylePickerCore::PrepareDrop(CKavoDoc* activeDoc)
{
    const bool followed = FollowActiveDoc(activeDoc);
    return RefreshIfStale() || followed;
}

bool CStylePickerCore::SetCurrent(int style)
{
    if (style == m_nCurrent)
        return false;
    m_nCurrent = style;
    return true;
}

int CStylePickerCore::SelectDefault()
{
    m_nCurrent = SelectDefaultStyle(m_pDoc, m_kind);
    return m_nCurrent;
}

bool CStylePickerCore::Choose(int command, QPoint dialogAt)
{
    if (IsMoreEntryId(UINT(command))) {
        const int category = command - int(kMoreId) - 1;
        const std::string name =
            category >= 0 && category < m_cats.CategoryCount() ? m_cats.Category(category).name : std::string();
        StyleChoiceRequest request;
        request.kind = m_kind;
        request.doc = m_pDoc;
        request.at = dialogAt;
        request.category = StyleChoiceCategory(m_pDoc, m_kind, command, name);
        request.selected = m_nCurrent;
        return ChooseStyleForPicker(request, m_nCurrent);
    }
    const int value = ValueOfCommand(command);
    if (value < 0)
        return false;
    m_nCurrent = value;
    return true;
}

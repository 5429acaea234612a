#include "shapes/CConStylesLibrary.h"

int CConStylesLibrary::AddConStyle(const CConProps* props, const std::string& name, int hasButton,
                                   int inMenu, const std::string& description,
                                   const std::string& category, int autoLabel,
                                   const std::string& autoLabelText, int autoLabelPosition,
                                   int fragmentCreation, int fragmentLength, int fragmentAngle)
{
    if (!props || name.size() > CStyle::kMaxName)
        return 0;
    CConStyle* s = NewEntry();
    if (!s)
        return 0;
    s->SetName(name);
    s->HasButton = hasButton;
    s->InMenu = inMenu;
    s->Description = description.substr(0, CStyle::kMaxDescription);
    s->Category = category.substr(0, CStyle::kMaxCategory);
    s->AutoLabel = autoLabel;
    s->AutoLabelText = autoLabelText.substr(0, CConStyle::kMaxAutoLabelText);
    s->AutoLabelPosition = autoLabelPosition;
    s->FragmentCreation = fragmentCreation;
    s->FragmentLength = fragmentLength;
    s->FragmentAngle = fragmentAngle;
    s->m_props = *props;
    s->m_nSpare = 0;
    return 1;
}

void CConStylesLibrary::SetEntry(int index, const CConStyle* style)
{
    CConStyle* entry = GetAt(index);
    if (entry && style)
        *entry = *style;
}

CConProps* CConStylesLibrary::GetProps(int index) const
{
    CConStyle* s = GetAt(index);
    return s ? &s->m_props : nullptr;
}

bool CConStylesLibrary::IsEndShapeUsed(int shapeIndex) const
{
    for (const auto& e : m_entries) {
        if (e->m_props.End1 == shapeIndex || e->m_props.End2 == shapeIndex)
            return true;
    }
    return false;
}

void CConStylesLibrary::ShiftEndShapeIndexes(int removedIndex)
{
    for (auto& e : m_entries) {
        if (e->m_props.End1 >= removedIndex)
            --e->m_props.End1;
        if (e->m_props.End2 >= removedIndex)
            --e->m_props.End2;
    }
}

int CConStylesLibrary::BuildCategories(StyleCategoryList& list, int)
{
    list.Clear();
    for (int i = 0; i < GetCount(); ++i) {
        if (!BuildFrom(list, i, GetAt(i)->Category))
            return 0;
    }
    return 1;
}

int CConStylesLibrary::Delete(int index)
{
    if (!GetAt(index))
        return 0;
    RemoveAt(index);
    SetChanged();
    return 1;
}

int CConStylesLibrary::RemoveWithUsers(int index)
{
    if (!Delete(index))
        return 0;
    if (m_pDoc)
        m_pDoc->AfterConStyleRemoved(index);
    return 1;
}

void CConStylesLibrary::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 1; --i)
        Delete(i);
    CLibraryList::RemoveAll();
    SetChanged();
}

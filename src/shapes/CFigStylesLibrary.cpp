#include "shapes/CFigStylesLibrary.h"

#include "core/Trace.h"

#include <cstdint>

namespace {

std::string Cut(const std::string& text, size_t limit)
{
    return text.size() > limit ? text.substr(0, limit) : text;
}

constexpr int kMaxSizePairs = 20;

} // namespace

int CFigStylesLibrary::AddFigStyle(const CFigProps* props, const std::string& name, int hasButton,
                                   int inMenu, int isLabel, const std::string& description,
                                   const std::string& category, int width, int height,
                                   const std::string& defaultText, const std::string& textInits,
                                   std::shared_ptr<TextBoxInitTexts> textInitObject, int autoLabel,
                                   const std::string& autoLabelText)
{
    if (!props || name.size() > CStyle::kMaxName)
        return 0;
    CFigStyle* s = NewEntry();
    if (!s)
        return 0;
    s->SetName(name);
    s->Description = Cut(description, CStyle::kMaxDescription);
    s->Category = Cut(category, CStyle::kMaxCategory);
    s->DefaultText = Cut(defaultText, CFigStyle::kMaxDefaultText);
    s->TextInits = Cut(textInits, CFigStyle::kMaxTextInits);
    s->HasButton = hasButton;
    s->InMenu = inMenu;
    s->Label = isLabel;
    s->Width = width;
    s->Height = height;
    s->AutoLabel = autoLabel;
    s->AutoLabelText = Cut(autoLabelText, CFigStyle::kMaxAutoLabelText);
    s->m_props = *props;
    s->DisplayText = 0;
    // The style gets its own copy: the caller's object may change later.
    if (textInitObject)
        s->m_pTextBoxInits = std::make_shared<TextBoxInitTexts>(*textInitObject);
    return 1;
}

void CFigStylesLibrary::SetEntry(int index, const CFigStyle* style)
{
    CFigStyle* entry = GetAt(index);
    if (entry && style)
        *entry = *style;
}

CFigProps* CFigStylesLibrary::GetProps(int index) const
{
    CFigStyle* s = GetAt(index);
    return s ? &s->m_props : nullptr;
}

int CFigStylesLibrary::CountLabelStyles() const
{
    int n = 0;
    for (const auto& e : m_entries)
        n += e->Label ? 1 : 0;
    return n;
}

int CFigStylesLibrary::FindNth(int n, int label) const
{
    int seen = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if ((GetAt(i)->Label != 0) == (label != 0) && seen++ == n)
            return i;
    }
    return -1;
}

int CFigStylesLibrary::OrdinalOf(int index, int label) const
{
    const CFigStyle* s = GetAt(index);
    if (!s || (s->Label != 0) != (label != 0))
        return -1;
    int ordinal = 0;
    for (int i = 0; i < index; ++i)
        ordinal += (GetAt(i)->Label != 0) == (label != 0) ? 1 : 0;
    return ordinal;
}

void CFigStylesLibrary::MostCommonSize(int& width, int& height) const
{
    struct Pair { int h, w, count; };
    Pair pairs[kMaxSizePairs];
    int used = 0;
    for (const auto& e : m_entries) {
        if (e->Label)
            continue;
        int i = 0;
        while (i < used && !(pairs[i].h == e->Height && pairs[i].w == e->Width))
            ++i;
        if (i < used)
            ++pairs[i].count;
        else if (used < kMaxSizePairs)
            pairs[used++] = {e->Height, e->Width, 1};
    }
    width = height = 0;
    int best = -1;
    for (int i = 0; i < used; ++i) {
        if (best < 0 || pairs[i].count > pairs[best].count)
            best = i;
    }
    if (best >= 0) {
        width = pairs[best].w;
        height = pairs[best].h;
    }
}

bool CFigStylesLibrary::IsSymbolUsed(int symbolIndex) const
{
    for (const auto& e : m_entries) {
        if (e->m_props.Symbol == symbolIndex || e->m_props.Icon == symbolIndex)
            return true;
    }
    return false;
}

void CFigStylesLibrary::ShiftSymbolIndexes(int removedIndex)
{
    for (auto& e : m_entries) {
        if (e->m_props.Symbol >= removedIndex)
            --e->m_props.Symbol;
        if (e->m_props.Icon >= removedIndex)
            --e->m_props.Icon;
    }
}

void CFigStylesLibrary::RemapSymbolIndex(int from, int to)
{
    for (auto& e : m_entries) {
        if (!e->Label && e->m_props.m_nGraphicType == 0 && e->m_props.Symbol == from)
            e->m_props.Symbol = to;
    }
}

int CFigStylesLibrary::BuildCategories(StyleCategoryList& list, int kind)
{
    list.Clear();
    for (int i = 0; i < GetCount(); ++i) {
        const CFigStyle& s = *GetAt(i);
        if (s.Label != kind)
            continue;
        if (!BuildFrom(list, i, s.Category))
            return 0;
    }
    return 1;
}

void CFigStylesLibrary::ReleasePicture(CFigStyle& s)
{
    if (!s.m_props.m_nGraphicType)
        return;
    if (s.m_props.Graphic) {
        DiagPrintf("GMEM  WMF Handle %04X freed in CFigStylesLibrary::Delete\n",
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(s.m_props.Graphic)));
        DiagPrintf("SMEM            From CFigStylesLibrary::Delete()\n");
        if (m_pDoc)
            m_pDoc->ReleaseSharedPicture(s.m_props.m_nGraphicType, s.m_props.Graphic);
        s.m_props.Graphic = nullptr;
    }
    s.m_props.m_nGraphicType = 0;
}

int CFigStylesLibrary::Delete(int index)
{
    CFigStyle* s = GetAt(index);
    if (!s)
        return 0;
    ReleasePicture(*s);
    RemoveAt(index);
    SetChanged();
    return 1;
}

int CFigStylesLibrary::RemoveWithUsers(int index)
{
    if (!GetAt(index))
        return 0;
    if (m_pDoc)
        m_pDoc->BeforeFigStyleRemoved(index);
    Delete(index);
    if (m_pDoc)
        m_pDoc->AfterFigStyleRemoved(index);
    return 1;
}

void CFigStylesLibrary::ReleaseAll()
{
    for (int i = GetCount() - 1; i >= 1; --i)
        Delete(i);
    // The first entry's picture is released as well, or its use would leak.
    if (CFigStyle* first = GetAt(0))
        ReleasePicture(*first);
    CLibraryList::RemoveAll();
    SetChanged();
}

void CFigStylesLibrary::RemoveAll()
{
    ReleaseAll();
}

void AddNewDocDefaultStyle(CFigStylesLibrary& library)
{
    CFigStyle* s = library.NewEntry();
    if (!s)
        return;
    s->Reset();
    s->m_props.Behavior = FigFlagSet{0x251E1, 0};
    s->Label = 1;
    s->m_props.Symbol = 1;
    s->m_props.TextFormat = 0x44;
    s->SetName("null");
}

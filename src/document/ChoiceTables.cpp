#include "document/ChoiceTables.h"

namespace {
FillChoiceTable g_fillChoices;
CShadowChoiceList g_shadowChoices;

struct FillRow {
    const char* name;
    int kind, gamma, angle, variant, centreX, centreY, intensity;
};

constexpr FillRow kFillRows[] = {
    {"Transparent", 0, 0, 0, 0, 50, 50, 100},
    {"Flat", 1, 0, 0, 0, 50, 50, 100},
    {"Vertical", 2, 1, 0, 0, 50, 50, 90},
    {"Horizontal", 2, 1, 90, 0, 50, 50, 90},
    {"Cylinder", 2, 1, 270, 1, 50, 50, 80},
    {"Diagonal Cylinder", 2, 1, 225, 1, 50, 50, 80},
    {"3D Diagonal", 2, 0, 45, 0, 50, 50, 90},
    {"3D Elliptical", 3, 0, 45, 1, 30, 30, 90},
    {"Elliptical", 3, 0, 45, 0, 50, 50, 90},
    {"Museum Light", 3, 0, 45, 1, 50, 0, 90},
};

struct ShadowRow {
    const char* name;
    int type, x, y, blur, opacity;
};

constexpr ShadowRow kShadowRows[] = {
    {"No Shadow", 0, 0, 0, 0, 255},      {"Small Shadow", 1, 7, 7, 9, 153},
    {"Medium Shadow", 1, 18, 18, 17, 153}, {"Large Shadow", 1, 39, 39, 35, 153},
    {"Small Glow", 1, 0, 0, 20, 92},     {"Medium Glow", 1, 0, 0, 38, 92},
    {"Large Glow", 1, 0, 0, 35, 181},
};
} // namespace

int FillChoiceTable::Add(const CFillChoice& choice)
{
    if (GetCount() >= kMaxChoices)
        return 0;
    m_choices.push_back(choice);
    return 1;
}

const CFillChoice* FillChoiceTable::GetAt(int i) const
{
    return i >= 0 && i < GetCount() ? &m_choices[size_t(i)] : nullptr;
}

int FillChoiceTable::FindName(const CFillSpec& fill, std::string& name) const
{
    for (int i = 0; i < GetCount(); ++i) {
        const CFillChoice& c = m_choices[size_t(i)];
        CFillSpec applied = fill;
        applied.CopyMasked(&c.m_fill, &c.m_mask);
        if (applied.IsEquivalent(fill)) {
            name = c.m_strName;
            return i;
        }
    }
    name.clear();
    return -1;
}

int FillChoiceTable::FindByName(const std::string& name) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_choices[size_t(i)].m_strName == name)
            return i;
    return -1;
}

int FillChoiceTable::ApplyByName(CFillSpec& fill, const std::string& name, CFillMask* maskOut) const
{
    const CFillChoice* c = GetAt(FindByName(name));
    if (!c)
        return 0;
    if (maskOut)
        *maskOut = c->m_mask;
    fill.CopyMasked(&c->m_fill, &c->m_mask);
    return 1;
}

std::vector<std::string> FillChoiceTable::ComboNames(bool addBlank, const std::string& skipName) const
{
    std::vector<std::string> names;
    for (const CFillChoice& c : m_choices)
        if (c.m_strName != skipName)
            names.push_back(c.m_strName);
    if (addBlank)
        names.push_back(" ");
    return names;
}

bool CShadowChoice::Matches(const CShadowSpec& spec) const
{
    CShadowSpec merged = m_shadow;
    merged.CopyMasked(&spec, &m_mask);
    return merged.IsSameEffect(m_shadow);
}

int CShadowChoiceList::Add(const CShadowChoice& choice)
{
    if (m_nCount >= kMaxChoices)
        return 0;
    m_choices[m_nCount++] = choice;
    return 1;
}

const CShadowChoice* CShadowChoiceList::GetAt(int i) const
{
    return i >= 0 && i < m_nCount ? &m_choices[i] : nullptr;
}

int CShadowChoiceList::FindMatch(const CShadowSpec& spec, std::string& name) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_choices[i].Matches(spec)) {
            name = m_choices[i].m_strName;
            return i;
        }
    name.clear();
    return -1;
}

int CShadowChoiceList::FindByName(const std::string& name) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_choices[i].m_strName == name)
            return i;
    return -1;
}

int CShadowChoiceList::ApplyByName(CShadowSpec& spec, const std::string& name,
                                   CShadowFieldMask* maskOut) const
{
    const CShadowChoice* c = GetAt(FindByName(name));
    if (!c)
        return 0;
    if (maskOut)
        *maskOut = c->m_mask;
    spec.CopyMasked(&c->m_shadow, &c->m_mask);
    return 1;
}

std::vector<std::string> CShadowChoiceList::ComboNames(bool addBlank) const
{
    std::vector<std::string> names;
    for (int i = 0; i < m_nCount; ++i)
        names.push_back(m_choices[i].m_strName);
    if (addBlank)
        names.push_back(" ");
    return names;
}

namespace {
void FillComboWith(IChoiceCombo& combo, const std::vector<std::string>& names, bool addBlank)
{
    combo.ResetContent();
    int added = 0;
    for (const std::string& name : names) {
        if (!combo.AddString(name))
            break;
        ++added;
    }
    if (addBlank && combo.AddString(" "))
        ++added;
    combo.SetDropDownItems(added);
}
} // namespace

void FillChoiceTable::FillCombo(IChoiceCombo& combo, bool addBlank, const std::string& skipName) const
{
    FillComboWith(combo, ComboNames(false, skipName), addBlank);
}

void CShadowChoiceList::FillCombo(IChoiceCombo& combo, bool addBlank) const
{
    FillComboWith(combo, ComboNames(false), addBlank);
}

void BuildFillChoices(FillChoiceTable& table)
{
    CFillChoice c;
    // Every built-in choice sets the second colour and the rest, never the
    // first colour: a figure keeps its own colour under a named fill.
    c.m_mask.m_bColor2 = 1;
    c.m_mask.m_bRest = 1;
    for (const FillRow& r : kFillRows) {
        c.m_strName = r.name;
        c.m_fill.m_nKind = r.kind;
        c.m_fill.m_nGamma = r.gamma;
        c.m_fill.m_crColor2 = 0xFFFFFF;
        c.m_fill.m_nAngle = r.angle;
        c.m_fill.m_nVariant = r.variant;
        c.m_fill.m_nCentreX = r.centreX;
        c.m_fill.m_nCentreY = r.centreY;
        c.m_fill.m_nIntensity = r.intensity;
        c.m_fill.m_nGrowth = 0;
        table.Add(c);
    }
}

void BuildShadowChoices(CShadowChoiceList& table)
{
    CShadowChoice c;
    c.m_bEnabled = 0;
    c.m_mask = CShadowFieldMask{1, 0, 1, 1, 1, 1};
    for (const ShadowRow& r : kShadowRows) {
        c.m_strName = r.name;
        c.m_shadow = CShadowSpec(r.type, 0, r.x, r.y, r.blur, r.opacity);
        table.Add(c);
    }
}

FillChoiceTable& FillChoices()
{
    return g_fillChoices;
}

CShadowChoiceList& ShadowChoices()
{
    return g_shadowChoices;
}

void BuildChoiceTables()
{
    ResetChoiceTables();
    BuildFillChoices(g_fillChoices);
    BuildShadowChoices(g_shadowChoices);
}

void ResetChoiceTables()
{
    g_fillChoices.RemoveAll();
    g_shadowChoices.RemoveAll();
}

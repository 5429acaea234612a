#pragma once
// The named fills and shadows the pickers offer. Each choice fixes only the
// fields its mask selects, so a fill or shadow "is" a choice when it agrees
// on those fields. Two program-wide tables, filled once at start-up.
#include "shapes/FillDescription.h"
#include "document/ShadowDescription.h"

#include <string>
#include <vector>

constexpr int kMaxChoices = 25;

// The combo box a choice list fills (a widget in the UI, a fake in tests).
class IChoiceCombo {
public:
    virtual ~IChoiceCombo() = default;
    virtual void ResetContent() = 0;
    // False when the combo box refuses the entry.
    virtual bool AddString(const std::string& text) = 0;
    // The drop-down list is made tall enough for this many items.
    virtual void SetDropDownItems(int count) = 0;
};

struct CFillChoice {
    CFillSpec m_fill;
    std::string m_strName;
    int32_t m_nFlag = 0;
    CFillMask m_mask;
};

class FillChoiceTable {
public:
    // 0 when the table already holds 25 choices.
    int Add(const CFillChoice& choice);
    int GetCount() const { return int(m_choices.size()); }
    const CFillChoice* GetAt(int i) const;
    // The first choice that, applied to a copy of the fill, leaves a fill
    // equivalent to it; -1 and an empty name when none does.
    int FindName(const CFillSpec& fill, std::string& name) const;
    // Exact, case-sensitive; -1 when missing.
    int FindByName(const std::string& name) const;
    // Applies the named choice to the fill and copies its mask out; 0 when
    // no choice has the name.
    int ApplyByName(CFillSpec& fill, const std::string& name, CFillMask* maskOut) const;
    // The names a fill combo box lists, in order, without skipName, with a
    // trailing " " entry when addBlank is set.
    std::vector<std::string> ComboNames(bool addBlank, const std::string& skipName) const;
    // Empties the combo box and adds those names, stopping at the first it
    // refuses; then sizes its drop-down list.
    void FillCombo(IChoiceCombo& combo, bool addBlank, const std::string& skipName) const;
    void RemoveAll() { m_choices.clear(); }

private:
    std::vector<CFillChoice> m_choices;
};

struct CShadowChoice {
    CShadowSpec m_shadow;
    std::string m_strName;
    int32_t m_bEnabled = 1;
    CShadowFieldMask m_mask;

    // The given record agrees with this choice on every masked field.
    bool Matches(const CShadowSpec& spec) const;
};

class CShadowChoiceList {
public:
    int Add(const CShadowChoice& choice);
    int GetCount() const { return m_nCount; }
    const CShadowChoice* GetAt(int i) const;
    int FindMatch(const CShadowSpec& spec, std::string& name) const;
    int FindByName(const std::string& name) const;
    int ApplyByName(CShadowSpec& spec, const std::string& name, CShadowFieldMask* maskOut) const;
    std::vector<std::string> ComboNames(bool addBlank) const;
    void FillCombo(IChoiceCombo& combo, bool addBlank) const;
    void RemoveAll() { m_nCount = 0; }

private:
    CShadowChoice m_choices[kMaxChoices];
    int m_nCount = 0;
};
using ShadowChoiceTable = CShadowChoiceList;

// The built-in choices, appended in their fixed order.
void BuildFillChoices(FillChoiceTable& table);
void BuildShadowChoices(CShadowChoiceList& table);

// The program-wide tables.
FillChoiceTable& FillChoices();
CShadowChoiceList& ShadowChoices();
// Both tables emptied and built again (start-up and tests).
void BuildChoiceTables();
void ResetChoiceTables();

#include "dialogs/sheets/CFTabBehaviors.h"

#include "controls/CCheckListCtrl.h"
#include "controls/CDlgCommandEvent.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "document/FigPropValues.h"
#include "platform/ui/DlgItems.h"
#include "richtext/TextUtils.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
constexpr DWORD kWrapBit = 0x8000;

struct RadioDef {
    int id;
    const char* text;
    DWORD bit;
};
struct GroupDef {
    const char* title;
    RadioDef radios[3];
    int count;
};
const GroupDef kGroups[4] = {
    {"Line too long",
     {{CFTabBehaviors::IDC_PREVENT, "&Prevent", 0x10000},
      {CFTabBehaviors::IDC_EXPAND_H, "E&xpand horizontally", 0x4000},
      {CFTabBehaviors::IDC_WRAP, "&Wrap", 0x8000}},
     3},
    {"Too many lines",
     {{CFTabBehaviors::IDC_PREVENT_LINES, "Pre&vent", 0x40000},
      {CFTabBehaviors::IDC_EXPAND_V, "Expa&nd vertically", 0x20000}},
     2},
    {"Horizontal expansion",
     {{CFTabBehaviors::IDC_RIGHT, "Expand to the &right", 1},
      {CFTabBehaviors::IDC_CENTER_H, "K&eep centered", 2},
      {CFTabBehaviors::IDC_LEFT, "Expand to the &left", 4}},
     3},
    {"Vertical expansion",
     {{CFTabBehaviors::IDC_UP, "Expand &up", 8},
      {CFTabBehaviors::IDC_CENTER_V, "Keep centered", 16},
      {CFTabBehaviors::IDC_DOWN, "Expand &down", 32}},
     3},
};

DWORD GroupBits(const GroupDef& g)
{
    DWORD bits = 0;
    for (int i = 0; i < g.count; ++i)
        bits |= g.radios[i].bit;
    return bits;
}

struct ItemDef {
    const char* text;
    bool high;   // word B
    DWORD bits;
};
const ItemDef kItemDefs[CFTabBehaviors::kItems] = {
    {"Horizontal center snaps to grid", true, 0x10},
    {"Vertical center snaps to grid", true, 0x20},
    {"Width snaps to grid", true, 0x80},
    {"Height snaps to grid", true, 0x40},
    {"Left and right edges snap to grid", true, 0x1},
    {"Top and bottom edges snap to grid", true, 0x2},
    {"Center stationary when resizing horizontally", true, 0x100},
    {"Center stationary when resizing vertically", true, 0x200},
    {"Keep sized to text", false, 0x80 | 0x100},
    {"Preserve aspect ratio", false, 0x400000},
    {"Automatic text scaling", false, 0x800000},
    {"Do not print or export", false, 0x40000000},
    {"Active container - keep contained objects together", false, 0x20000000},
};
// Items that exclude each other: width snap and edge snap, height and top/bottom.
constexpr int kExclusive[][2] = {{2, 4}, {3, 5}};

DWORD& Word(FigFlagSet& f, bool high)
{
    return high ? f.high : f.low;
}
} // namespace

CFTabBehaviors::CFTabBehaviors(CFTabSheet* sheet) : CFigPage(sheet, "Behaviors") {}

void CFTabBehaviors::OnInitPage()
{
    auto* grid = new QGridLayout(this);
    for (int g = 0; g < 4; ++g) {
        m_groups[g] = new QButtonGroup(this);
        grid->addWidget(new QLabel(kGroups[g].title, this), 0 + (g / 2) * 4, g % 2);
        for (int i = 0; i < kGroups[g].count; ++i) {
            auto* r = new QRadioButton(kGroups[g].radios[i].text, this);
            SetDlgCtrlID(r, kGroups[g].radios[i].id);
            m_groups[g]->addButton(r, kGroups[g].radios[i].id);
            grid->addWidget(r, 1 + i + (g / 2) * 4, g % 2);
        }
        connect(m_groups[g], &QButtonGroup::idClicked, this, [this, g](int id) { OnRadio(g, id); });
    }
    m_checks = new CCheckListCtrl(this);
    m_checks->Init(IDC_CHECKS, this);
    for (int i = 0; i < kItems; ++i)
        m_checks->AddItem(i, kItemDefs[i].text, false, true);
    grid->addWidget(m_checks, 8, 0, 1, 2);
}

bool CFTabBehaviors::event(QEvent* e)
{
    if (e->type() == CDlgCommandEvent::EventType()) {
        const auto* c = static_cast<CDlgCommandEvent*>(e);
        if (c->ControlId() == IDC_CHECKS && c->Code() == CCheckListCtrl::kNotifyToggled)
            OnToggled(m_checks->GetLastToggled());
        return true;
    }
    return CFigPage::event(e);
}

void CFTabBehaviors::OnRadio(int g, int id)
{
    FigSheetData& d = D();
    const DWORD group = GroupBits(kGroups[g]);
    DWORD bit = 0;
    for (int i = 0; i < kGroups[g].count; ++i)
        if (kGroups[g].radios[i].id == id)
            bit = kGroups[g].radios[i].bit;
    const bool wrapBefore = (d.props.Behavior.low & kWrapBit) != 0;
    d.props.Behavior.low = (d.props.Behavior.low & ~group) | bit;
    d.mask.m_behavior.low |= group;
    const bool wrapAfter = (d.props.Behavior.low & kWrapBit) != 0;
    if (wrapBefore != wrapAfter) {
        // A wrapping figure breaks its lines itself: hard breaks become soft
        // ones, and back.
        if (wrapAfter)
            ConvertSoftBreaksToLines(d.text);
        else
            ConvertLineBreaksToSoft(d.text);
        if (d.text != d.savedText)
            d.mask.m_bSheet[kSheetText] = 1;
    }
    Changed();
}

void CFTabBehaviors::OnToggled(int item)
{
    if (item < 0 || item >= kItems)
        return;
    FigSheetData& d = D();
    const ItemDef& def = kItemDefs[item];
    const bool on = m_checks->GetCheck(item) != 0;
    DWORD& word = Word(d.props.Behavior, def.high);
    word = on ? (word | def.bits) : (word & ~def.bits);
    Word(d.mask.m_behavior, def.high) |= def.bits;
    for (const auto& pair : kExclusive) {
        const int other = pair[0] == item ? pair[1] : pair[1] == item ? pair[0] : -1;
        // Any change of one of a pair clears its partner.
        if (other < 0)
            continue;
        const ItemDef& o = kItemDefs[other];
        Word(d.props.Behavior, o.high) &= ~o.bits;
        Word(d.mask.m_behavior, o.high) |= o.bits;
    }
    UpdateData(false);
    Changed();
}

bool CFTabBehaviors::Exchange(bool save)
{
    if (save)
        return true;
    const FigSheetData& d = D();
    const bool mixed = d.several || d.IsAll();
    for (int g = 0; g < 4; ++g) {
        QButtonGroup* group = m_groups[g];
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons())
            b->setChecked(false);
        group->setExclusive(true);
        if (mixed && !(d.mask.m_behavior.low & GroupBits(kGroups[g])))
            continue;
        for (int i = 0; i < kGroups[g].count; ++i)
            if (d.props.Behavior.low & kGroups[g].radios[i].bit) {
                group->button(kGroups[g].radios[i].id)->setChecked(true);
                break;
            }
    }
    for (int i = 0; i < kItems; ++i) {
        const ItemDef& def = kItemDefs[i];
        const DWORD word = def.high ? d.props.Behavior.high : d.props.Behavior.low;
        const DWORD shown = i == 8 ? 0x80 : def.bits;
        m_checks->SetCheck(i, (word & shown) != 0);
    }
    Enable();
    return true;
}

void CFTabBehaviors::Enable()
{
    const FigSheetData& d = D();
    const bool all = d.IsAll();
    const bool picture = d.IsPicture() && !all;
    const bool conLabel = d.labelAttached && !all;
    const bool label = d.label && !all;
    for (int g = 0; g < 4; ++g) {
        const bool off = g < 2 ? (picture || conLabel) : (picture || conLabel || label);
        for (QAbstractButton* b : m_groups[g]->buttons())
            b->setEnabled(!off);
    }
    for (int i = 0; i < kItems; ++i) {
        bool on = true;
        if ((i == 8 || i == 10) && picture)
            on = false;
        if ((i == 9 || i == 12) && (label || conLabel))
            on = false;
        m_checks->EnableItem(i, on);
    }
}

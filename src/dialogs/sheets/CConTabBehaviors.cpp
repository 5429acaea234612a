#include "dialogs/sheets/CConTabBehaviors.h"

#include "controls/CCheckListCtrl.h"
#include "core/StringHelpers.h"
#include "platform/Ansi.h"

#include <QVBoxLayout>

CCTabBehaviors::CCTabBehaviors(CConSheetData& data, QWidget* parent)
    : CConPage(data, "Behaviors", parent), m_list(new CCheckListCtrl(this))
{
    m_list->Init(kList, this);
    const UINT texts[3] = {797, 798, 802};
    for (int i = 0; i < 3; ++i) {
        std::string text;
        m_list->AddItem(i, AnsiToQString(LoadCStringRes(text, texts[i])), false, true);
    }
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_list);
}

bool CCTabBehaviors::Exchange(bool save)
{
    FigFlagSet& flags = m_data.props.Behavior;
    for (int i = 0; i < 3; ++i) {
        if (save)
            SetFlagBits(flags, kConBehaviorBits[i], 0, m_list->GetCheck(i) != 0);
        else
            m_list->SetCheck(i, (flags.low & kConBehaviorBits[i]) != 0);
    }
    return true;
}

void CCTabBehaviors::OnControlCommand(int id, int code)
{
    if (id != kList || code != CCheckListCtrl::kNotifyToggled)
        return;
    const int item = m_list->GetLastToggled();
    if (item >= 0 && item < 3)
        Change([this, item] { m_data.MarkBits(kConBehaviorBits[item]); });
}

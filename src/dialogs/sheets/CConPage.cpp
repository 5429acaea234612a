#include "dialogs/sheets/CConPage.h"

#include "controls/CDataExchange.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/CTextDropButton.h"
#include "platform/ui/DlgItems.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace {
// The program's size lists begin at 35760, 35770, 35780 and 35810; a picker
// may offer the tail of one (the line widths without "None").
constexpr UINT kSizeLists[] = {35760, 35770, 35780, 35810};

class CSizeListButton : public CTextDropButton {
public:
    CSizeListButton(UINT first, QWidget* parent) : CTextDropButton(parent), m_nFirst(first)
    {
        for (UINT list : kSizeLists)
            if (list <= first)
                m_nList = list;
    }
    int ValueOfString(UINT stringId) const override
    {
        return stringId < m_nFirst ? -1 : TextListValueOfString(m_nList, stringId);
    }
    UINT StringOfValue(int value) const override
    {
        const UINT id = TextListStringOfValue(m_nList, value);
        return id < m_nFirst ? 0xFFFF : id;
    }

private:
    UINT m_nFirst;
    UINT m_nList = kSizeLists[0];
};
} // namespace

CConPage::CConPage(CConSheetData& data, const std::string& title, QWidget* parent)
    : CPropertyPage(title, parent), m_data(data)
{
}

void CConPage::OnInitDialog()
{
    OnInitPage();
    UpdateData(false);
}

bool CConPage::DoDataExchange(bool save)
{
    m_loading = !save;
    if (!save)
        FollowDiffers();
    const bool ok = Exchange(save);
    m_loading = false;
    UpdateControls();
    return ok;
}

void CConPage::FollowDiffers()
{
    for (auto [edit, differs] : m_differEdits) {
        const int blank = m_data.differs[differs] ? 1 : 0;
        if (edit->Spec().blankWhileUnset == blank)
            continue;
        CNumEditSpec spec = edit->Spec();
        spec.blankWhileUnset = blank;
        edit->Configure(&spec);
    }
}

void CConPage::Change(const std::function<void()>& change)
{
    if (m_loading)
        return;
    UpdateData(true);
    change();
    UpdateData(false);
    Changed();
}

void CConPage::Changed()
{
    if (onChanged)
        onChanged();
}

bool CConPage::event(QEvent* event)
{
    if (event->type() == CDlgCommandEvent::EventType()) {
        const auto* command = static_cast<CDlgCommandEvent*>(event);
        OnControlCommand(command->ControlId(), command->Code());
        return true;
    }
    return CPropertyPage::event(event);
}

void CConPage::OnControlCommand(int, int code)
{
    // A committed value has been read and shown again by the field; typing
    // only changes the pending state.
    if (code == kNumEditCommitted || code == kNumEditChanged)
        Changed();
}

QCheckBox* CConPage::AddCheck(int id, const QString& text)
{
    auto* box = new QCheckBox(text, this);
    SetDlgCtrlID(box, id);
    return box;
}

QRadioButton* CConPage::AddRadio(QButtonGroup* group, int id, const QString& text)
{
    auto* radio = new QRadioButton(text, this);
    SetDlgCtrlID(radio, id);
    group->addButton(radio, id);
    return radio;
}

QLabel* CConPage::AddLabel(int id, const QString& text)
{
    auto* label = new QLabel(text, this);
    if (id)
        SetDlgCtrlID(label, id);
    return label;
}

CNumEdit* CConPage::AddNumEdit(int id, CNumEditSpec& spec, int32_t* flag, ConDiffers differs)
{
    auto* edit = new CNumEdit(this);
    SetDlgCtrlID(edit, id);
    // Not BindResult: that clears the flag, and another page may have set
    // it before this page was first shown.
    spec.setFlag = flag;
    spec.blankWhileUnset = differs != kDiffCount && m_data.differs[differs];
    edit->Configure(&spec);
    if (differs != kDiffCount)
        m_differEdits.emplace_back(edit, differs);
    return edit;
}

QWidget* CConPage::AddSizePicker(int id, UINT firstString, int count, int32_t* value, int32_t* flag,
                                const QString& text)
{
    auto* button = new CSizeListButton(firstString, this);
    button->setText(text);
    button->CreateList(id, this, firstString, count, 0);
    button->SetValueTarget(value);
    // A face with a caption keeps the whole caption and the arrow.
    if (!text.isEmpty())
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + 28);
    // The size is stored by the choice itself; the fields show it again.
    connect(button, &CDropPaletteButton::chosen, this, [this, flag] {
        *flag = 1;
        UpdateData(false);
        Changed();
    });
    return button;
}

void CConPage::Enable(int id, bool on)
{
    if (QWidget* w = GetDlgItem(this, id))
        w->setEnabled(on);
}

void CConPage::Show(int id, bool on)
{
    if (QWidget* w = GetDlgItem(this, id))
        w->setVisible(on);
}

bool CConPage::Checked(int id) const
{
    const auto* box = qobject_cast<QAbstractButton*>(GetDlgItem(this, id));
    return box && box->isChecked();
}

void CConPage::SetChecked(int id, bool on)
{
    if (auto* box = qobject_cast<QAbstractButton*>(GetDlgItem(this, id)))
        box->setChecked(on);
}

#pragma once
// The base of the connector sheets' pages: each page edits the sheet's
// working data (CConSheetData) through its controls. Loading fills the
// controls from the data; saving reads and checks them into it. A control
// that changes sets its property's mask flag, and the page tells the sheet
// so that the commit button follows the pending state.
#include "controls/CNumEdit.h"
#include "dialogs/sheets/CConSheetData.h"
#include "platform/ui/CPropertySheet.h"

#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;

class CConPage : public CPropertyPage, public INumEditOwner {
    Q_OBJECT
public:
    CConPage(CConSheetData& data, const std::string& title, QWidget* parent = nullptr);

    // Save (true): reads and checks the controls; false when a value is
    // refused (the control shows why). Load (false): fills them.
    bool UpdateData(bool save) override { return DoDataExchange(save); }
    // Fills the page's lists, then loads the controls (first showing).
    void OnInitDialog() override;
    // The data may have changed on another page: every showing reloads.
    bool OnSetActive() override { return UpdateData(false); }

    // Told after every change of the data (the sheet updates its commit
    // button and preview).
    std::function<void()> onChanged;

protected:
    // Called once before the page shows first.
    virtual void OnInitPage() {}
    bool DoDataExchange(bool save) override;
    virtual bool Exchange(bool save) = 0;
    // Enabling and showing after every exchange.
    virtual void UpdateControls() {}
    // A numeric field's commit or typing, or a check list's toggle.
    virtual void OnControlCommand(int id, int code);
    bool event(QEvent* event) override;

    // Reads the controls, lets `change` edit the data, reloads the controls
    // and tells the sheet.
    void Change(const std::function<void()>& change);
    void Changed();

    QCheckBox* AddCheck(int id, const QString& text);
    QRadioButton* AddRadio(QButtonGroup* group, int id, const QString& text);
    QLabel* AddLabel(int id, const QString& text);
    // A numeric field bound to a mask flag; while the sheet's differs flag
    // of its property is set it stays empty until the user gives it a value.
    CNumEdit* AddNumEdit(int id, CNumEditSpec& spec, int32_t* flag, ConDiffers differs = kDiffCount);
    // A value picker of `count` sizes from the string list entry
    // `firstString` (a list of Part of a longer one starts inside it): a
    // choice stores the size and sets the mask flag, then the page reloads.
    // `text` is the picker's face.
    QWidget* AddSizePicker(int id, UINT firstString, int count, int32_t* value, int32_t* flag,
                         const QString& text = QString());
    void Enable(int id, bool on);
    void Show(int id, bool on);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    // The styles sheet shows "<All>".
    bool AllStyles() const { return m_data.IsStyles() && m_data.curStyle == kConStyleAll; }

    CConSheetData& m_data;

private:
    void FollowDiffers();
    std::vector<std::pair<CNumEdit*, ConDiffers>> m_differEdits;
    bool m_loading = false;
};

#pragma once
// The Behaviors page of the figure sheets: what a figure does with text that
// does not fit, which way it grows, and thirteen behaviour switches.
#include "dialogs/sheets/CFigPage.h"

class CCheckListCtrl;
class QButtonGroup;

class CFTabBehaviors : public CFigPage {
    Q_OBJECT
public:
    enum : int {
        IDC_PREVENT = 2276, IDC_EXPAND_H = 2278, IDC_WRAP = 2277, IDC_PREVENT_LINES = 2279,
        IDC_EXPAND_V = 2281, IDC_RIGHT = 3031, IDC_CENTER_H = 3035, IDC_LEFT = 3030, IDC_UP = 3036,
        IDC_CENTER_V = 3029, IDC_DOWN = 3037, IDC_CHECKS = 2619,
    };
    static constexpr int kItems = 13;

    explicit CFTabBehaviors(CFTabSheet* sheet);

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;
    bool event(QEvent* event) override;

private:
    void OnRadio(int group, int id);
    void OnToggled(int item);
    void Enable();

    QButtonGroup* m_groups[4] = {};
    CCheckListCtrl* m_checks = nullptr;
};

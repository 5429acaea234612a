#pragma once
// The connector sheets' Behaviors page: three options of the flag word as a
// check list.
#include "dialogs/sheets/CConPage.h"

class CCheckListCtrl;

class CCTabBehaviors : public CConPage {
    Q_OBJECT
public:
    static constexpr int kList = 2619;
    explicit CCTabBehaviors(CConSheetData& data, QWidget* parent = nullptr);
    CCheckListCtrl* List() const { return m_list; }

protected:
    bool Exchange(bool save) override;
    void OnControlCommand(int id, int code) override;

private:
    CCheckListCtrl* m_list;
};

// The flag-word bit of each item, in the list's order.
constexpr DWORD kConBehaviorBits[3] = {kConNoFlow, kConNoJogs, kConNoPrint};

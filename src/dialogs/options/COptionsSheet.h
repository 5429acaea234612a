#pragma once
// The Options sheet: General, View, Zoom, Colors, Save and, while old-style
// branch labels are on, Branch Labels. The pages edit a copy of the
// settings; OK hands the copy back, Cancel drops it. The sheet reopens on
// the page that was active when it last closed.
#include "dialogs/options/OptionValues.h"
#include "platform/ui/CDialog.h"

#include <vector>

class COptionPage;
class QTabWidget;

class COptionsSheet : public CDialog {
    Q_OBJECT
public:
    COptionsSheet(OptionValues& values, QWidget* parent = nullptr);
    ~COptionsSheet() override;
    int GetPageCount() const { return int(m_pages.size()); }
    COptionPage* GetPage(int index) const;
    QTabWidget* GetTabControl() const { return m_tabs; }
    // The page the next opening starts on.
    static int RememberedPage();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnPageChanging(int to);
    // Shows the page's values the first time it comes up.
    void Activate(int index);

    OptionValues& m_values;
    std::vector<COptionPage*> m_pages;
    std::vector<bool> m_loaded;
    QTabWidget* m_tabs = nullptr;
    int m_nActive = -1;
};

// Runs the sheet over `values` (filled from the settings by the caller);
// true for OK with the values as the user left them.
bool RunOptionsSheet(QWidget* parent, OptionValues& values);

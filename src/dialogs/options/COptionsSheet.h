#pragma once
// The Options sheet: General, View, Zoom, Colors, Save and, while old-style
// branch labels are on, Branch Labels. The pages edit a copy of the
// settings; OK hands the copy back, Cancel drops it. The sheet reopens on
// the page that was active when it last closed.
#include "dialogs/options/OptionValues.h"
#include "platform/ui/CPropertySheet.h"

class COptionsSheet : public CPropertySheet {
    Q_OBJECT
public:
    COptionsSheet(OptionValues& values, QWidget* parent = nullptr);
    ~COptionsSheet() override;
    // The page the next opening starts on.
    static int RememberedPage();

protected:
    void OnHelp() override;
};

// Runs the sheet over `values` (filled from the settings by the caller);
// true for OK with the values as the user left them.
bool RunOptionsSheet(QWidget* parent, OptionValues& values);

#pragma once
// How a style picker reaches what lies above the controls: the style-choice
// dialog of its "..." entries and the rebuilding of the style bar. The
// frame installs both at start-up (tests install fakes); without them the
// "..." entries change nothing.
#include "controls/StylePickKinds.h"

#include <QPoint>

#include <functional>
#include <string>

struct StyleChoiceRequest {
    StylePickKind kind = StylePickKind::Figure;
    CKavoDoc* doc = nullptr;
    QPoint at;                 // the dialog's top-left corner, screen pixels
    std::string category;      // the category to list
    int selected = -1;         // in: the picker's style; out: the chosen one
    bool rebuildBar = false;   // out: a style-bar flag changed
};

struct StyleChoiceSeams {
    // Runs the dialog; true after OK.
    std::function<bool(StyleChoiceRequest& request)> runDialog;
    std::function<void()> rebuildStyleBar;
};
StyleChoiceSeams& GetStyleChoiceSeams();

// Set when a style-choice dialog changed what the settings keep.
extern int g_bStyleChoiceSettingsChanged;

// The category a "..." entry opens the dialog on: for a category's own entry
// (33201 + i) that category while the kind still has styles in it, else
// "<All>".
std::string StyleChoiceCategory(CKavoDoc* doc, StylePickKind kind, int command, const std::string& categoryName);

// Runs the dialog for a picker's "..." entry. After OK the settings are
// flagged changed, the kind's stamp advances (every picker of the kind
// rebuilds on its next drop), the style bar is rebuilt when a style-bar flag
// changed, and current takes the chosen style. False (nothing changed) on
// Cancel or without a dialog.
bool ChooseStyleForPicker(StyleChoiceRequest& request, int& current);

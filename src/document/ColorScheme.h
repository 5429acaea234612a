#pragma once
// Applying a colour scheme of the diagram's template: the scheme's styles
// replace the document's, and the objects of the diagram or of the selection
// take their colours from their styles again.
#include "platform/GlobalMem.h"

#include <functional>
#include <string>
#include <vector>

class CKavoDoc;

// What the dialog shows and gives back.
struct ColorSchemeChoice {
    std::string templatePath;     // where the schemes come from
    std::vector<std::string> schemes;
    int scheme = 0;               // the chosen scheme's index
    bool applyToDiagram = true;
    bool applyToSelection = true;
    bool hasSelection = false;
    // "&Selection" can be ticked only with a selection and "&Diagram" clear.
    bool SelectionEnabled() const { return hasSelection && !applyToDiagram; }
};

// The application's side: the template's scheme names (variants file of the
// template with the word "Color"), the dialog (false for Cancel), applying a
// scheme's styles to the document, the preview picture stored with a scheme
// (a packed DIB the caller frees; null when it has none), and redrawing the
// style bar.
struct ColorSchemeServices {
    std::function<std::vector<std::string>(const std::string& templatePath)> loadSchemes;
    std::function<bool(ColorSchemeChoice& choice)> dialog;
    std::function<bool(CKavoDoc& doc, const std::string& templatePath, int scheme)> applyScheme;
    std::function<HGLOBAL(const std::string& templatePath, int scheme)> loadPreview;
    std::function<void()> redrawStyleBar;
};
ColorSchemeServices& GetColorSchemeServices();
// Clears the services and the remembered choice.
void ResetColorSchemeState();
// Whether the last scheme went to the whole diagram (application-wide).
bool LastSchemeAppliedToDiagram();

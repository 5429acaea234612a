#pragma once
// A document as the target of template variants: each chosen variant file
// is merged into it, then its figure text margins are applied again as one
// undoable change.
#include "platform/GlobalMem.h"
#include "shapes/TemplateVariants.h"

class CKavoDoc;

class CDocVariantTarget : public IVariantTarget {
public:
    // ownStep: the margins go in an undo step of their own; without it they
    // are applied within the caller's open step (which logged the styles).
    explicit CDocVariantTarget(CKavoDoc& doc, bool ownStep = true) : m_doc(doc), m_bOwnStep(ownStep) {}
    // The variant file's styles change those of the document that it names
    // (template-variant mode, the file not held).
    bool MergeDiagramFile(const QString& path) override;
    void SetFigMargins() override;

private:
    CKavoDoc& m_doc;
    bool m_bOwnStep;
};

// The names of the colour schemes of a template (the "Color" group of its
// variant files), in item order; empty without any.
std::vector<std::string> LoadColorSchemeNames(const std::string& templateName);
// Merges the variant file of scheme `scheme` (a position in the list above)
// into the document, inside the caller's undo step; false when there is no
// such scheme or it fails to load.
bool ApplyColorSchemeStyles(CKavoDoc& doc, const std::string& templateName, int scheme);
// The preview picture stored in the variant file of scheme `scheme`, null
// when there is no such scheme or its file holds none.
HGLOBAL LoadColorSchemePreview(const std::string& templateName, int scheme);
// The preview picture stored in a variant file of the variants folder, null
// when it holds none or cannot be read.
HGLOBAL LoadVariantFilePreview(const std::string& fileName);
// Installs the three above as the colour-scheme services of the document, and
// the style bar's redraw as the one that styles coming in from a file use.
void InstallColorSchemeLoading();

#pragma once
// Applying connector properties to the selected connectors in one undo step
// (UDMAC_CONPROPS), with the choices the property sheet needs: a style to
// take first, and carrying on the sheet's own last step so that all its
// Applies undo together.
#include "shapes/CConPropMask.h"
#include "shapes/CConProps.h"

class CKavoDoc;

struct ConApplyOptions {
    int style = -1;
    // Each connector takes `style` (a style's whole properties, then the
    // masked ones).
    bool styleChanged = false;
    // The last undo step is carried on when it can be.
    bool continueStep = false;
};

void ApplyConPropsToSelection(CKavoDoc& doc, const CConProps& props, const CConPropMask& mask,
                              const ConApplyOptions& options);

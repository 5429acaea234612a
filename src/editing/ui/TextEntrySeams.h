#pragma once
// What typing and double clicks in a view ask of the rest of the program:
// the label creation of text entry and the frame's command routing. The
// windows install these at start-up; tests install fakes. An empty entry
// answers "not available".
#include "platform/CRect.h"

#include <functional>

class CKavoView;
class CConnector;
class CFigure;

struct TextEntrySeams {
    // A free label at the logical point (one undo step UDMAC_CREATELBL),
    // its editor opened with the typed character; false when none was made.
    std::function<bool(CKavoView& view, const CPoint& logical, char ch)> createLbl;
    // A label on the connector at the logical point (UDMAC_CREATECONLBL).
    std::function<bool(CKavoView& view, CConnector* con, const CPoint& logical, char ch)> createConLbl;
    // Runs a menu command on the view's behalf (the properties sheets).
    std::function<void(int commandId)> sendCommand;
};

TextEntrySeams& GetTextEntrySeams();

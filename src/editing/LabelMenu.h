#pragma once
// The label items of the view's context menu: the "Add Figure Label"
// submenu of a figure and the "Add Flow Label" submenu of a connector end,
// each item greyed when its position or slot is taken.
#include <vector>

class CKavoDoc;
class CFigure;
class CConnector;

struct LabelMenuItem {
    int id;             // 0: a separator
    const char* text;
    bool enabled;
};

constexpr int kCmdAddConLblHere = 33041;
constexpr int kCmdAddLatLblHere = 33075;
constexpr int kCmdFlowLblSlot1 = 33067;
constexpr int kCmdFlowLblSlot2 = 33068;

// "Above", "Below", "Left", "Right", a separator, then the corners; empty
// for a figure that is invisible, a label or in a group.
std::vector<LabelMenuItem> FigLabelSubmenu(const CKavoDoc& doc, const CFigure* fig);
// The two slots where the connector meets `end`; empty for a grouped
// connector or no end.
std::vector<LabelMenuItem> FlowLabelSubmenu(const CKavoDoc& doc, const CConnector* con, const CFigure* end);
// The position code of an "Add Figure Label" command; 0 for another id.
int FigLblCodeOfCommand(int id);

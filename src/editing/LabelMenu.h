#pragma once
// The label commands of the view's context menu.
constexpr int kCmdAddConLblHere = 33041;
constexpr int kCmdAddLatLblHere = 33075;
constexpr int kCmdFlowLblSlot1 = 33067;
constexpr int kCmdFlowLblSlot2 = 33068;

// The position code of an "Add Figure Label" command (33042..33053); 0 for
// another id.
int FigLblCodeOfCommand(int id);

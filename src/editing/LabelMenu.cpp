#include "editing/LabelMenu.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"

namespace {
struct FigLblCommand {
    int id;
    const char* text;
    int code;
};

// In menu order.
constexpr FigLblCommand kFigLblCommands[] = {
    {33043, "Above", 2},        {33049, "Below", 8},          {33052, "Left", 11},
    {33046, "Right", 5},        {0, "", 0},                   {33042, "Above Left", 1},
    {33044, "Above Right", 3},  {33045, "Right Top", 4},      {33047, "Right Bottom", 6},
    {33048, "Below Left", 9},   {33050, "Below Right", 7},    {33051, "Left Top", 12},
    {33053, "Left Bottom", 10},
};
} // namespace

std::vector<LabelMenuItem> FigLabelSubmenu(const CKavoDoc& doc, const CFigure* fig)
{
    std::vector<LabelMenuItem> items;
    if (!fig || fig->IsInvisible() || fig->m_bLabel || fig->IsInGroup())
        return items;
    for (const FigLblCommand& c : kFigLblCommands)
        items.push_back({c.id, c.text, c.id != 0 && !doc.FindFigLblStapleAtPos(fig, c.code)});
    return items;
}

std::vector<LabelMenuItem> FlowLabelSubmenu(const CKavoDoc& doc, const CConnector* con, const CFigure* end)
{
    if (!con || !end || con->m_pGroup)
        return {};
    return {{kCmdFlowLblSlot1, "Above / Left of Connector", !doc.FindFlowLblStaple(con, end, 1)},
            {kCmdFlowLblSlot2, "Below / Right of Connector", !doc.FindFlowLblStaple(con, end, 2)}};
}

int FigLblCodeOfCommand(int id)
{
    for (const FigLblCommand& c : kFigLblCommands)
        if (c.id != 0 && c.id == id)
            return c.code;
    return 0;
}

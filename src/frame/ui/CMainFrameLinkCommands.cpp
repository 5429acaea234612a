// The hyperlink commands: following and setting figure and parent links, and
// walking the history of visited diagrams. The link services do the opening
// and the dialog; Back and Forward are enabled by a look at the history that
// does not move it.
#include "frame/ui/CMainFrame.h"

#include "document/CLinkHistory.h"
#include "document/HyperlinkCommands.h"

void CMainFrame::InstallLinkCommands()
{
    m_commands.SetHandler(ID_OPEN_HYPERLINK, [] { CmdOpenHyperlink(); });
    m_commands.SetHandler(ID_SET_HYPERLINK, [] { CmdSetHyperlink(); });
    m_commands.SetHandler(ID_LINK_BACK, [] { CmdLinkBack(); });
    m_commands.SetHandler(ID_LINK_FORWARD, [] { CmdLinkForward(); });
    m_commands.SetHandler(ID_OPEN_PARENT_LINK, [] { LinkParent(); });
    m_commands.SetHandler(ID_SET_PARENT_LINK, [] { LinkParentSet(); });

    const auto withDoc = [this](CmdUI& ui) { ui.Enable(GetActiveDocument() != nullptr); };
    // Setting a parent link needs only a diagram; the figure links and the
    // parent link's opening have selection rules (CMainFrameSelectionRules.cpp).
    m_commands.SetUpdate(ID_SET_PARENT_LINK, withDoc);
    // The history is walked from a diagram: with none open both are off.
    m_commands.SetUpdate(ID_LINK_BACK, [this](CmdUI& ui) {
        std::string target;
        ui.Enable(GetActiveDocument() && LinkHistory().GetBackLink(target, false));
    });
    m_commands.SetUpdate(ID_LINK_FORWARD, [this](CmdUI& ui) {
        std::string target;
        ui.Enable(GetActiveDocument() && LinkHistory().GetForwardLink(target, false));
    });
}

#pragma once
// Following, setting and walking hyperlinks between diagrams: the figure
// links, the parent link and the visited history.
#include <functional>
#include <string>

class CFigure;
class CKavoDoc;

// What the commands need of the application: the active diagram, opening a
// link's target (a diagram, another document or a web address; follow tells
// whether it comes from a figure), the Set Hyperlink dialog and the URL test.
struct LinkServices {
    std::function<CKavoDoc*()> activeDoc;
    std::function<bool(const std::string& link, int follow)> open;
    // Shows the dialog with the text and prompt id; true for OK or Remove
    // (remove set), with the text as typed.
    std::function<bool(std::string& text, int promptId, bool& remove)> hyperlinkDialog;
    std::function<bool(const std::string& text)> looksLikeUrl;
};
// The application installs them; tests install fakes. Reset clears them.
LinkServices& GetLinkServices();
void ResetLinkServices();

// String-table ids of the hyperlink messages.
constexpr unsigned IDS_LINK_INVALID = 595;
constexpr unsigned IDS_PARENT_LINK_INVALID = 596;
constexpr unsigned IDS_LINK_OPEN_FAILED = 597;
constexpr unsigned IDS_LINK_NEEDS_SAVE = 599;
constexpr unsigned IDS_CHOOSE_FIGURE_LINK = 576;
constexpr unsigned IDS_CHOOSE_PARENT_LINK = 577;

// Command ids.
constexpr int ID_LINK_FORWARD = 32769;
constexpr int ID_LINK_BACK = 32770;
constexpr int ID_SET_HYPERLINK = 32771;
constexpr int ID_OPEN_HYPERLINK = 32772;
constexpr int ID_OPEN_PARENT_LINK = 32773;
constexpr int ID_SET_PARENT_LINK = 32774;

void LinkFollow(CFigure* figure);
// The link of the first selected figure (grouped ones too) followed, or
// edited (ungrouped ones only); a beep without one.
void CmdOpenHyperlink();
void CmdSetHyperlink();
void CmdLinkBack();
void CmdLinkForward();
void LinkParent();
void LinkParentSet();
// The dialog for the figure's link, or the active diagram's parent link when
// figure is null; junctions have no link.
void SetHyperlinkDlg(CFigure* figure);

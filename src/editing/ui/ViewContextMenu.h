#pragma once
// The view's context menus, built for what lies under a right click: the
// general menu on empty space, the figure, label and connector menus, and
// the short menu of connector-drawing mode. Most items are the main menu's
// own, found by their top-level (and submenu) caption, so that the popup
// shows the same texts and runs the same commands through the frame.
#include "document/EndSymbolCmds.h"
#include "platform/CRect.h"

#include <functional>
#include <string>
#include <vector>

class CConnector;
class CKavoDoc;
class CKavoView;

struct ContextMenuItem {
    int id = 0;               // 0 without children: a separator
    std::string text;         // Windows-1252, '&' and the tab kept
    bool enabled = true;      // false: greyed whatever the command's rule says
    bool checked = false;
    std::vector<ContextMenuItem> children;
};
using ContextMenu = std::vector<ContextMenuItem>;

// What the menus ask of the main frame, which installs these.
struct ContextMenuSeams {
    // The text of the command in the main menu under the top-level caption
    // (inside the submenu caption when not empty); false when a caption or
    // the command is not there.
    std::function<bool(const std::string& top, const std::string& sub, int id, std::string& text)> mainMenuText;
    // Whether the command's update rule enables it now.
    std::function<bool(int id)> isEnabled;
    // Runs the command through the frame's routing.
    std::function<void(int id)> runCommand;
    // Shows the menu at the screen point instead of a popup (tests).
    std::function<void(const ContextMenu& menu, const CPoint& screen)> showMenu;
};
ContextMenuSeams& GetContextMenuSeams();
void ResetContextMenuSeams();

// The screen point of the last right click: the point commands act there.
CPoint GetRightClickPoint();

// The menu of select mode (and of every mode without its own) for a right
// click at the client point; an unselected object under it is selected
// alone first.
ContextMenu BuildObjectMenu(CKavoView& view, const CPoint& client);
// The menu of connector-drawing mode.
ContextMenu BuildConnectorModeMenu(CKavoView& view, const CPoint& client);
// The menu of the kind (CKavoView::ContextMenuKind: object or connector
// mode), or of the view's UI mode, opened 2 pixels right of and below the
// click; an empty menu beeps.
void ShowContextMenu(CKavoView& view, int kind, const CPoint& client);
void ShowContextMenu(CKavoView& view, const CPoint& client);
// The command ids of the "Terminator" submenu: 38301 + end-symbol index.
constexpr int kTerminatorFirstCmd = int(kEndSymbolFirstCmd);
constexpr int kTerminatorLastCmd = 38401;
// The end-symbol command (38301 + library index) chosen in the connector
// menu's "Terminator" submenu: sets that symbol on the connector end the
// menu was built for, in one undo step. False for another document, a
// connector gone since, or an id outside the library.
bool RunTerminatorCommand(CKavoDoc& doc, int id);

// The connection-point mode's menu, noted by the view's right press: shown
// beside the client point, the chosen command run.
void RunConPtMenu(CKavoView& view, const CPoint& client);

// Makes the view's right click open these menus (its context-menu hook).
void InstallContextMenus(CKavoView& view);

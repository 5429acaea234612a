#pragma once
// One table of commands: each command id maps to one QAction, a handler and
// an update rule. Menus and bars show the actions; the update rules run when
// a menu opens and at idle time, enabling, checking and labelling them.
#include <QKeySequence>
#include <QString>

#include <functional>
#include <map>
#include <string>

class QAction;
class QObject;

// What an update rule reports for one command.
struct CmdUI {
    bool enabled = true;
    int check = -1;           // -1 leaves the check mark alone, else 0 or 1
    bool radio = false;       // the check is shown as a choice
    bool setText = false;
    std::string text;         // Windows-1252, with '&' and a tab before the shortcut
    void Enable(bool on) { enabled = on; }
    void SetCheck(bool on) { check = on ? 1 : 0; }
    void SetRadio(bool on) { check = on ? 1 : 0; radio = true; }
    void SetText(const std::string& t) { text = t; setText = true; }
};

// The key of a menu text ("&Copy\tCtrl+C" gives Ctrl+C, "Delete\tDel" the
// Delete key); empty when the text names none ("&Fine\t1/2 pt").
QKeySequence MenuShortcut(const std::string& text);

class CCommandRegistry {
public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<void(CmdUI&)>;

    explicit CCommandRegistry(QObject* owner) : m_owner(owner) {}

    // The command's action, made on first use with the menu text; the key
    // the text names after its tab becomes the action's shortcut.
    QAction* Add(int id, const std::string& text);
    QAction* Action(int id) const;
    void SetHandler(int id, Handler handler);
    void SetUpdate(int id, UpdateRule rule);
    // Runs the handler; false when the command has none.
    bool Execute(int id) const;
    // The update rule's answer (enabled when there is no rule).
    CmdUI QueryCmdState(int id) const;
    // Runs every update rule onto its action.
    void UpdateAll() const;
    void Apply(int id, const CmdUI& ui) const;
    bool HasHandler(int id) const;
    // Where triggered actions go first (the frame's routing); without one
    // they run their handler.
    void SetRouter(std::function<bool(int)> router) { m_router = std::move(router); }

private:
    struct Entry {
        QAction* action = nullptr;
        Handler handler;
        UpdateRule update;
    };
    QObject* m_owner;
    std::map<int, Entry> m_entries;
    std::function<bool(int)> m_router;
};

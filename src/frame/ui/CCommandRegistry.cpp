#include "frame/ui/CCommandRegistry.h"

#include "frame/CommandPrompts.h"
#include "platform/Ansi.h"

#include <QAction>
#include <QStringList>

namespace {
// "&Copy\tCtrl+C": Qt shows the part after the tab as the shortcut text.
QString MenuText(const std::string& text)
{
    return AnsiToQString(text);
}

// A key name as the menus write it, in Qt's portable spelling; empty when
// the word names no key ("1/2 pt" in the line-width items is a hint).
QString PortableKeyName(const QString& word)
{
    if (word == "Plus")
        return "+";
    if (word == "Minus")
        return "-";
    if (word == "Del" || word == "Ins" || word == "Esc" || word == "Home" || word == "End" ||
        word == "PgUp" || word == "PgDown" || word == "Tab" || word == "Enter" || word == "Space" ||
        word == "Backspace")
        return word;
    if (word.size() == 1 && word.at(0).isLetterOrNumber() && word.at(0).unicode() < 0x80)
        return word.toUpper();
    bool isNumber = false;
    const int n = word.size() > 1 && word.at(0) == 'F' ? word.mid(1).toInt(&isNumber) : 0;
    return isNumber && n >= 1 && n <= 24 ? word : QString();
}
} // namespace

QKeySequence MenuShortcut(const std::string& text)
{
    const size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return QKeySequence();
    QStringList words = QString::fromLatin1(text.substr(tab + 1)).split('+');
    const QString key = PortableKeyName(words.takeLast());
    if (key.isEmpty())
        return QKeySequence();
    for (const QString& modifier : words)
        if (modifier != "Ctrl" && modifier != "Shift" && modifier != "Alt")
            return QKeySequence();
    words.append(key);
    return QKeySequence::fromString(words.join('+'), QKeySequence::PortableText);
}

QAction* CCommandRegistry::Add(int id, const std::string& text)
{
    Entry& e = m_entries[id];
    if (!e.action) {
        e.action = new QAction(MenuText(text), m_owner);
        e.action->setData(id);
        // The key the menu names works wherever the main window is active,
        // in every child window, whether or not the menu is open.
        e.action->setShortcut(MenuShortcut(text));
        // The status bar shows the command's prompt while its menu item or
        // button is pointed at.
        e.action->setStatusTip(AnsiToQString(CommandStatusText(unsigned(id))));
        if (const std::string tip = CommandShortName(unsigned(id)); !tip.empty())
            e.action->setToolTip(AnsiToQString(tip));
        QObject::connect(e.action, &QAction::triggered, e.action, [this, id] {
            if (m_router)
                m_router(id);
            else
                Execute(id);
        });
    }
    return e.action;
}

QAction* CCommandRegistry::Action(int id) const
{
    const auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : it->second.action;
}

void CCommandRegistry::SetHandler(int id, Handler handler)
{
    m_entries[id].handler = std::move(handler);
}

void CCommandRegistry::SetUpdate(int id, UpdateRule rule)
{
    m_entries[id].update = std::move(rule);
}

bool CCommandRegistry::HasHandler(int id) const
{
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.handler;
}

bool CCommandRegistry::Execute(int id) const
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.handler)
        return false;
    it->second.handler();
    return true;
}

CmdUI CCommandRegistry::QueryCmdState(int id) const
{
    CmdUI ui;
    const auto it = m_entries.find(id);
    if (it != m_entries.end() && it->second.update)
        it->second.update(ui);
    return ui;
}

void CCommandRegistry::Apply(int id, const CmdUI& ui) const
{
    QAction* a = Action(id);
    if (!a)
        return;
    a->setEnabled(ui.enabled);
    if (ui.check >= 0) {
        a->setCheckable(true);
        a->setChecked(ui.check == 1);
    }
    if (ui.setText)
        a->setText(MenuText(ui.text));
}

void CCommandRegistry::UpdateAll() const
{
    for (const auto& [id, e] : m_entries)
        if (e.update && e.action)
            Apply(id, QueryCmdState(id));
}

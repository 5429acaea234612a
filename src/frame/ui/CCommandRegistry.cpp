#include "frame/ui/CCommandRegistry.h"

#include "platform/Ansi.h"

#include <QAction>

namespace {
// "&Copy\tCtrl+C": Qt shows the part after the tab as the shortcut text.
QString MenuText(const std::string& text)
{
    return AnsiToQString(text);
}
} // namespace

QAction* CCommandRegistry::Add(int id, const std::string& text)
{
    Entry& e = m_entries[id];
    if (!e.action) {
        e.action = new QAction(MenuText(text), m_owner);
        e.action->setData(id);
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

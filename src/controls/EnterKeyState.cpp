#include "controls/EnterKeyState.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
class CEnterKeyTracker : public QObject {
public:
    bool m_down = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !key->isAutoRepeat())
                m_down = event->type() == QEvent::KeyPress;
        } else if (event->type() == QEvent::ApplicationDeactivate) {
            m_down = false; // the release goes to another program
        }
        return QObject::eventFilter(watched, event);
    }
};

CEnterKeyTracker* g_tracker = nullptr;
} // namespace

void InstallEnterKeyTracker()
{
    auto* app = QCoreApplication::instance();
    if (g_tracker || !app)
        return;
    g_tracker = new CEnterKeyTracker;
    g_tracker->setParent(app);
    app->installEventFilter(g_tracker);
}

bool IsEnterKeyDown()
{
    return g_tracker && g_tracker->m_down;
}

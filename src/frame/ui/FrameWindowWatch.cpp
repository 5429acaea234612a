#include "frame/ui/FrameWindowWatch.h"

#include "core/UIMode.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>

namespace {
class FrameWindowWatch : public QObject {
public:
    explicit FrameWindowWatch(CMainFrame& frame) : QObject(&frame), m_frame(frame)
    {
        QWidget* area = frame.MdiArea()->viewport();
        area->setMouseTracking(true);
        area->installEventFilter(this);
        frame.installEventFilter(this);
        connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive)
                if (CKavoView* view = m_frame.GetActiveView())
                    view->CloseTextEditor();
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove && watched == m_frame.MdiArea()->viewport())
            OnAreaMouseMove();
        else if (event->type() == QEvent::ApplicationPaletteChange && watched == &m_frame)
            if (CKavoStyleBar* bar = m_frame.StyleBar())
                bar->RenderPicture();
        return QObject::eventFilter(watched, event);
    }

private:
    void OnAreaMouseMove()
    {
        QWidget* area = m_frame.MdiArea()->viewport();
        // The area takes the keyboard, but not from text being edited: the
        // editor closes when it loses the focus, and a pointer crossing the
        // empty area must not end the user's typing.
        const CKavoView* view = m_frame.GetActiveView();
        if (!view || !view->TextEditor())
            area->setFocus();
        const int role = FrameAreaCursorRole(g_nUIMode);
        if (role >= 0)
            area->setCursor(ViewCursorFor(role));
    }

    CMainFrame& m_frame;
};
} // namespace

int FrameAreaCursorRole(int uiMode)
{
    switch (uiMode) {
    case 0:
    case 1: return int(Qt::ArrowCursor);
    case 2: return kCursorCreate;
    case 4: return kCursorConnect;
    case 5: return kCursorZoom;
    default: return -1;
    }
}

void InstallFrameWindowWatch(CMainFrame& frame)
{
    new FrameWindowWatch(frame);
}

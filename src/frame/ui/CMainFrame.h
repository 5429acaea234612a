#pragma once
// The main window: an MDI area under the application title. Menus, bars and the
// child frames are added to it by the frame code.
#include <QMainWindow>

class QMdiArea;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    QMdiArea* MdiArea() const { return m_mdiArea; }

private:
    QMdiArea* m_mdiArea;
};

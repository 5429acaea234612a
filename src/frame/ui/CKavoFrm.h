#pragma once
// The MDI child frame that holds one diagram view. It opens maximized when
// the program-wide maximize marker asks for it and no other child is active.
#include <QMdiSubWindow>

class QMdiArea;

class CKavoFrm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CKavoFrm(QWidget* parent = nullptr);

    // Decides, against the area the frame is about to join, whether it opens
    // maximized. Always succeeds.
    bool PreCreateWindow(const QMdiArea* area);
    // Clears the maximize marker, then takes the view as its client.
    bool OnCreateClient(QWidget* view);
    // Shows the frame maximized or normal as decided before creation.
    void ShowAsCreated();
    bool OpensMaximized() const { return m_bOpenMaximized; }

private:
    bool m_bOpenMaximized = false;
};

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
    // Places the frame, already in `area`, one step down and right of the
    // child created before it, or at the area's corner when that would leave
    // the area; it never is larger than the area.
    void PlaceInArea(const QMdiArea* area, const QMdiSubWindow* previous);
    // Shows the frame maximized or normal as decided before creation.
    void ShowAsCreated();
    bool OpensMaximized() const { return m_bOpenMaximized; }

private:
    bool m_bOpenMaximized = false;
};

// Window > Cascade: the area's children that are not minimized, back to
// front, each one title bar further down and right of the one behind it, and
// back at the corner after as many steps as a third of the area's height
// holds. All take one size: the area less those steps, so that every window
// keeps most of the area to work in. A maximized child is restored first; the
// active child stays active and in front.
void CascadeChildFrames(QMdiArea& area);

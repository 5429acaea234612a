// The main window has no style bar yet: every question finds none, so that
// style drags never start and the toolbar drags work alone.
#include "frame/ui/CCustomizeStyleBarLink.h"

QWidget* CustStyleBar(CMainFrame*) { return nullptr; }
bool CustStyleBarGripAt(CMainFrame*, const QPoint&) { return false; }
StyleBarHit CustStyleButtonAt(CMainFrame*, const QPoint&) { return {}; }
QRect CustStyleButtonRect(CMainFrame*, int, int) { return {}; }
int CustStyleDropIndex(CMainFrame*, int, const QPoint&) { return -1; }
void CustDrawStyleBeam(CMainFrame*, int, int) {}
int CustStyleRowFirstVisible(CMainFrame*, int) { return 0; }
bool CustOverStyleRowCombo(CMainFrame*, const QPoint&) { return false; }
void CustRebuildStyleBar(CMainFrame*) {}
void CustApplyStyleBarWidth(CMainFrame*, int) {}

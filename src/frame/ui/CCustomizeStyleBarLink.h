#pragma once
// What the Customize sheet asks of the style bar while styles are dragged
// onto it, within it and off it. Rows are 0 labels, 1 figures, 2
// connectors, in the order of the document's layouts.
#include <QPoint>
#include <QRect>

class CMainFrame;
class QWidget;

struct StyleBarHit {
    int row = -1;
    int style = -1;   // the style index the button shows
};

// The style bar while it shows (not collapsed), else null.
QWidget* CustStyleBar(CMainFrame* frame);
// The width grip: a strip at the bar's right side, 1.5 frame widths wide.
bool CustStyleBarGripAt(CMainFrame* frame, const QPoint& screen);
StyleBarHit CustStyleButtonAt(CMainFrame* frame, const QPoint& screen);
// Screen rectangle of the button showing the style; empty when none does.
QRect CustStyleButtonRect(CMainFrame* frame, int row, int style);
// The insertion index among the row's shown buttons nearest to the point,
// -1 when the point is not over that row.
int CustStyleDropIndex(CMainFrame* frame, int row, const QPoint& screen);
// Inverts the insertion mark at that index; twice takes it away.
void CustDrawStyleBeam(CMainFrame* frame, int row, int index);
// The layout entry the row's first shown button stands for.
int CustStyleRowFirstVisible(CMainFrame* frame, int row);
// Over a row's drop-down list: the list keeps its own mouse handling.
bool CustOverStyleRowCombo(CMainFrame* frame, const QPoint& screen);
void CustRebuildStyleBar(CMainFrame* frame);
void CustApplyStyleBarWidth(CMainFrame* frame, int width);

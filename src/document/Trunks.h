#pragma once
// Trunk diagrams (UML): interfaces (trunk objects) joined to trunk nodes by
// "To Interface" connectors and pinned to them by figure links; association
// labels with a direction indicator. Everything answers false, 0 or null
// while the program-wide switch is off.
#include "platform/CRect.h"

class CConnector;
class CFigure;

// The switch: on when start-up found both UML files (g_bUmlFilesPresent);
// nothing changes it afterwards.
bool IsTrunkDiagrams();
void SetTrunkDiagramsForTest(bool on);

// Document commands of the association direction indicator.
constexpr int kCmdAssocDirNone = 32828;
constexpr int kCmdAssocDirForward = 32829;
constexpr int kCmdAssocDirBackward = 32830;

// Figure kind tests by stock-kind number (5, 7, 9, 8, 6, 29, 1, 2 (2 or 26),
// 13, 3 (3 or 4), 12, 11 and 61 (the family 11, 59, 60)); labels and
// junctions never pass.
bool IsTrunkFigKind(const CFigure* fig, int test);
// Test A: the connector's style is the "To Interface" kind (16); test B: an
// association style (28).
bool IsInterfaceCon(const CConnector* con);
bool IsAssociationCon(const CConnector* con);
// The connector's end 1 or 2 has an end symbol of the stock kind (14 or 15).
bool IsConEndKind(const CConnector* con, int end, int kind);
// The trunk score of a connector attached to the figure (-4 .. 10).
int TrunkConScore(const CFigure* fig, const CConnector* con);
// The side of a rectangle that faces a point: 1 top, 2 right, 3 bottom,
// 4 left, 0 inside; off a corner the second side goes to `second`.
int FacingSide(const RECT& rc, const POINT& pt, int& second);
// The indicator direction swapped for a backward indicator (1<->2, 3<->5,
// 4<->6).
int SwapDirectionCode(int code);

#pragma once
// Special-shape kinds: the kind a symbol name gives (boxes with rows or
// columns, packages, arrows, swim lanes and partitions, UML shapes), and the
// per-kind rules that do not depend on the outline: divider counts and
// directions, which dividers change the outer outline or are clamped, and the
// section resize rules. Kind 0 is an ordinary symbol.
#include "platform/CRect.h"

#include <functional>
#include <string>
#include <vector>

class CFigSymbol;

constexpr int kMaxSpecialKind = 174;
// A special shape has at most this many text sections.
constexpr int kMaxSpecialSections = 32;

// Whole-name, case-sensitive, first match of the name table; 0 for no match.
int GetSpecialKindFromName(const std::string& name);
// Every name of the table, in its order.
std::vector<std::string> SpecialKindNames();
// Rows A and columns B of a grid kind; both 0 for other kinds.
void GetPartitionGrid(int kind, int& rows, int& cols);
bool IsGridKind(int kind);

int SpecialDividerCount(int kind);
// 0 (a point handle), 1 (a row separator, moves vertically) or 2 (a column
// separator, moves sideways).
int SpecialDividerDirection(int kind, int index);
int SpecialDividerChangesOutline(int kind, int index);
int SpecialDividerClamped(int kind, int index);
int SpecialSectionResizeRule(int kind, int section);
// The number of text boxes the divider limits of a kind require; -1 when
// any number will do.
int SpecialLimitBoxCount(int kind);
// Kinds whose figure text is never laid out by compartment.
bool IsSpecialLayoutExcludedKind(int kind);
// Kinds whose anchoring is kept while a handle moves.
bool KeepsAnchoringKind(int kind);

// The program-wide switch that turns compartment layout off.
void SetSpecialLayoutDisabled(bool disabled);
bool IsSpecialLayoutDisabled();
// Whether the Alt key is held down now. Tests install their own answer; the
// default asks the GUI application, or answers "up" without one.
void SetAltKeyQuery(std::function<bool()> query);
bool IsAltKeyDown();

// The icon glyph a special kind shows in the figure (owned by the drawing
// code): the glyph number and its rectangle, 0 for none. Without an installed
// query no kind shows a glyph.
using SpecialKindIconFn = int (*)(const CFigSymbol& symbol, const RECT& figRect, RECT& iconRect,
                                  int leastMargin, int leastSize);
void SetSpecialKindIconQuery(SpecialKindIconFn query);
int QuerySpecialKindIcon(const CFigSymbol& symbol, const RECT& figRect, RECT& iconRect, int leastMargin,
                         int leastSize);
// Back to the start state: switch off, the default Alt query, no icon query.
void ResetSpecialShapeState();

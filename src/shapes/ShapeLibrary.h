#pragma once
// End symbols (each document's library: the 20 built-in line ends, then those
// of its files) and the program-wide stamp shapes of flow indicators.
#include "shapes/CLibraryList.h"
#include "shapes/CShapeDef.h"
#include "shapes/LibraryUsers.h"

#include <vector>

// How many leading entries of a shape library are built in and never removed;
// set by BuildLineEnds.
extern int g_nBuiltinLineEnds;

class ShapeLibrary : public CLibraryList<CShapeDef> {
public:
    static constexpr int kLineEndCount = 20;
    // Announced as 31; the table holds the 30 shapes that are defined.
    static constexpr int kStampShapeCount = 30;

    CShapeDef* NewEntry() { return AppendNew(); }
    void SetEntry(int index, const CShapeDef* shape);
    // An entry of the same name is overwritten in place; otherwise a new one is
    // appended. Index or -1.
    int AddOrReplace(const CShapeDef* shape);
    // Refused (0) below g_nBuiltinLineEnds and out of range.
    int Delete(int index);
    void ClearUseFlags();
    // Removes the entries from g_nBuiltinLineEnds (or from `first`, when
    // later) on that no connector and no connector style uses, shifting the
    // indexes they hold.
    void PurgeUnused(ISymbolUsers& doc, int first = 0);

    // Compiles a point list given on a 1000 × 1000 grid (x, y pairs) into a
    // new entry. Kinds: 0 no program, 1 polyline, 2 polyline and polygon,
    // 3 line segments from pairs, 4 rectangle, 5 ellipse (both from the first
    // two points). 1 built, 0 when no entry could be added.
    int AddBuiltinShape(const char* name, int rotatable, int lineTo, int kind, int silhouette,
                        const std::vector<int>& coords);
    // The 30 stamp shapes, in their fixed order.
    void BuildStampShapes();
    // The 20 line ends, in their fixed order (files and objects hold their
    // indexes), and g_nBuiltinLineEnds = 20.
    void BuildLineEnds();
};

// The program-wide stamp-shape library, filled once at start-up.
ShapeLibrary& StampShapes();
void ResetShapeLibraryState();

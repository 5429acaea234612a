#pragma once
// The program's symbol libraries: the figure symbols ("kvf") and end symbols
// ("kvn") of the symbols folder, grouped as a user looks for them. Each
// library is a title and its symbols; the special shapes carry the names
// that give them their kinds.
#include "SymbolSketch.h"

#include "shapes/CShapeDef.h"

#include <string>
#include <vector>

struct FigureLibrary {
    std::string title;      // the file title, shown as the gallery's category
    std::string comment;    // the file's comment line
    std::vector<SymbolSketch> symbols;
};

struct EndLibrary {
    std::string title;
    std::string comment;
    std::vector<CShapeDef> symbols;
};

constexpr int kInch = 256;   // logical units

// The figure-symbol libraries, in the order of their files.
std::vector<FigureLibrary> FigureLibraries();
std::vector<EndLibrary> EndLibraries();

// The symbol of that name from any library; false when none has it.
bool FindLibrarySymbol(const std::string& name, CFigSymbol& out);

// Libraries by family (ContentBasicShapes.cpp, ContentCompartments.cpp,
// ContentUmlShapes.cpp, ContentLanes.cpp, ContentEndSymbols.cpp).
std::vector<SymbolSketch> BasicShapes();
std::vector<SymbolSketch> FlowchartShapes();
std::vector<SymbolSketch> ArrowShapes();
std::vector<SymbolSketch> CompartmentShapes();
std::vector<SymbolSketch> UmlClassShapes();
std::vector<SymbolSketch> UmlPackageShapes();
std::vector<SymbolSketch> UmlBehaviourShapes();
std::vector<SymbolSketch> UmlInteractionShapes();
std::vector<SymbolSketch> LaneShapes();
std::vector<CShapeDef> UmlEndSymbols();
std::vector<CShapeDef> MoreEndSymbols();

// Shared frames of the special shapes (ContentFrames.cpp), in symbol units.
// The 69-point rounded rectangle with corners of radius rx, ry.
std::vector<CFltPoint> RoundedFrame(float rx, float ry);
// The 69-point frame with half-round (arc: circular-arc) sides bulging b.
std::vector<CFltPoint> RoundSidesFrame(float b, bool arc);
// A rectangle-framed sketch: filled and outlined rectangle, rectangle hot
// zone, four side connection points.
SymbolSketch RectFrame(const std::string& name, int width, int height);

// Compartment frames (ContentCompartments.cpp), sizes in logical units.
// Rows of the given heights; the first `textRows` hold text.
SymbolSketch Rows(const std::string& name, int width, const std::vector<int>& heights, int textRows);
SymbolSketch Columns(const std::string& name, int columns, int columnWidth, int height);
// A rounded rectangle of corner radius r.
SymbolSketch RoundedBox(const std::string& name, int w, int h, double r);
// Rounded rows; without text only the first row holds text.
SymbolSketch RoundedRows(const std::string& name, int w, const std::vector<int>& heights, bool text);
// Two triangles meeting at the centre (ContentUmlBehaviour.cpp).
SymbolSketch Hourglass(const std::string& name);
// Half-round (or arc) sides, with `boxes` (0 or 1) text boxes.
SymbolSketch RoundSided(const std::string& name, int w, int h, bool arc, int boxes);

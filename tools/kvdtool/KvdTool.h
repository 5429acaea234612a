#pragma once
// The work of kvdtool, shared with the tests and benchmarks.
#include <QString>

#include <string>
#include <vector>

class CKavoDoc;

// A diagram of `count` boxes on a grid of ceil(sqrt(count)) columns, drawn as
// a user draws a flowchart: each box 2 x 1 cm of the "Process" style (a
// filled rectangle) with the centred text "B<i>", pitch 3 x 2 cm; a box in an
// even column is joined by an arrowed "Flow" connector to the next box, a
// box in an odd column by a right-angle route to the box one row down and one
// column right: three connectors through two junctions, the middle leg
// halfway between the columns, the arrowhead on the last. A grid too large
// for the work space is drawn smaller, so that the diagram reads back as
// written; false (nothing made) when it would not fit even so. The document
// must be new.
bool GenerateDiagram(CKavoDoc& doc, int count);

// The flowchart styles of the program's templates; the indexes of the
// "Process" box and the arrowed "Flow" connector. False when they cannot be
// added.
bool AddFlowchartStyles(CKavoDoc& doc, int& box, int& arrow);

struct LoadReport {
    struct Error {
        int line = 0;
        int code = 0;
        std::string text;
    };
    bool loaded = false;
    bool validated = false; // every check passed before the load's repairs
    std::vector<Error> errors;
};

// Loads `path` as the editor does, every warning answered OK and recorded.
LoadReport CheckDiagram(CKavoDoc& doc, const std::string& path);

struct SymbolLibraryReport {
    struct Symbol {
        std::string name;
        int kind = 0;   // the special-shape kind of a figure symbol
    };
    bool loaded = false;
    std::vector<Symbol> symbols;
    std::vector<std::string> problems;   // "name: what is wrong"
};

// Loads a symbol-library file ("kvf" figure symbols, "kvn" end symbols) as
// the galleries do and checks that every symbol works in a figure.
SymbolLibraryReport CheckSymbolLibrary(const std::string& path);

// Writes the program folders' content under `folder`: the first-start
// sample (Samples/InitialSample.kvd), the templates (Template/*.kvd) with
// their variants (Template/Variants/*.kvv) and the symbol libraries
// (Symbols/*.kvf, *.kvn) and the clip art (Clipart/*.png); false with the
// failing path in `error`.
bool MakeProgramContent(const std::string& folder, std::string& error);
// The clip art (Clipart/*.png) alone, into `folder`, and its names.
bool WriteClipart(const QString& folder, std::string& error);
std::vector<std::string> ClipartNames();
// The symbol libraries alone, into `folder`.
bool WriteSymbolLibraries(const QString& folder, std::string& error);

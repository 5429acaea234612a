#pragma once
// The document's figure symbols, referred to by index from figures and figure
// styles. Entries 0 ("null") and 1 ("lbl") are built in and never removed or
// overwritten.
#include "shapes/CFigSymbol.h"
#include "shapes/CLibraryList.h"
#include "shapes/LibraryUsers.h"

class SymbolLibrary : public CLibraryList<CFigSymbol> {
public:
    CFigSymbol* NewEntry() { return AppendNew(); }
    void SetEntry(int index, const CFigSymbol* symbol);
    // Inserts a symbol: an entry of the same name is overwritten in place,
    // except the built-in entries 0 and 1, for which a numbered copy is added
    // instead. Computes Reshape from the name when it is 0. Index or -1.
    int AddOrReplace(const CFigSymbol* symbol);
    // Appends a copy under the first free name of the series name, name:1,
    // name:2 ... Index or -1.
    int AddCopyWithNewName(const CFigSymbol* symbol);
    // Refused (0) for the built-in entries and out of range.
    int Delete(int index);
    void ClearUseFlags();
    int HighestNumberSuffix() const;

    // Points the users of higher-numbered identical copies (Box:2) at the
    // lowest-numbered one (Box:1).
    void MergeNumberedDuplicates(ISymbolUsers& doc);
    // Removes entries from 2 (or from `first`, when later) on that nothing
    // uses, shifting the indexes held by figures and styles.
    void PurgeUnused(ISymbolUsers& doc, int first = 0);
};

// The next name of a numbered series with ':' as separator: "" -> "1",
// digits only -> the number plus one, "name:N" -> "name:N+1", otherwise
// "name:1".
std::string NextColonSeriesName(const std::string& name);

// Appends the two built-in symbols: 0 "null" with no outline and 1 "lbl"
// whose outline is one rectangle over the whole symbol space.
void BuildBuiltInFigSymbols(SymbolLibrary& library);

// MergeNumberedDuplicates, then PurgeUnused on the symbol library, then
// PurgeUnused on the shape library.
class ShapeLibrary;
void PurgeUnusedLibraryEntries(ISymbolUsers& doc, SymbolLibrary& symbols, ShapeLibrary& shapes);
// Removes only the unused symbols from index firstSymbol on and the unused end
// symbols from firstShape on: those a merge appended. Indexes below them stay
// as they are, so what the undo log holds of the entries before stays true.
void PurgeUnusedEntriesFrom(ISymbolUsers& doc, SymbolLibrary& symbols, ShapeLibrary& shapes, int firstSymbol,
                            int firstShape);
// Every figure without a picture using `from` gets `to`; then the figure styles.
void RemapSymbolIndex(ISymbolUsers& doc, int from, int to);

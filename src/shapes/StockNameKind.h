#pragma once
// The stock kind of a named thing (end symbol, figure symbol, style, diagram
// object): a number that the UML-aware behaviour asks about instead of
// comparing names. The owner supplies Classify; the result is cached on first
// use (0 = not yet computed) and forgotten by Reset, which owners call
// whenever the name or what the kind is derived from changes.
#include <string>

class StockNameKind {
public:
    virtual ~StockNameKind() = default;

    // True when the kind answers the query: a plain kind number, or one of the
    // family numbers (see StockKindMatches).
    int IsKind(int query) const;
    int GetKind() const;
    void Reset() { m_nKind = 0; }

protected:
    StockNameKind() = default;
    StockNameKind(const StockNameKind&) = default;
    StockNameKind& operator=(const StockNameKind&) = default;
    // The kind of the owner, -1 for none.
    virtual int Classify() const = 0;

private:
    mutable int m_nKind = 0;
};

// Whether a kind answers a query. Family queries: 30 -> 31..38; 49, 62 -> 2, 26;
// 50 -> 42..44; 51 -> 47, 48; 52 -> 1..4, 26; 53 -> 41, 45, 46; 56 -> 54, 55;
// 58 -> 47, 57, 48; 61 -> 11, 59, 60; 64 -> 57, 48; 66 -> 2, 26, 67; 68 -> 6, 29.
// Any other query matches only its own number.
bool StockKindMatches(int kind, int query);

// The stock tables, searched in order, first match wins. A name matches an
// entry when, lower-cased and without one leading '[', it is non-empty and
// begins with the entry's text. -1 when nothing matches.
int ClassifyEndShapeName(const std::string& name);
int ClassifyFigSymbolName(const std::string& name);
// Style names compare exactly (case counts), with a prefix rule for
// "qualifier" figure styles and "Message " connector styles.
int ClassifyFigStyleName(const std::string& name);
int ClassifyConStyleName(const std::string& name);

// Table sizes, for tests.
int EndShapeStockCount();
int FigSymbolStockCount();

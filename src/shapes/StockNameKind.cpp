#include "shapes/StockNameKind.h"

#include "platform/TextCase.h"

#include <cctype>
#include <cstring>
#include <iterator>

namespace {

struct StockEntry {
    const char* text;
    int kind;
};

// Order matters: the first prefix that matches wins.
constexpr StockEntry kEndShapeStock[] = {
    {"null", 31}, {"ball for socket", 14}, {"socket for ball", 15}, {"arrow umlstick", 32},
    {"arrow umlsolid", 33}, {"arrow umlopen", 34}, {"aggregation", 35}, {"composition", 36},
    {"containment", 37}, {"unnavigable", 38}, {"anchor point", 40},
};

constexpr StockEntry kFigSymbolStock[] = {
    {"package", 1}, {"model", 1}, {"subsystem", 1}, {"start", 5}, {"stop", 5},
    {"class/object", 2}, {"class actor", 2}, {"class control", 2}, {"class boundary", 2},
    {"class entity", 2}, {"class #", 2}, {"active class/object", 26}, {"multiobject", 2},
    {"component", 3}, {"component uml2", 4}, {"seq activation", 6}, {"seq lifeline", 29},
    {"fork/join horz", 7}, {"fork/join vert", 7}, {"actor", 8}, {"socket", 9},
    {"interface", 12}, {"port", 11}, {"junction state", 17}, {"time signal", 18},
    {"flow final", 19}, {"condition", 20}, {"msg ", 21}, {"stub state", 22},
    {"synch state", 23}, {"destruct", 24}, {"terminate", 24}, {"history", 25},
    {"deep history", 25}, {"activity", 42}, {"action", 42}, {"action dc", 42},
    {"action subact", 42}, {"subactivity uml2", 43}, {"subactivity", 43}, {"activity dc", 44},
    {"pin", 41}, {"qualifier", 13}, {"listbox pin vert", 45}, {"listbox pin horz", 46},
    {"[state", 48}, {"complex port horz", 60}, {"complex port vert", 59}, {"entry point", 54},
    {"exit point", 55}, {"state", 57}, {"name tab", 63}, {"parameter list", 65},
};
static_assert(std::size(kEndShapeStock) == 11);
static_assert(std::size(kFigSymbolStock) == 53);

constexpr StockEntry kFigStyleNames[] = {
    {"Junction State", 17}, {"Collaboration", 67}, {"Concurrent Object", 2},
    {"Initial State", 5}, {"Final State", 5}, {"Activation", 6}, {"Lifeline", 29},
    {"Fork/Join Horz", 7}, {"Fork/Join Vert", 7}, {"Expansion Region", 47},
};

constexpr StockEntry kConStyleNames[] = {
    {"To Interface", 16}, {"Anchor", 39}, {"Association", 28}, {"Aggregation", 28},
    {"Composition", 28}, {"Generalization", 28}, {"Navigable Association", 28},
    {"Directional Association", 28}, {"Bidirectional Association", 28}, {"Containment", 28},
};

// The name lower-cased (ASCII letters only, as the byte-wise C library does
// in the "C" locale) without one leading '['.
std::string StockKey(const std::string& name)
{
    return ToLowerAscii((!name.empty() && name[0] == '[') ? std::string_view(name).substr(1)
                                                           : std::string_view(name));
}

template <size_t N>
int MatchPrefix(const StockEntry (&table)[N], const std::string& name)
{
    const std::string key = StockKey(name);
    if (key.empty())
        return -1;
    for (const StockEntry& e : table) {
        if (key.compare(0, std::strlen(e.text), e.text) == 0)
            return e.kind;
    }
    return -1;
}

template <size_t N>
int MatchExact(const StockEntry (&table)[N], const std::string& name)
{
    for (const StockEntry& e : table) {
        if (name == e.text)
            return e.kind;
    }
    return -1;
}

} // namespace

int StockNameKind::GetKind() const
{
    if (m_nKind == 0)
        m_nKind = Classify();
    return m_nKind;
}

int StockNameKind::IsKind(int query) const
{
    return StockKindMatches(GetKind(), query) ? 1 : 0;
}

bool StockKindMatches(int kind, int query)
{
    auto in = [kind](std::initializer_list<int> kinds) {
        for (int k : kinds) {
            if (k == kind)
                return true;
        }
        return false;
    };
    switch (query) {
    case 30: return kind >= 31 && kind <= 38;
    case 49:
    case 62: return in({2, 26});
    case 50: return in({42, 43, 44});
    case 51: return in({47, 48});
    case 52: return in({1, 2, 3, 4, 26});
    case 53: return in({41, 45, 46});
    case 56: return in({54, 55});
    case 58: return in({47, 57, 48});
    case 61: return in({11, 59, 60});
    case 64: return in({57, 48});
    case 66: return in({2, 26, 67});
    case 68: return in({6, 29});
    default: return kind == query;
    }
}

int ClassifyEndShapeName(const std::string& name) { return MatchPrefix(kEndShapeStock, name); }
int ClassifyFigSymbolName(const std::string& name) { return MatchPrefix(kFigSymbolStock, name); }

int ClassifyFigStyleName(const std::string& name)
{
    const int kind = MatchExact(kFigStyleNames, name);
    if (kind != -1)
        return kind;
    static constexpr StockEntry kQualifier[] = {{"qualifier", 13}};
    return MatchPrefix(kQualifier, name);
}

int ClassifyConStyleName(const std::string& name)
{
    const int kind = MatchExact(kConStyleNames, name);
    if (kind != -1)
        return kind;
    return name.compare(0, 8, "Message ") == 0 ? 27 : -1;
}

int EndShapeStockCount() { return static_cast<int>(std::size(kEndShapeStock)); }
int FigSymbolStockCount() { return static_cast<int>(std::size(kFigSymbolStock)); }

// The special-shape name table and the per-kind rules that follow from the
// kind alone.
#include "shapes/DividedShapeKinds.h"

#include "shapes/KindRange.h"

#include <QGuiApplication>

#include <initializer_list>

namespace {

struct KindName {
    const char* name;
    int kind;
};

// Order matters only where a name would match twice; none does, but the
// lookup keeps the first match all the same.
const KindName kKindNames[] = {
    {"box r2", 1},
    {"class/object r2", 1},
    {"box r3", 2},
    {"class/object r3", 2},
    {"box r4", 3},
    {"box r5", 4},
    {"box r6", 5},
    {"dog ear", 6},
    {"note", 6},
    {"package", 7},
    {"package r2", 8},
    {"package c2", 9},
    {"package c2r2a", 10},
    {"arrow left open", 11},
    {"arrow left", 12},
    {"arrow right open", 13},
    {"arrow right", 14},
    {"arrow left/right", 15},
    {"arrow down", 16},
    {"arrow up", 17},
    {"arrow up/down", 18},
    {"double rectangle", 19},
    {"frame", 19},
    {"bevel", 20},
    {"comment c2", 21},
    {"rounded box", 22},
    {"state", 22},
    {"rounded c2", 23},
    {"state r3", 24},
    {"rounded r3", 24},
    {"[rounded box]", 25},
    {"[state]", 25},
    {"[arrow left open]", 27},
    {"[arrow left]", 29},
    {"[arrow right open]", 31},
    {"[arrow right]", 33},
    {"[arrow left/right]", 35},
    {"[arrow down]", 37},
    {"[arrow up]", 39},
    {"[arrow up/down]", 41},
    {"box c2", 43},
    {"box c3", 44},
    {"box c4", 45},
    {"box c5", 46},
    {"box c6", 47},
    {"box c7", 48},
    {"box c8", 49},
    {"qfr below", 50},
    {"qfr above", 51},
    {"utility", 52},
    {"multiobject", 53},
    {"subsystem2", 54},
    {"subsystem", 55},
    {"model2", 56},
    {"model", 57},
    {"rounded r2", 58},
    {"state r2", 58},
    {"node", 59},
    {"usecase r2", 60},
    {"destruct", 61},
    {"activity dc", 62},
    {"qfr right", 63},
    {"qfr left", 64},
    {"[swim lanes 2]", 65},
    {"[swim lanes 3]", 66},
    {"[swim lanes 4]", 67},
    {"[swim lanes 5]", 68},
    {"[swim lanes 6]", 69},
    {"[swim lanes 7]", 70},
    {"[swim lanes 8]", 71},
    {"[partition 1x2]", 65},
    {"[partition 1x3]", 66},
    {"[partition 1x4]", 67},
    {"[partition 1x5]", 68},
    {"[partition 1x6]", 69},
    {"[partition 1x7]", 70},
    {"[partition 1x8]", 71},
    {"[partition 2x1]", 147},
    {"[partition 3x1]", 148},
    {"[partition 4x1]", 149},
    {"[partition 5x1]", 150},
    {"[partition 6x1]", 151},
    {"[partition 7x1]", 152},
    {"[partition 8x1]", 153},
    {"[partition 2x2]", 154},
    {"[partition 2x3]", 155},
    {"[partition 3x2]", 156},
    {"[partition 3x3]", 157},
    {"[partition 4x2]", 158},
    {"[partition 2x4]", 159},
    {"[partition 4x3]", 160},
    {"[partition 3x4]", 161},
    {"[partition 4x4]", 162},
    {"[package]", 72},
    {"[class/object r2]", 73},
    {"[state r2]", 74},
    {"subsystem c2", 75},
    {"subsystem r2", 76},
    {"subsystem c2r2a", 77},
    {"[subsystem]", 78},
    {"[model]", 79},
    {"class actor", 80},
    {"class control", 81},
    {"class boundary", 82},
    {"class entity", 83},
    {"subactivity", 84},
    {"state r2 hd", 85},
    {"class actor r2", 86},
    {"class boundary r2", 87},
    {"class entity r2", 88},
    {"class control r2", 89},
    {"class actor r3", 90},
    {"class boundary r3", 91},
    {"class entity r3", 92},
    {"class control r3", 93},
    {"[class actor r2]", 94},
    {"[class boundary r2]", 95},
    {"[class entity r2]", 96},
    {"[class control r2]", 97},
    {"class # r2", 98},
    {"class # r3", 99},
    {"[class # r2]", 100},
    {"round sides", 101},
    {"activity", 101},
    {"[activity]", 103},
    {"arc sides", 102},
    {"[arc sides]", 104},
    {"class nodiv r2", 105},
    {"component UML2", 118},
    {"[component UML2 r2]", 119},
    {"[component UML2]", 120},
    {"artifact", 121},
    {"[artifact r2]", 122},
    {"[artifact]", 123},
    {"[frame]", 124},
    {"subactivity UML2", 125},
    {"[class actor]", 126},
    {"[class boundary]", 127},
    {"[class entity]", 128},
    {"[class control]", 129},
    {"[class #]", 130},
    {"[node]", 131},
    {"action", 144},
    {"action dc", 132},
    {"action subact", 145},
    {"[action]", 146},
    {"active class/object r2", 134},
    {"active class/object r3", 135},
    {"active class/object", 136},
    {"[active class/object]", 137},
    {"[combined fragment2]", 138},
    {"[combined fragment3]", 139},
    {"[combined fragment4]", 140},
    {"[state cb2]", 141},
    {"[state cb3]", 142},
    {"[state cb4]", 143},
    {"condition notxt", 164},
    {"condition", 163},
    {"exit point", 165},
    {"flow final", 166},
    {"time signal", 167},
    {"collate", 168},
    {"stop", 169},
    {"actor", 170},
    {"cd/dvd", 171},
    {"boundary", 172},
    {"entity", 173},
    {"control", 174},
};

// Inclusive ranges of kinds; a single kind is {k, k}.
struct KindRange {
    int lo = -1;
    int hi = -1;
};

bool InRanges(int kind, std::initializer_list<KindRange> ranges)
{
    for (const KindRange& r : ranges) {
        if (kind >= r.lo && kind <= r.hi)
            return true;
    }
    return false;
}

bool g_specialLayoutDisabled = false;
std::function<bool()> g_altKeyQuery;
SpecialKindIconFn g_iconQuery = nullptr;

bool QueryGuiAltKey()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
}

} // namespace

int GetSpecialKindFromName(const std::string& name)
{
    for (const KindName& e : kKindNames) {
        if (name == e.name)
            return e.kind;
    }
    return 0;
}

std::vector<std::string> SpecialKindNames()
{
    std::vector<std::string> names;
    for (const KindName& e : kKindNames)
        names.emplace_back(e.name);
    return names;
}

void GetPartitionGrid(int kind, int& rows, int& cols)
{
    rows = cols = 0;
    if (kind >= 65 && kind <= 71) {
        rows = 1;
        cols = kind - 63;
    } else if (kind >= 147 && kind <= 153) {
        rows = kind - 145;
        cols = 1;
    } else if (kind >= 154 && kind <= 162) {
        static const int kGrid[9][2] = {{2, 2}, {2, 3}, {3, 2}, {3, 3}, {4, 2},
                                        {2, 4}, {4, 3}, {3, 4}, {4, 4}};
        rows = kGrid[kind - 154][0];
        cols = kGrid[kind - 154][1];
    }
}

bool IsGridKind(int kind)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    return rows > 0 && cols > 0;
}

int SpecialDividerCount(int kind)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    if (rows > 0 && cols > 0)
        return rows + cols - 2;
    if (kind <= 0 || kind > 146)
        return 0;
    if (InRanges(kind, {{26, 26}, {28, 28}, {30, 30}, {32, 32}, {34, 34}, {36, 36}, {38, 38},
                        {40, 40}, {42, 42}, {80, 83}, {106, 118}, {121, 121}}))
        return 0;
    if (InRanges(kind, {{2, 2}, {8, 9}, {23, 23}, {44, 44}, {52, 52}, {54, 58}, {74, 74},
                        {78, 79}, {85, 89}, {94, 98}, {100, 100}, {119, 120}, {122, 123},
                        {126, 130}, {134, 134}, {138, 138}, {141, 141}}))
        return 2;
    if (InRanges(kind, {{3, 3}, {10, 10}, {24, 24}, {45, 45}, {75, 76}, {90, 93}, {99, 99},
                        {135, 135}, {139, 139}, {142, 142}}))
        return 3;
    if (InRanges(kind, {{4, 4}, {46, 46}, {77, 77}, {140, 140}, {143, 143}}))
        return 4;
    if (kind == 5 || kind == 47)
        return 5;
    if (kind == 48)
        return 6;
    if (kind == 49)
        return 7;
    return 1;
}

int SpecialDividerDirection(int kind, int i)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    if (rows > 0 && cols > 0) {
        // Row separators come first and move vertically, then the column
        // separators move sideways, also in one-row and one-column grids.
        return i < rows - 1 ? 1 : 2;
    }
    if (InRanges(kind, {{0, 5}, {24, 24}, {52, 52}, {60, 60}, {73, 73}, {105, 105}}))
        return 1;
    if (InRanges(kind, {{21, 21}, {23, 23}, {43, 49}, {61, 62}, {84, 84}, {101, 104},
                        {125, 125}, {136, 143}}))
        return 2;
    if (InRanges(kind, {{8, 8}, {58, 58}, {74, 74}, {85, 85}}))
        return i == 0 ? 0 : 1;
    if (kind == 9 || kind == 75)
        return i == 0 ? 0 : 2;
    if (kind == 10 || kind == 77)
        return i == 0 ? 0 : (i == 1 ? 1 : 2);
    if (InRanges(kind, {{54, 57}, {78, 79}}))
        return i == 1 ? 2 : 0;
    if (InRanges(kind, {{86, 89}, {94, 98}, {100, 100}, {119, 120}, {122, 123}, {126, 130}}))
        return i == 1 ? 2 : 1;
    if (InRanges(kind, {{90, 93}, {99, 99}}))
        return i == 2 ? 2 : 1;
    if (kind == 76)
        return i == 0 ? 0 : (i == 2 ? 2 : 1);
    if (kind == 134 || kind == 135)
        return i == 0 ? 2 : 1;
    return 0;
}

int SpecialDividerChangesOutline(int kind, int i)
{
    if (InRanges(kind, {{6, 7}, {11, 18}, {22, 22}, {25, 25}, {27, 27}, {29, 29}, {31, 31},
                        {33, 33}, {35, 35}, {37, 37}, {39, 39}, {41, 41}, {50, 51}, {53, 57},
                        {59, 59}, {61, 64}, {72, 72}, {78, 79}, {84, 84}, {101, 104},
                        {125, 125}, {131, 133}, {144, 146}}))
        return 1;
    if (i == 0 && InRanges(kind, {{8, 10}, {23, 24}, {58, 58}, {74, 77}, {85, 85}, {141, 143}}))
        return 1;
    return 0;
}

int SpecialDividerClamped(int kind, int i)
{
    if (InRanges(kind, {{0, 5}, {7, 10}, {21, 21}, {43, 52}, {63, 73}, {105, 105}, {147, 162}}))
        return 1;
    if (InRanges(kind, {{23, 24}, {58, 58}, {74, 74}, {85, 85}, {134, 143}}))
        return i != 0 ? 1 : 0;
    if (InRanges(kind, {{75, 79}, {90, 93}, {99, 99}}))
        return i != 2 ? 1 : 0;
    if (InRanges(kind, {{86, 89}, {94, 98}, {100, 100}, {119, 120}, {123, 123}, {126, 130}}))
        return i != 1 ? 1 : 0;
    return 0;
}

int SpecialSectionResizeRule(int kind, int i)
{
    // Rules for sections 0..3; later sections repeat the "others" value.
    struct Row {
        KindRange kinds[9];
        int rules[5];
    };
    static const Row kRows[] = {
        {{{13, 14}, {31, 31}, {33, 33}}, {3, 3, 3, 3, 3}},
        {{{16, 16}, {37, 37}}, {7, 7, 7, 7, 7}},
        {{{21, 21}}, {4, 4, 4, 4, 4}},
        {{{11, 12}, {15, 15}, {17, 18}, {27, 27}, {29, 29}, {35, 35}, {39, 39}, {41, 41}},
         {1, 1, 1, 1, 1}},
        {{{1, 5}, {51, 51}}, {2, 0, 0, 0, 0}},
        {{{24, 24}, {58, 58}, {74, 74}, {85, 85}}, {1, 2, 0, 0, 0}},
        {{{50, 50}}, {8, 0, 0, 0, 0}},
        {{{54, 54}, {56, 56}}, {1, 6, 0, 0, 0}},
        {{{63, 63}}, {6, 0, 0, 0, 0}},
        {{{55, 55}, {57, 57}, {78, 79}}, {1, 1, 0, 0, 0}},
        {{{73, 73}, {105, 105}, {134, 135}}, {4, 2, 0, 0, 0}},
        {{{64, 64}, {136, 137}}, {4, 0, 0, 0, 0}},
        {{{75, 76}}, {1, 0, 1, 0, 0}},
        {{{77, 77}}, {1, 0, 0, 1, 0}},
        {{{86, 89}, {94, 98}, {100, 100}, {119, 120}, {123, 123}, {126, 130}}, {2, 3, 0, 0, 0}},
        {{{6, 6}, {59, 59}, {131, 131}}, {3, 0, 0, 0, 0}},
        {{{90, 93}, {99, 99}}, {2, 0, 3, 0, 0}},
        {{{7, 10}, {19, 20}, {22, 23}, {25, 25}, {53, 53}, {72, 72}, {124, 124}, {132, 133},
          {138, 146}},
         {1, 0, 0, 0, 0}},
    };
    const int col = (i >= 0 && i < 4) ? i : 4;
    for (const Row& row : kRows) {
        for (const KindRange& r : row.kinds) {
            if (kind >= r.lo && kind <= r.hi)
                return row.rules[col];
        }
    }
    return 0;
}

int SpecialLimitBoxCount(int kind)
{
    if (KindIn(kind, 1, 5))
        return kind + 1;
    if (KindIn(kind, 43, 49))
        return kind - 41;
    if (InRanges(kind, {{6, 6}, {11, 20}, {22, 22}, {53, 53}, {59, 59}, {62, 62}, {72, 74},
                        {78, 79}, {84, 84}, {94, 97}, {101, 102}, {119, 120}, {122, 129},
                        {132, 133}, {136, 140}, {144, 145}}))
        return 1;
    if (InRanges(kind, {{7, 7}, {21, 21}, {23, 23}, {50, 52}, {54, 58}, {60, 60}, {63, 64},
                        {85, 89}, {100, 100}, {105, 105}, {130, 130}, {134, 134}}))
        return 2;
    if (InRanges(kind, {{8, 9}, {24, 24}, {75, 76}, {90, 93}, {98, 98}, {135, 135}}))
        return 3;
    if (kind == 10 || kind == 77 || kind == 99)
        return 4;
    return -1;
}

bool IsSpecialLayoutExcludedKind(int kind)
{
    return kind == 61 || IsGridKind(kind) ||
           InRanges(kind, {{60, 60}, {62, 62}, {84, 84}, {125, 125}, {132, 133}, {145, 145}});
}

bool KeepsAnchoringKind(int kind)
{
    return InRanges(kind, {{6, 6}, {19, 20}, {54, 54}, {56, 56}, {59, 59}, {131, 131}});
}

void SetSpecialLayoutDisabled(bool disabled) { g_specialLayoutDisabled = disabled; }
bool IsSpecialLayoutDisabled() { return g_specialLayoutDisabled; }

void SetAltKeyQuery(std::function<bool()> query) { g_altKeyQuery = std::move(query); }

bool IsAltKeyDown()
{
    return g_altKeyQuery ? g_altKeyQuery() : QueryGuiAltKey();
}

void SetSpecialKindIconQuery(SpecialKindIconFn query) { g_iconQuery = query; }

int QuerySpecialKindIcon(const CFigSymbol& symbol, const RECT& figRect, RECT& iconRect, int leastMargin,
                         int leastSize)
{
    return g_iconQuery ? g_iconQuery(symbol, figRect, iconRect, leastMargin, leastSize) : 0;
}

void ResetSpecialShapeState()
{
    g_specialLayoutDisabled = false;
    g_altKeyQuery = nullptr;
    g_iconQuery = nullptr;
}

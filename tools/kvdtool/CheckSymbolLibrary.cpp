// kvdtool check on a symbol-library file: it loads as the galleries load it,
// and every symbol works as a figure's: its program is sound, a special
// shape's outline follows its kind's template, every divider has a handle
// that can be dragged, and a shape with compartments fits each text box to
// the text margins.
#include "KvdTool.h"

#include "keyword/KeywordStreams.h"
#include "platform/CLockedFile.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/SymbolFiles.h"

#include <cstdlib>
#include <cstring>

namespace {
class CCollectingSink : public SymbolFileSink {
public:
    void TakeFigureSymbol(const CFigSymbol& s) override { figures.push_back(s); }
    void TakeEndSymbol(const CShapeDef& s) override { ends.push_back(s); }
    std::vector<CFigSymbol> figures;
    std::vector<CShapeDef> ends;
};

// The figure the symbol makes by default: its own size, or an inch by
// three quarters.
CRect FigureRect(const CFigSymbol& s)
{
    const int w = s.Width > 0 ? s.Width : 256, h = s.Height > 0 ? s.Height : 192;
    return CRect(1000, 1000, 1000 + w, 1000 + h);
}

// What is wrong with a figure symbol; empty when nothing is.
std::vector<std::string> FigureProblems(const CFigSymbol& symbol)
{
    std::vector<std::string> problems;
    if (!symbol.IsProgramValid() || symbol.m_nOutlinePos < 0)
        problems.push_back("no sound outline");
    if (!symbol.HasHotZone())
        problems.push_back("no hot zone");
    const int kind = symbol.Reshape;
    if (kind != GetSpecialKindFromName(symbol.m_strName))
        problems.push_back("kind " + std::to_string(kind) + " is not its name's");
    const CRect rect = FigureRect(symbol);
    for (int d = 0; d < symbol.GetDividerCount(); ++d) {
        const std::string which = "divider " + std::to_string(d);
        CPoint at;
        if (!symbol.GetDividerHandle(d, at, rect)) {
            problems.push_back(which + " has no handle: the outline does not follow the kind's template");
            continue;
        }
        // The handle lies within its limits (a unit of rounding aside).
        CPoint limited = at;
        const bool limits = symbol.LimitDividerPoint(d, rect, limited, 0, nullptr, -1) != 0;
        if (limits && (std::abs(limited.x - at.x) > 1 || std::abs(limited.y - at.y) > 1))
            problems.push_back(which + " lies outside its limits");
        // A small drag toward the figure's centre, limited where the kind
        // has limits, as the view drags it.
        CFigSymbol copy = symbol;
        CPoint to(at.x + (at.x < rect.CenterPoint().x ? 2 : -2), at.y + (at.y < rect.CenterPoint().y ? 2 : -2));
        if (limits)
            copy.LimitDividerPoint(d, rect, to, 0, nullptr, -1);
        if (!copy.MoveSpecialHandle(d, rect, to, 0))
            problems.push_back(which + " cannot be dragged");
    }
    if (symbol.HasSecondTextBoxTable()) {
        if (symbol.m_nFrames != symbol.m_nTextBoxes)
            problems.push_back("compartments and text boxes differ in number");
        CFigSymbol copy = symbol;
        for (int b = 0; b < symbol.m_nTextBoxes; ++b)
            if (!copy.FitTextBoxToMargins(b, rect, 4, 4, 4, 4))
                problems.push_back("text box " + std::to_string(b) + " does not fit its compartment");
    }
    return problems;
}
} // namespace

SymbolLibraryReport CheckSymbolLibrary(const std::string& path)
{
    SymbolLibraryReport report;
    std::string bytes;
    int error = 0;
    if (!CLockedFile::ReadFile(path, bytes, &error)) {
        report.problems.push_back(std::string("cannot open the file: ") + std::strerror(error));
        return report;
    }
    const bool ends = path.size() > 4 && path.compare(path.size() - 4, 4, std::string(".") + kEndSymbolFileExt) == 0;
    CMemoryKeywordSource source(bytes);
    CCollectingSink sink;
    int line = 0;
    if (ReadSymbolFile(source, ends, sink, &line) != SymbolFileReadResult::Ok) {
        report.problems.push_back("does not load: line " + std::to_string(line));
        return report;
    }
    report.loaded = true;
    for (CFigSymbol& s : sink.figures) {
        // As a gallery entry: the diamonds' text rule and the kind.
        s.SetOversizeForDiamonds();
        if (s.Reshape == 0)
            s.ComputeReshapeKind();
        report.symbols.push_back({s.m_strName, s.Reshape});
        for (const std::string& p : FigureProblems(s))
            report.problems.push_back(s.m_strName + ": " + p);
    }
    for (const CShapeDef& s : sink.ends) {
        report.symbols.push_back({s.m_strName, 0});
        if (!s.IsProgramValid() || s.m_nLinePos < 0)
            report.problems.push_back(s.m_strName + ": no sound outline");
    }
    if (report.symbols.empty())
        report.problems.push_back("holds no symbol");
    return report;
}

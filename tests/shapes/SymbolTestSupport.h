#pragma once
// Builds figure symbols for tests: sub-programs written one after another
// through the outline writer.
#include "shapes/CFigSymbol.h"
#include "shapes/COutlineWriter.h"
#include "shapes/OutlineProgram.h"
#include "shapes/SymbolLibrary.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

struct SymbolBuilder {
    CFigSymbol sym;
    COutlineWriter w{sym.m_program.data(), CFigSymbol::kProgramSize};

    SymbolBuilder& Fill(const std::function<void(COutlineWriter&)>& ops)
    {
        sym.m_nFillPos = w.Pos();
        ops(w);
        w.End(kOpEndFill);
        return Done();
    }
    SymbolBuilder& Outline(const std::function<void(COutlineWriter&)>& ops)
    {
        sym.m_nOutlinePos = w.Pos();
        ops(w);
        w.End(kOpEndOutline);
        return Done();
    }
    SymbolBuilder& Mini(const std::function<void(COutlineWriter&)>& ops)
    {
        sym.m_nMiniOutlinePos = w.Pos();
        ops(w);
        w.End(kOpEndOutline);
        return Done();
    }
    SymbolBuilder& TextBoxes(std::initializer_list<CFltRect> boxes)
    {
        sym.m_nTextBoxPos = w.Pos();
        for (const CFltRect& b : boxes) {
            WriteOutlineRect(sym.m_program.data() + w.Pos(), b);
            w = COutlineWriter(sym.m_program.data(), CFigSymbol::kProgramSize, w.Pos() + 32);
        }
        sym.m_nTextBoxes = static_cast<int32_t>(boxes.size());
        return Done();
    }
    SymbolBuilder& Done()
    {
        sym.m_nProgramLength = w.Pos();
        return *this;
    }
};

// The symbol with a second text-box table, as the special shapes that lay
// their text into compartments carry: each text box framed by its own
// rectangle. Only such a symbol is set up for the figure margins.
inline CFigSymbol Framed(CFigSymbol s)
{
    s.m_nFrames = std::min<int32_t>(s.m_nTextBoxes, CFigSymbol::kMaxFrames);
    for (int i = 0; i < s.m_nFrames; ++i)
        s.m_frames[i] = ReadOutlineRect(s.m_program.data() + s.m_nTextBoxPos + 32 * i);
    return s;
}

// A symbol of that name whose outline is one square of the given size.
inline CFigSymbol SquareSymbol(const std::string& name, float size = 2048)
{
    SymbolBuilder b;
    b.Outline([size](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, size, size)); });
    b.sym.SetName(name);
    return b.sym;
}

inline std::vector<std::string> SymbolNames(const SymbolLibrary& lib)
{
    std::vector<std::string> names;
    for (int i = 0; i < lib.GetCount(); ++i)
        names.push_back(lib.GetAt(i)->m_strName);
    return names;
}

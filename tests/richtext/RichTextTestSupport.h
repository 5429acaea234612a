#pragma once
// Figures with a plain box symbol whose text boxes are given in percent of
// the figure, for the fitting tests.
#include "document/CKavoDoc.h"
#include "shapes/SymbolTestSupport.h"

#include <initializer_list>
#include <memory>

// Adds a box symbol with the text boxes (left, top, right, bottom in percent)
// to the document and returns its index.
inline int AddBoxSymbol(CKavoDoc& doc, std::initializer_list<CFltRect> percentBoxes)
{
    auto u = [](double v) { return float(v * 2048.0 / 100.0); };
    SymbolBuilder b;
    b.Outline([&](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    std::vector<CFltRect> boxes;
    for (const CFltRect& p : percentBoxes)
        boxes.push_back(CFltRect(u(p.left), u(p.top), u(p.right), u(p.bottom)));
    b.sym.m_nTextBoxPos = b.w.Pos();
    for (const CFltRect& box : boxes) {
        WriteOutlineRect(b.sym.m_program.data() + b.w.Pos(), box);
        b.w = COutlineWriter(b.sym.m_program.data(), CFigSymbol::kProgramSize, b.w.Pos() + 32);
    }
    b.sym.m_nTextBoxes = int32_t(boxes.size());
    b.Done();
    b.sym.m_strName = "test box " + std::to_string(doc.m_figSymbols.GetCount());
    CFigSymbol* entry = doc.m_figSymbols.NewEntry();
    *entry = b.sym;
    return doc.m_figSymbols.GetCount() - 1;
}

inline CFigProps BoxProps(int symbol, int points = 10, const char* face = "Courier New")
{
    CFigProps props;
    props.Symbol = symbol;
    props.m_font.m_lf.lfHeight = -points;
    SetLogFontFace(props.m_font.m_lf, face);
    return props;
}

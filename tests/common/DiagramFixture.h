#pragma once
// A small diagram for drawing and view tests: a new document with a box
// symbol (one text box over the whole box), figures and connectors.
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "shapes/SymbolTestSupport.h"

#include <string>

struct DiagramFixture {
    CKavoDoc doc;
    int boxSymbol = -1;

    DiagramFixture()
    {
        doc.OnNewDocument();
        SymbolBuilder b;
        b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.TextBoxes({CFltRect(0, 0, 2048, 2048)});
        b.sym.m_strName = "box";
        boxSymbol = doc.m_figSymbols.AddOrReplace(&b.sym);
    }
    // A box of three rows (special kind 2): dividers at y0 and y1 of 2048,
    // a text box per row, each framed by its row. Its index.
    int AddRowsSymbol(int y0 = 700, int y1 = 1400, const std::string& name = "rows")
    {
        SymbolBuilder b;
        b.Outline([&](COutlineWriter& w) {
            w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
            w.Line({0, float(y0)}, {2048, float(y0)});
            w.Line({0, float(y1)}, {2048, float(y1)});
        });
        b.TextBoxes({CFltRect(0, 0, 2048, float(y0)), CFltRect(0, float(y0), 2048, float(y1)),
                     CFltRect(0, float(y1), 2048, 2048)});
        b.sym.Reshape = 2;
        b.sym.m_strName = name;
        CFigSymbol framed = Framed(b.sym);
        return doc.m_figSymbols.AddOrReplace(&framed);
    }
    CFigure* AddBox(int x, int y, int w, int h, const std::string& text, COLORREF fill = 0xFFFFFF)
    {
        CFigProps props;
        props.Symbol = boxSymbol;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = fill;
        auto* fig = new CFigure(x, y, h, w, props, -1, 0, text, "", CFigure::CreateArgs(), &doc);
        doc.AddFigWithId(fig);
        return fig;
    }
    // From a's side facing b to b's side facing a (right to left when b
    // lies to the right, else bottom to top).
    CConnector* Connect(CFigure* a, CFigure* b)
    {
        CConProps props;
        const CRect& ra = a->m_rect;
        const CRect& rb = b->m_rect;
        CPoint pa, pb;
        if (rb.left >= ra.right) {
            pa = CPoint(ra.right, ra.CenterPoint().y);
            pb = CPoint(rb.left, rb.CenterPoint().y);
        } else {
            pa = CPoint(ra.CenterPoint().x, ra.bottom);
            pb = CPoint(rb.CenterPoint().x, rb.top);
        }
        return doc.CreateCon(a, b, -1, -1, pa, pb, -1, props);
    }
};

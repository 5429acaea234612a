#pragma once
// A figure symbol drawn in the units of its default figure size: the shapes
// of the program's symbol libraries are laid out in logical units (256 an
// inch) on a figure of that size and mapped into the 2048-unit symbol space
// when the symbol is made, so that a tab, a fold or a corner has the size
// it is drawn with at the symbol's default size.
#include "shapes/CFigSymbol.h"

#include <string>
#include <vector>

class SymbolSketch {
public:
    struct Pt {
        double x;
        double y;
    };
    struct Box {
        double left, top, right, bottom;
    };

    // A symbol `width` x `height` logical units by default.
    SymbolSketch(std::string name, int width, int height);

    int W() const { return m_nWidth; }
    int H() const { return m_nHeight; }
    Box Whole() const { return {0, 0, double(m_nWidth), double(m_nHeight)}; }

    // The fill sub-program.
    SymbolSketch& FillRect(const Box& r);
    SymbolSketch& FillEllipse(const Box& r);
    SymbolSketch& FillPolygon(const std::vector<Pt>& pts);
    // The outline sub-program, drawn in this order.
    SymbolSketch& Rect(const Box& r);
    SymbolSketch& Ellipse(const Box& r);
    SymbolSketch& Polyline(const std::vector<Pt>& pts);
    SymbolSketch& Line(Pt a, Pt b);
    SymbolSketch& Arc(const Box& r, Pt start, Pt end);
    // A closed shape: filled, outlined (the closing point repeated) and, when
    // no hot zone is given, its own hot zone.
    SymbolSketch& Shape(std::vector<Pt> pts);
    // Points already in symbol units (the special shapes' rounded frames).
    SymbolSketch& ShapeInSymbolUnits(std::vector<CFltPoint> pts);

    // A text box with its compartment: the box is the compartment inset by
    // `inset` units on every side. Special shapes keep the compartments as
    // their second text-box table, so that the figure's text margins fit
    // each box into its compartment.
    SymbolSketch& Compartment(const Box& region, double inset = kTextInset);
    // A plain text box (no compartment table).
    SymbolSketch& TextBox(const Box& box);
    SymbolSketch& HotZone(std::vector<Pt> pts);
    SymbolSketch& ConnectionPoint(Pt at, const std::string& name);
    // Points at the middles of the four sides of the figure.
    SymbolSketch& SidePoints();
    SymbolSketch& FixedAspect();
    SymbolSketch& Oversize();
    // Drawn solid: the gallery fills it black.
    SymbolSketch& Solid();
    // Keeps the figure's size in the gallery and on insertion; 0 for a
    // symbol without a default size of its own.
    SymbolSketch& NoOwnSize();

    // The symbol; its special kind follows from its name. False when the
    // program did not fit.
    bool Make(CFigSymbol& out) const;

    static constexpr double kTextInset = 5;

    CFltPoint ToSymbol(Pt p) const;
    CFltRect ToSymbol(const Box& b) const;

private:
    struct Op {
        BYTE code;
        std::vector<CFltPoint> pts;   // rectangles as two corners
    };
    SymbolSketch& Add(std::vector<Op>& ops, BYTE code, const Box& r);
    SymbolSketch& Add(std::vector<Op>& ops, BYTE code, const std::vector<Pt>& pts);
    std::string m_strName;
    int m_nWidth;
    int m_nHeight;
    bool m_bOwnSize = true;
    bool m_bFixedAspect = false;
    bool m_bOversize = false;
    bool m_bSolid = false;
    std::vector<Op> m_fill;
    std::vector<Op> m_outline;
    std::vector<CFltRect> m_boxes;
    std::vector<CFltRect> m_frames;
    std::vector<CFltPoint> m_hot;
    std::vector<std::pair<CFltPoint, std::string>> m_conPts;
};

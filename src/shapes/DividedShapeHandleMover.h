#pragma once
// Rewrites a special shape's symbol in place when one of its handles moves:
// the outline, the second (fill) program, the hot zone and the text boxes,
// in symbol space, following the layout of the symbol's kind. Records are
// checked in the order they are rewritten; the first one that does not fit
// the layout ends the rewrite (what was moved before stays moved).
#include "shapes/CFigSymbol.h"

#include <functional>
#include <initializer_list>

class CSpecialHandleMover {
public:
    // dx and dy are in symbol units.
    CSpecialHandleMover(CFigSymbol& symbol, const RECT& rect, bool raw, int handle, float dx, float dy);
    // False when the symbol does not have the layout its kind requires.
    bool Run();

    // One point of a polygon moved by (sx × dx, sy × dy).
    struct PtMove {
        int i;
        float sx;
        float sy;
    };
    // The side moves of one text box (deltas in symbol units).
    struct BoxMove {
        int box;
        float l, t, r, b;
    };

private:
    using PointsFn = std::function<void(CFltPoint* pts, int n)>;
    struct Cursor {
        BYTE* pos = nullptr;
        BYTE* end = nullptr;
    };

    Cursor Program(int32_t pos) const;
    BYTE* Take(Cursor& c, BYTE op) const;
    bool EditPolygon(Cursor& c, BYTE op, int n, const PointsFn& f) const;
    bool EditSecond(int n, const PointsFn& f);
    bool EditHotZone(int n, const PointsFn& f);
    void Move(CFltPoint& p, float dx, float dy) const;
    void Moves(CFltPoint* pts, std::initializer_list<PtMove> moves) const;
    bool LineMove(Cursor& c, float ax, float ay, float bx, float by) const;
    bool Boxes(int count, std::initializer_list<BoxMove> moves);
    float H(int handle, float v) const { return m_handle == handle ? v : 0.0f; }

    bool Rows(int rows, int boxes);
    bool Columns(int cols);
    bool Grid();
    bool PolygonFrame();
    bool Tabbed();
    bool RectFrame();
    bool RoundedWithLines();
    bool Rounded();
    bool Sides(bool arc);
    bool UseCase();
    bool CommentColumns();
    bool FrameThenSecondAndHot(int n, std::initializer_list<PtMove> moves, const std::function<bool()>& between,
                               bool secondFirst, int hotCount, std::initializer_list<PtMove> hotExtra);

    CFigSymbol& m_sym;
    Cursor m_cursor;    // the outline after its frame part
    CRect m_rect;
    bool m_raw;
    int m_handle;
    float m_dx;
    float m_dy;
    int m_kind;
};

// Moves the four sides of the box at cursor 1 (and of its twin at cursor 2
// when given) by the deltas and advances both cursors by one box.
void MoveTextBoxSides(BYTE*& box, CFltRect*& twin, float dl, float dt, float dr, float db, const RECT& rect,
                      bool raw);

#pragma once
// The twelve dash patterns of connector and outline lines, and the walk that
// finds the pattern's boundaries along a polyline (for dashes and for the flow
// stamps placed at a fixed spacing). Lengths are in units of the line width.
#include "platform/CRect.h"

#include <functional>

constexpr int kDashStyles = 12;
constexpr int kMaxDashSegments = 6;
// Style 5 draws no line (its flow stamps are still placed).
constexpr int kDashStyleNoLine = 5;

class CDC;

// One row of the table: segment count and lengths, drawn and skipped in turn.
struct DashRow {
    int count;
    int lengths[kMaxDashSegments];
};
const DashRow& GetDashRow(int style);

// The walking state of one stroke.
struct DashPattern {
    int lengths[kMaxDashSegments] = {};
    int count = 0;
    int index = 0;
    // Distance into the pattern carried from one segment to the next; -1 at
    // the start of a stroke.
    int phase = -1;
    POINT last[2] = {};
    POINT segStart = {};
    POINT segEnd = {};

    void Init();
    // The row's lengths times the width (nothing for a style outside the table).
    void Load(int style, int width);
    // A single segment of the given length: the walk of flow stamps.
    void LoadSpacing(int spacing);
    bool HasLength() const;
};

// Called at every boundary with the point reached and the index of the pattern
// segment that ends there (even: drawn, odd: skipped).
using DashCallback = std::function<void(const POINT& pt, int endingIndex)>;

// Walks one segment from `from` to `to`, carrying the phase to the next call.
// A pattern of no length calls nothing (it would never advance).
void WalkDashes(const POINT& from, const POINT& to, DashPattern& pattern, bool startAtHalf,
                bool drawToEnd, const DashCallback& callback);

// Strokes a polyline through the device context's current pen with the
// pattern of `style` at `width`: the drawn pieces as separate lines. Returns
// whether the walk ended inside a drawn piece.
bool StrokeDashedPolyline(CDC& dc, const POINT* pts, int count, int style, int width);

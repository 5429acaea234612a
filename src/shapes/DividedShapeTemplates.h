#pragma once
// The point templates that special shapes with rounded corners and round or
// arc sides are refitted from, on a 0..1000 grid whose 0 and 1000 are the
// shape's sides.
struct TemplatePt {
    int x;
    int y;
};

// Four corner arcs of 17 points and the closing point; corner radius 191.
extern const TemplatePt RoundedRectTemplate69[69];
// Corner radius 168.
extern const TemplatePt RoundedRectTemplate21[21];
// The circle of radius 500 about (500, 500) from (500, 0). Only points 2 to 33
// (the left half, top to bottom) are used by the round-side refit.
extern const TemplatePt CircleTemplate69[69];

#pragma once
// Shrinking a supersampled picture by a whole factor with high-quality
// bicubic filtering (the cubic kernel widened by the factor, edges repeated),
// a band of output rows at a time: the rows of a band depend only on the
// source rows the kernel reaches, so bands drawn apart shrink to exactly the
// rows the whole picture shrinks to.
#include <QImage>

#include <cstdint>
#include <vector>

struct ShrinkKernel {
    int factor = 1;
    int first = 0;                 // output pixel i reads source pixels factor * i + first ...
    std::vector<int16_t> weights;  // ... one per weight, summing to 1 << 14
    int Taps() const { return int(weights.size()); }
    // The source rows (or columns) output rows [from, to) read, clamped to
    // a picture of `extent` source rows.
    int SourceFrom(int from) const;
    int SourceTo(int to, int extent) const;
};

ShrinkKernel MakeShrinkKernel(int factor);

// Output rows [y0, y1) of the picture shrunk by the kernel's factor. src (RGB32,
// factor times the output's width) holds the source rows from srcTop on, at
// least those the band reads; the source picture is srcHeight rows high.
// Null when an image cannot be made.
QImage ShrinkRows(const QImage& src, int srcTop, int srcHeight, int y0, int y1, const ShrinkKernel& kernel);

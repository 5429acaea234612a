#pragma once
// A rich text measured as a stack of lines on a device context: per line its
// width, ascent, height, character count, trailing-blank flag, first advance
// and the gap after it; per character its advance. Breaks come from the hard
// and soft break words already in the markup.
#include "richtext/TextFormatRec.h"
#include "platform/CRect.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDC;
class MarkupScanner;

struct LineSpacing {
    int kind = 0;        // 0 single .. 7 at least
    float value = 0;
    void Init()
    {
        kind = 0;
        value = 0;
    }
};

class CTextBlock {
public:
    struct Line {
        int32_t width = 0;
        int32_t ascent = 0;
        int32_t height = 0;
        int32_t count = 0;
        int32_t endsWithBlank = 0;
        int32_t firstAdvance = 0;
        int32_t gap = 0;
    };

    CTextBlock() = default;
    ~CTextBlock();
    CTextBlock(const CTextBlock&) = delete;
    CTextBlock& operator=(const CTextBlock&) = delete;

    // 1 on success, 0 when an array cannot be had. dc: where to measure (none:
    // the display); measureOnDisplay: measure on the display and scale to dc.
    int Layout(const std::string& text, int rotation, const TextFormatRec& format, CDC* dc, bool measureOnDisplay,
               bool useShared, const LineSpacing& spacing, int wantedHeight);

    CSize GetExtent(bool withTrailingBlanks) const;
    int GetTotalHeight() const;
    int GetLineWidth(int line, bool withTrailingBlank) const;
    int GetLineTop(int n) const;
    int GetBaselineOffset(int n) const;
    const int* GetLineAdvances(int line) const;
    int GetCharOffset(int line, int column) const;
    int GetCharCount() const;
    int GetWidthForHeight(int height) const;
    void SetTotalHeight(int h);
    void ScaleMetrics(const CSize& from, const CSize& to, bool adjustHeight);

    int LineCount() const { return m_nLines; }
    const Line& GetLine(int i) const { return m_lines[size_t(i)]; }
    Line& LineAt(int i) { return m_lines[size_t(i)]; }
    int Rotation() const { return m_nRotation; }
    int Capacity() const { return m_nCapacity; }
    bool IsShared() const { return m_bShared != 0; }
    const int* Advances() const { return m_pAdvances; }

private:
    bool PrepareAdvances(int length, bool useShared);
    void MeasureLines(const std::string& text, MarkupScanner& scanner, const LineSpacing& spacing);
    void ApplySpacing(int line, int leading, const LineSpacing& spacing);
    void DistributeGaps(int amount);
    void FreeAdvances();

    std::vector<Line> m_lines;
    int m_nLines = 0;
    int* m_pAdvances = nullptr;
    int m_nCapacity = 0;
    int m_bShared = 0;
    int m_nRotation = 0;
};

// The program-wide advance array that blocks laid out with the shared flag
// use; it only grows. Capacity in entries.
int SharedAdvanceCapacity();
void ResetSharedAdvances();

// How many visible positions from the start of text fit before their summed
// width passes the limit, measured through soft breaks (which take no width)
// up to the first hard break, in the scanner's base font on its DC (the
// display when it has none). Text fitting moves the count back to a wrap
// point.
int MeasureFirstLines(const std::string& text, MarkupScanner& scanner, int widthLimit);
// The extent of a string in the DC's current font.
CSize GetTextSize(CDC* dc, const std::string& str);
// Line and column of a visible position of the markup.
bool LocateCharPos(const std::string& text, int position, int& line, int& column);

#include "editing/CreateFigRules.h"

#include "document/CFigure.h"

#include <cstdlib>

CreateStyleMode CreateModeForStyle(const std::string& symbolName, int defaultWidth, int defaultHeight)
{
    CreateStyleMode m;
    m.dragToSize = defaultWidth == 0 || defaultHeight == 0;
    if (!symbolName.empty() && symbolName[0] == '[' && (defaultWidth >= 8 || defaultHeight > 8))
        m.sizeFromText = m.dragToSize = true;
    return m;
}

FigFlagSet RubberFigFlags(FigFlagSet flags, bool sizeFromText)
{
    SetExclusiveFlag(flags, sizeFromText ? 1 : 2, 0, true);
    SetExclusiveFlag(flags, sizeFromText ? 32 : 16, 0, true);
    return flags;
}

FigFlagSet RubberFigMadeFlags(FigFlagSet flags, bool hasText)
{
    flags.low &= ~DWORD(128 | 64);
    flags.low |= 0x200000;
    if (!hasText)
        flags.low &= ~DWORD(128 | 256);
    return flags;
}

bool CreatesOnPress(int stockKind)
{
    switch (stockKind) {
    case 11: case 56: case 13: case 41: case 45: case 46: case 24: return true;
    default: return false;
    }
}

int CreateHandleFor(bool trunkDiagrams, bool dragToSize, FigFlagSet styleFlags, int defaultWidth,
                    int defaultHeight)
{
    if (!trunkDiagrams || dragToSize || !(styleFlags.high & 4) || (styleFlags.high & 512))
        return 9;
    return defaultHeight < defaultWidth ? 8 : 6;
}

bool PassedCreateThreshold(const CPoint& pressClient, const CPoint& client, int doubleClickWidth)
{
    const int limit = 2 * doubleClickWidth;
    return std::abs(client.x - pressClient.x) >= limit || std::abs(client.y - pressClient.y) >= limit;
}

bool CreateTooSmall(const CRect& rc, bool sizeFromText, const CSize& textMin)
{
    if (rc.Width() < kMinCreateSide || rc.Height() < kMinCreateSide)
        return true;
    return sizeFromText && (rc.Width() <= textMin.cx || rc.Height() <= textMin.cy);
}

bool DescribeCreateBySize(const CRect& rc, int doubleClickWidth)
{
    return std::abs(rc.Width()) > doubleClickWidth && std::abs(rc.Height()) > doubleClickWidth;
}

bool ApplyDecisionTexts(const std::string& styleName, std::string& text, std::string& secondText,
                        const std::string& decisionText)
{
    if (styleName.compare(0, 8, "Decision") != 0)
        return false;
    if (!IsOnlySeparators(text))
        return false;
    text = decisionText.empty() ? "\\sect y\\sect n" : decisionText;
    secondText.clear();
    return true;
}

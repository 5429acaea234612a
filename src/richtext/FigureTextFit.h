#pragma once
// Fitting figures to their text: measuring a figure's text area by area,
// the size the figure needs, resizing it, and, at document level, keeping its
// connectors and staples in place. Figure fit flags (low word): 0x80 the
// width follows the text, 0x100 the height; 0x8000 compartment text;
// 0x200000 no 8 x 8 minimum; 0x800000 extent from the smallest font size;
// 0x40000000 keep the aspect ratio.
#include "richtext/CTextBlock.h"
#include "platform/CRect.h"

class CFigSymbol;
class CFigure;
class CKavoDoc;

constexpr DWORD kFitWidthFlag = 0x80;
constexpr DWORD kFitHeightFlag = 0x100;
constexpr DWORD kFitCompartmentsFlag = 0x8000;
constexpr DWORD kFitNoMinimumFlag = 0x200000;
constexpr DWORD kFitFromFontSizeFlag = 0x800000;
constexpr DWORD kFitKeepAspectFlag = 0x40000000;

// Margins around the text (left, right, top, bottom); null: none.
using TextMargins = const int*;

// The figure's text format for a section: the figure's font, colour and
// alignment, then the section's format prefix (second text).
TextFormatRec FigureSectionFormat(const CFigure& fig, int section);
// The document's line spacing.
LineSpacing FigureLineSpacing(const CFigure& fig);

// Labels, and figures whose symbol has no text box (their text fills the
// figure), keep their text clear of their frame: by a sixth of the first
// line's height (at least 2 units) on every side. Fitting adds it around the
// text and drawing insets the text by it.
int TextFrameMargin(int firstLineHeight);
bool KeepsTextOffFrame(DWORD lowFlags, const CFigSymbol* symbol);
std::string FigureSectionText(const CFigure& fig, int section);

bool LayoutSectionText(const CFigure& fig, int section, const TextFormatRec* format, CTextBlock& block);
// Height of the section's text wrapped to width; 0 empty, -1 failure.
int MeasureSectionText(const CFigure& fig, int section, int width);
// The narrowest width at which the text is no higher than height; 0 empty,
// -1 when no width fits.
int FitWidthForHeight(const CFigure& fig, int section, int height);
CSize GetSectionTextExtent(const CFigure& fig, int section, int mode, const TextFormatRec* format,
                           TextMargins margins);
bool IsSpecialTextArea(const CFigure& fig, int section);
int GetMinFontSize(const CFigure& fig);
void CalcTextExtent(const CFigure& fig, int& width, int& height, int mode, bool checkSpecial, TextMargins margins);
// The rectangle the figure would get for its text; true when it differs.
bool CalcSizeForText(const CFigure& fig, CRect& out, int mode, TextMargins margins);
bool ResizeToText(CFigure& fig, bool bWiden, TextMargins margins);
// Given the width (height 0) the height the text needs, or the reverse.
void CalcSizeForOneSide(const CFigure& fig, CSize& size);
bool ShrinkTextToFit(CFigure& fig);

bool FitFigToText(CKavoDoc& doc, CFigure* fig, int mode, bool bRedraw, bool bWiden, TextMargins margins);
bool FitFigSections(CKavoDoc& doc, CFigure* fig, int mode, bool bRedraw, TextMargins margins);
bool FitFigSection(CKavoDoc& doc, CFigure* fig, int section, int mode, bool bRedraw, TextMargins margins);

// Sizes a new figure (not yet in the document) to its text in both
// dimensions; whether its rectangle changed. Installed for the document.
bool SizeFigToText(CKavoDoc* doc, CFigure* fig);

#pragma once
// Where a laid-out block and its lines, characters and caret stand in a
// rectangle, and which character a point hits. align: the alignment word
// (horizontal bits 1 right, 2 centre, else left; vertical 0x10 bottom,
// 0x20 centre, else top).
#include "richtext/CTextBlock.h"

CPoint GetBlockOrigin(const CTextBlock& block, const RECT& rect, unsigned align);
CPoint GetLineOrigin(const CTextBlock& block, int line, const CPoint& blockOrigin, unsigned align);
void GetBlockRect(const CTextBlock& block, const RECT& rect, unsigned flags, int rotation, CRect& out);
void GetLineRect(int line, const CTextBlock& block, const RECT& rect, unsigned flags, CRect& out);
void GetCharRect(int line, int column, const CTextBlock& block, const RECT& rect, unsigned flags, CRect& out);
CPoint GetCaretPoint(const CTextBlock& block, const std::string& text, const RECT& rect, unsigned flags,
                     int position, int& height);
int HitTestPoint(const CTextBlock& block, const std::string& text, const RECT& rect, unsigned flags,
                 const POINT& point);
int HitTestLine(const std::string& text, const CTextBlock& block, const RECT& rect, unsigned flags, int x,
                int line);
// The alignment word with the text's own first alignment words in place of
// the format's bits.
unsigned AlignFromText(const std::string& text, unsigned formatAlign);

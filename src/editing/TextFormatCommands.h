#pragma once
// The character-format commands of the property bar (bold, italic,
// underline, font face and size, text colour) and its Drop Shadow toggle,
// when no text is being edited in place (the open editor takes the
// character format itself): in text mode they change the current label
// style, in the creation mode the current figure style, otherwise the
// selected figures, in one undo step.
#include "document/FontChoice.h"

class CKavoDoc;
class CFigure;
struct CFigProps;

constexpr int kCmdBold = 36531, kCmdItalic = 36532, kCmdUnderline = 36533;
constexpr int kCmdDropShadow = 36494;

// The properties whose character format the commands show and toggle: the
// current label style in text mode, the current figure style in the
// creation mode, else the first selected figure that takes a character
// format; null when there is none.
const CFigProps* TextFormatSource(const CKavoDoc& doc);

// The choice on the first target of the three.
void ApplyCharFormat(CKavoDoc& doc, const FontChoice& choice);

// Text alignment: `bits` replace the alignment group `group` (horizontal
// 0x07 or vertical 0x70), the other group kept. In text mode the current
// label style takes it and is no named style any more, in the creation mode
// the current figure style (its style mark cleared), else the selected
// figures in one undo step. False when there was no target (no figure
// selected) or nothing changed.
bool ApplyTextAlignment(CKavoDoc& doc, unsigned bits, unsigned group);

// A change the in-place editor makes to the whole of a figure: the font
// choice and, when `format` is not -1, the text format word, on that one
// figure through the document, in one undo step (UDMAC_FIGPROPS, or
// UDMAC_TEXTFMT for the format alone). Markup that said otherwise gives way
// for a figure of one text area. False when nothing changed or the log
// refused a record.
bool ApplyFormatToFig(CKavoDoc& doc, CFigure& fig, const FontChoice& choice, int format);

// Bold, italic or underline: on unless the source has it already (without
// a source, on). False for another command.
bool ToggleCharAttr(CKavoDoc& doc, int command);

// Whether the drop shadow shows as on: the current figure style's in the
// creation mode, else the first selected plain figure's.
bool DropShadowOn(const CKavoDoc& doc);
// Drop Shadow: the shadow the other way round from DropShadowOn.
void ToggleDropShadow(CKavoDoc& doc);

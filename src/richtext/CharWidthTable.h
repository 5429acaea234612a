#pragma once
// The program-wide table of the font last realised by a markup scanner: the
// A, B and C widths of the 256 character codes and the font's metrics, in the
// logical units of the device context it was realised in. Valid until the
// next realisation; the line layout reads it.
#include "platform/AbcWidths.h"
#include "platform/GdiTypes.h"

class CDC;

const ABC* MarkupCharWidths();
const TEXTMETRIC& MarkupTextMetrics();
// Makes the table that of the DC's selected font at its mapping, unless it is
// already; widths read once are kept for the last few fonts. Whether the
// table changed.
bool RefreshMarkupCharWidths(CDC* dc);
// How many times widths were read from a device context.
int MarkupCharWidthRefills();
void ResetMarkupCharWidths();

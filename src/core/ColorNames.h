#pragma once
// The colour-name table: 24 colour schemes with two colours each, then the
// 140 named colours of the HTML and CSS keywords and "Transparent". Records
// of 40 bytes: a name of up to 32 characters and two COLORREF values.
#include "platform/Colorref.h"

constexpr int kNamedColorCount = 165;

struct NamedColorRecord {
    char name[32];
    COLORREF first;
    COLORREF second;
};
static_assert(sizeof(NamedColorRecord) == 40);

const NamedColorRecord* GetNamedColorTable();
// Exact, case-sensitive look-up: 1 with both colours set; else 0 with the
// second colour set to 0.
int FindNamedColor(const char* name, COLORREF* first, COLORREF* second);

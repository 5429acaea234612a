#pragma once
// Widths of one character as the font reports them: a (left bearing, may be
// negative), b (black box), c (right bearing, may be negative).
#include "platform/WinTypes.h"

struct ABC {
    int abcA = 0;
    UINT abcB = 0;
    int abcC = 0;
};

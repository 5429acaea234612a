#include "editing/LabelMenu.h"

int FigLblCodeOfCommand(int id)
{
    // "Above Left", "Above", "Above Right", "Right Top", "Right", "Right
    // Bottom", "Below Left", "Below", "Below Right", "Left Top", "Left",
    // "Left Bottom".
    static constexpr int kCodes[12] = {1, 2, 3, 4, 5, 6, 9, 8, 7, 12, 11, 10};
    return id >= 33042 && id <= 33053 ? kCodes[id - 33042] : 0;
}

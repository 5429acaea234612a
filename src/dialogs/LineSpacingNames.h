#pragma once
// The names of the line spacing kinds 0 to 7 in their order, as every list of
// them shows them (Diagram Properties' Text Format page and the new diagram
// wizard): kinds 5 to 7 take a value.
inline constexpr const char* kLineSpacingNames[] = {"Single Spaced", "1.5 Lines",       "Double Spaced",
                                                    "Condensed",     "Ultra Condensed", "% of Line",
                                                    "Fixed Spacing", "Fixed Separation"};

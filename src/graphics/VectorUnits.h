#pragma once
// Whether the processor's vector units may be used where the pixel code has
// a path for them (the default where the processor has them). Every such
// path computes what the plain one does, bit for bit; tests turn the units
// off to check the plain paths against them.
bool UseAvx2();
bool UseSsse3();
void AllowVectorUnits(bool allow);

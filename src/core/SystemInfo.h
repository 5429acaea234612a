#pragma once
// What the program asks of the system it runs on: the version class (one
// answer on Linux: a current system with the newer shell), its own version
// text, and narrow-to-wide copies of text.
#include <cstddef>
#include <string>
#include <string_view>

// 16, 32 or 64 on the systems the program knew; any current system is 64.
int GetWinVersionClass();
bool IsWin2000OrLater();
// The version class masked with 0x58: non-zero for the classes 8, 16 and 64.
int OSHasNewShellBits();
// True for the classes 8, 16 and 64; decides the style-bar buttons' bevel.
bool OSIsNewShell();

// Copies Windows-1252 text into a 16-bit buffer of `size` units, one unit per
// byte, zero-terminated and cut to fit. Each byte becomes its Unicode character
// (so 0x80 is the euro sign, never a negative unit). Returns the units written
// before the terminator.
size_t CStringToWide(std::string_view text, char16_t* buffer, size_t size);

// The program's version text ("1, 0, 0, 0"), fixed when the program is built.
bool GetProgramFileVersion(std::string& text);

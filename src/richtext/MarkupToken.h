#pragma once
// The tokens of the rich-text markup: plain characters, the escapes "\\",
// "\{" and "\}", control words with an optional numeric parameter and one
// delimiting space, and the group braces that hold the colour and font tables.
// Texts are Windows-1252 bytes; a NUL ends a text.
#include <string>
#include <string_view>

namespace Mk {
// Token kinds as the markup operations exchange them.
enum MarkupTokenKind : int {
    End = 0,
    Unrecognised = 1,
    Char = 2,
    Line = 3,
    SoftLine = 4,
    Bold = 5,
    Italic = 6,
    Underline = 7,
    Font = 8,
    FontSize = 9,
    Sect = 10,
    ColorIndex = 11,
    Red = 12,
    Green = 13,
    Blue = 14,
    ColorTable = 15,
    FontTable = 16,
    GroupOpen = 18,
    GroupClose = 19,
    Sub = 24,
    Super = 25,
    NoSuperSub = 26,
    AlignLeft = 27,
    AlignRight = 28,
    AlignCenter = 29,
    VAlignTop = 30,
    VAlignBottom = 31,
    VAlignCenter = 32,
    // Only in removal requests: a Font word with the inline face up to ";".
    FontWithName = 33,
};

inline bool IsVisible(int kind) { return kind == Char || kind == Line || kind == SoftLine; }
inline bool IsHorizontalAlign(int kind) { return kind >= AlignLeft && kind <= AlignCenter; }
inline bool IsVerticalAlign(int kind) { return kind >= VAlignTop && kind <= VAlignCenter; }
} // namespace Mk

// Text length limits of the markup operations.
constexpr int kMarkupTextLimit = 4095;
constexpr int kMarkupPrefixLimit = 1024;

// Reads the token at the start of text. ch: the character (Char, GroupOpen,
// GroupClose) or the one after the backslash; param: the parameter (0 when
// absent; a run of digits and "-" read as atoi does, saturated to the int
// range); length: the characters the token takes (at least 1). Kind End for a
// null text or at its terminator.
int NextMarkupToken(const char* text, char& ch, int& param, int& length);

// Plain characters as markup: every "\\", "{" and "}" escaped, so that each
// reads back as the one character it was (a face name in a font table, a
// typed brace) and no brace opens or closes a group.
std::string EscapeMarkupChars(std::string_view plain);

#pragma once
// Walks a markup text token by token with a scanner, telling which tokens are
// visible positions of the text state and their indexes. The building block of
// the position, query and editing operations.
#include "richtext/MarkupScanner.h"

#include <string>
#include <vector>

class MarkupWalker {
public:
    // readOnly: the tables are not built (counting and locating only).
    MarkupWalker(const char* text, const TextFormatRec* format, bool readOnly);
    explicit MarkupWalker(const std::string& text, bool readOnly = true)
        : MarkupWalker(text.c_str(), nullptr, readOnly) {}

    // Reads and applies the next token; false at the end of the text.
    bool Step();

    const char* text;
    int kind = 0;
    char ch = 0;
    int param = 0;
    int length = 0;
    int start = 0;       // offset of the current token
    int next = 0;        // offset after it
    bool visible = false;
    int index = -1;      // visible index of the current token when visible
    int count = 0;       // visible tokens read so far
    int preState = kScanText;
    MarkupScanner scanner;
};

// A token read at an offset and applied to a scanner, for walks over a text
// that may change between steps (the caller keeps the offset).
struct ScannedToken {
    int kind = 0;
    char ch = 0;
    int param = 0;
    int length = 0;
    bool inText = false;     // in the text state before and after the token
    bool anyChange = false;
    bool redundant = false;
};
// False at the end of the text.
bool ScanTokenAt(const char* text, int offset, MarkupScanner& scanner, ScannedToken& token);

// One visible position: its kind (Char, Line, SoftLine), character and offset.
struct VisibleToken {
    int kind;
    char ch;
    int offset;
};
std::vector<VisibleToken> VisibleTokens(const std::string& text);

// The text's length up to its terminator (the walkers stop at a NUL).
int MarkupLength(const std::string& text);

#pragma once
// Follows the character format, colour, alignment and the colour and font
// tables along a markup text, token by token. One scanner serves one scan; it
// may be bound to a device context so that its fonts are realised there
// (MarkupScannerDC.cpp).
#include "richtext/MarkupToken.h"
#include "richtext/TextFormatRec.h"
#include "platform/CRect.h"

class CDC;
class CFont;

// One attribute as the scanner follows it: the value at the last commit, the
// value now, and whether a token changed it since.
template <class T>
struct ScanAttr {
    T committed{};
    T current{};
    bool changed = false;
};

constexpr int kMarkupTableMax = 20;
constexpr int kMarkupFaceLen = 32;      // 31 characters and a terminator
constexpr int kMarkupGroupDepth = 5;

// Scanner states.
constexpr int kScanGroupStart = 1;
constexpr int kScanText = 2;
constexpr int kScanColorTable = 3;
constexpr int kScanFontTable = 4;
constexpr int kScanFontEntry = 5;

// flags bit 0: a read-only scan (tables are not built).
constexpr int kScanReadOnly = 1;

class MarkupScanner {
public:
    MarkupScanner();
    ~MarkupScanner();
    MarkupScanner(const MarkupScanner&) = delete;
    MarkupScanner& operator=(const MarkupScanner&) = delete;

    void Init(const TextFormatRec* format);
    // Applies one token; anyChange tells whether any changed flag is set
    // afterwards (text state), redundant that a format token changed nothing.
    void ApplyToken(int kind, char ch, int param, bool& anyChange, bool& redundant);
    void ApplyToken(int kind, char ch, int param);
    void Commit();
    void SwapCommitted();
    bool HasChanges() const;
    bool DiffersFromCommitted() const;
    void CopyCommitted(const MarkupScanner& other);
    bool SameCommitted(const MarkupScanner& other) const;
    // The format-bar setter on the committed values (size in points);
    // subscript and superscript also set the values last given to the DC.
    void SetAttributes(int bold, int italic, int underline, int subscript, int superscript, COLORREF textColor,
                       int size, const char* face, uint32_t alignWord);
    // Writes the changed attributes into lf and clears their flags; whether
    // the font changed.
    bool ApplyToLogFont(LOGFONT& lf);

    // Device-context binding (MarkupScannerDC.cpp).
    void BeginDC(CDC* dc, const LOGFONT& baseLogFont);
    // Realises the font when an attribute changed (or force); whether a font
    // was selected.
    bool UpdateDCFont(bool force);
    void EndDC();
    CDC* BoundDC() const { return dc; }

    bool InText() const { return state == kScanText; }
    bool IsReadOnly() const { return (flags & kScanReadOnly) != 0; }
    void SetReadOnly() { flags |= kScanReadOnly; }

    int32_t colorFixed = 0;
    int flags = 0;
    ScanAttr<int> bold, italic, underline;
    ScanAttr<COLORREF> color;
    struct FaceAttr {
        char committed[kMarkupFaceLen] = {};
        char current[kMarkupFaceLen] = {};
        bool changed = false;
    } face;
    ScanAttr<int> size;           // whole points
    ScanAttr<int> sub, super;
    ScanAttr<uint16_t> align;
    CSize scaleFrom{0, 0};
    CSize scaleTo{0, 0};

    int stack[kMarkupGroupDepth] = {};
    int depth = 0;
    int state = kScanText;

    COLORREF colorTable[kMarkupTableMax] = {};
    int colorCount = 0;
    char fontTable[kMarkupTableMax][kMarkupFaceLen] = {};
    int fontCount = 0;

    char nameBuf[kMarkupFaceLen] = {};
    int nameLen = 0;
    int red = 0, green = 0, blue = 0;

    COLORREF appliedColor = kNoColor;
    int appliedSub = 0, appliedSuper = 0;

    // Device-context binding.
    bool firstFont = false;
    CFont* createdFont = nullptr;
    CFont* oldFont = nullptr;
    LOGFONT baseFont;
    CDC* dc = nullptr;

private:
    void ApplyStateChange(int kind);
    void ApplyTableToken(int kind, char ch, int param);
    bool ApplyFormatToken(int kind, int param);
};

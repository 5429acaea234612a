#pragma once
// The writer primitives of the keyword text format. Each formats one line (or
// a blank line and a block opening) with the current indentation, ends it with
// CR LF and writes it to the sink; each returns non-zero on success and 0 when
// the line could not be written, which fails the save.
#include "keyword/CKeywordParser.h"
#include "keyword/KeywordTable.h"
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class IKeywordSink;

class CKeywordWriter {
public:
    // A line (with its CR LF) of this many characters or more is refused.
    static constexpr size_t kLineLimit = 16385;
    // Texts are cut to this many characters and split into pieces of 65.
    static constexpr size_t kMaxText = 4096;
    static constexpr size_t kTextPiece = 65;
    // Indentation: two spaces a level, at most five levels.
    static constexpr int kMaxIndentLevels = 5;

    explicit CKeywordWriter(IKeywordSink& sink) : m_sink(sink) {}

    int GetDepth() const { return m_nDepth; }
    void SetDepth(int depth) { m_nDepth = depth; }

    // Writes `line` as it stands (it holds its own CR LF).
    BOOL WriteLine(std::string_view line);
    // A string-table text (at most 255 characters), no indentation.
    BOOL WriteResLine(UINT id);
    // Fixed text without indentation (section comments, the header).
    BOOL WriteText(std::string_view text);
    // "KAVO Diagram File" and the Version line.
    BOOL WriteHeader(double version = KW_FILE_VERSION);

    BOOL WriteBool(EKeyword key, bool value);
    BOOL WriteShort(EKeyword key, int value); // low 16 bits, signed
    BOOL WriteInt(EKeyword key, int32_t value);
    BOOL WriteHex16(EKeyword key, uint32_t value);
    BOOL WriteHex32(EKeyword key, uint32_t value);
    BOOL WriteHex64(EKeyword key, uint64_t value);
    BOOL WriteColour(EKeyword key, COLORREF color);
    BOOL WritePoint(EKeyword key, int x, int y);
    BOOL WriteRect(EKeyword key, const RECT& rc);
    BOOL WriteReal(EKeyword key, double value);
    BOOL WriteCoord(EKeyword key, const CKwCoord& value);
    // Indentation, the key, a blank and the value text as formatted by the
    // caller (the part lines of symbols, which hold several coordinates).
    BOOL WriteKeyValue(EKeyword key, std::string_view value);
    // Null writes an empty text.
    BOOL WriteString(EKeyword key, const char* text);
    BOOL WriteString(EKeyword key, const std::string& text) { return WriteString(key, text.c_str()); }

    BOOL OpenIdBlock(EKeyword key, LONG number);
    BOOL OpenIdBlock2(EKeyword key, LONG number, LONG number2);
    BOOL OpenNamedBlock(EKeyword key, const char* name, bool flag);
    BOOL CloseBlock();

    // Symbol part points: count, then eight points a physical line.
    BOOL WritePointList(EKeyword key, const CKwCoordPoint* pts, int count);
    // Member ids joined by ", ", fifteen a line.
    BOOL WriteIdRows(const int* ids, int count);
    // "Row " and the names, `columns` names a line.
    BOOL WriteNameRows(const std::string* names, int count, int columns);

    // A binary data block: opening line with the size (and second number),
    // 32 bytes a line in upper-case hex, closing line. Nothing for empty data.
    BOOL WriteRawData(EKeyword key, const BYTE* data, size_t size, std::optional<LONG> second = std::nullopt);
    // Packs the block with `packing` 1 or 2 first. With `labelKey` the packing
    // actually used is written as that key right before the block, so that a
    // failed packing is labelled 0; without a label a failed packing fails.
    BOOL WritePackedData(EKeyword key, HGLOBAL block, std::optional<LONG> second, int packing,
                         EKeyword labelKey = KW_Count);

    // Value forms, shared with tests and other writers.
    static void AppendReal(std::string& out, double value);
    static void AppendCoord(std::string& out, const CKwCoord& value);
    static void AppendDelimited(std::string& out, const char* text);

private:
    void BeginLine(EKeyword key);
    void AppendIndent(std::string& out) const;
    BOOL EndLine();
    BOOL EndBlockOpening();
    BOOL OpenNumberedBlock(EKeyword key, LONG number, std::optional<LONG> number2);

    IKeywordSink& m_sink;
    int m_nDepth = 0;
    std::string m_line; // the line buffer, reused
};

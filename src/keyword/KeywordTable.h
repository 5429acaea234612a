#pragma once
// The keys and block names of the keyword text format, defined once: the writer
// and every loader name a key by its KW_ value and get its text from here, so a
// key can never be spelt one way on writing and another on reading.
#include <cstdint>
#include <string_view>

enum EKeyword : uint16_t {
#define KW(name) KW_##name,
#include "keyword/KeywordList.inc"
#undef KW
    KW_Count
};

// The key's text as it stands in files ("FigureStyle").
const char* KeywordName(EKeyword kw);
// The same as a view (empty for no key).
extern const std::string_view kKeywordTexts[KW_Count + 1];
inline std::string_view KeywordText(EKeyword kw)
{
    return kKeywordTexts[kw < KW_Count ? kw : KW_Count];
}
// The key whose text is exactly `word`, or KW_Count when none is.
EKeyword LookupKeyword(std::string_view word);

// Fixed texts of the format that are not keys.
inline constexpr const char* KW_TEXT_HEADER = "KAVO Diagram File\r\nVersion %1.2f\r\n";
inline constexpr const char* KW_TEXT_MAGIC = "KAVO";
inline constexpr const char* KW_TEXT_OLD_MAGIC = "KAVO  Copyright";
// Section comments of a diagram file, in the order the save writes them.
inline constexpr const char* KW_TEXT_SECTION_GLOBALS = "\r\n## Globals Section:\r\n\r\n";
inline constexpr const char* KW_TEXT_SECTION_GRAPHICS = "\r\n## Graphics Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_FIGURE_SYMBOLS = "\r\n## Figure Symbols Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_END_SYMBOLS = "\r\n## End Symbols Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_FIGURE_STYLES = "\r\n## Figure Styles Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_CONNECTOR_STYLES = "\r\n## Connector Styles Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_OBJECTS = "\r\n## Figures & Connectors Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_STAPLES = "\r\n## Staples Section:\r\n";
inline constexpr const char* KW_TEXT_SECTION_GROUPS = "\r\n## Groups Section:\r\n";
// The version this program writes and the newest it reads without asking.
inline constexpr double KW_FILE_VERSION = 5.08;
// Files below this version have 16 bytes on a binary data line, newer ones 32.
inline constexpr double KW_VERSION_WIDE_DATA = 3.01;

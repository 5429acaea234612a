#pragma once
// The part list that may come with a picture dragged or pasted from another
// program: a text of lines of "key~value" fields separated by '|'. One line
// of type 1 names the picture; lines of type 0 give its overall bounds and
// its named parts, each a rectangle with an anchor point. The view turns the
// anchors into connection points of the new picture figure.
#include "platform/CRect.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class CPartListRecord {
public:
    static constexpr int kMaxParts = 512;
    static constexpr int kMaxFields = 50;
    // The longest line a caller hands over; a longer one makes the whole text
    // unreadable (ParseText).
    static constexpr size_t kMaxLineLength = 16382;

    std::string m_strDescription;
    int m_bDescriptionFound = 0;
    int m_bBoundsFound = 0;
    int m_nLeft = 0, m_nTop = 0, m_nRight = 0, m_nBottom = 0;
    int m_nParts = 0;
    // Parts in the order read: part n (counted from 1) is entry n - 1.
    std::array<CPoint, kMaxParts> m_parts{};
    std::array<std::string, kMaxParts> m_partNames;

    void Clear() { *this = CPartListRecord(); }
    // Reads one line; lines that do not start with "0|" or "1|" are ignored.
    void ParseLine(std::string_view line);
    // Splits a text at any mix of CR, LF and NUL and parses each line. False
    // (nothing kept from the text) when a line is longer than kMaxLineLength.
    bool ParseText(std::string_view text);

    CRect Bounds() const { return {m_nLeft, m_nTop, m_nRight, m_nBottom}; }
    const CPoint& PartAnchor(int n) const { return m_parts[size_t(n - 1)]; }
    const std::string& PartName(int n) const { return m_partNames[size_t(n - 1)]; }

private:
    void ParsePart(std::string_view fields);
    void ParseBounds(std::string_view fields);
};

// The value of the first field of `fields` (the part of a line after its
// type) whose key is `key`, compared case-sensitively; nullopt when none.
// Reading stops at the 50th field or at the first field without '~'.
std::optional<std::string_view> ParseKeyValueRecord(std::string_view fields, std::string_view key);

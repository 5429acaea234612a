#include "fileformat/CPartListRecord.h"

#include "platform/NumText.h"

#include <cstdint>

namespace {
// A value that is not a decimal number counts as missing: a part with an
// unreadable coordinate is left out rather than placed at 0.
std::optional<int> IntValue(std::string_view fields, std::string_view key)
{
    const auto value = ParseKeyValueRecord(fields, key);
    return value ? ScanInt(*value) : std::nullopt;
}

bool FlagSet(std::string_view fields, std::string_view key)
{
    const auto value = ParseKeyValueRecord(fields, key);
    return value && (value->empty() || value->front() != '0');
}

struct Coords {
    int left, top, right, bottom;
};

std::optional<Coords> RectValue(std::string_view fields)
{
    const auto l = IntValue(fields, "left"), t = IntValue(fields, "top");
    const auto r = IntValue(fields, "right"), b = IntValue(fields, "bottom");
    if (!l || !t || !r || !b)
        return std::nullopt;
    return Coords{*l, *t, *r, *b};
}

// Midpoints in 64 bits: the coordinates may be anything an int holds.
int Mid(int a, int b) { return int((int64_t(a) + b) / 2); }

// The keypad names of the nine anchor places, in the order they are tried:
// centre first, then top-left to bottom-right.
CPoint Anchor(const Coords& c, std::string_view fields)
{
    const int xs[3] = {c.left, Mid(c.left, c.right), c.right};
    const int ys[3] = {c.top, Mid(c.top, c.bottom), c.bottom};
    for (int key : {5, 1, 2, 3, 4, 6, 7, 8, 9}) {
        const char name[3] = {'p', char('0' + key), 0};
        if (FlagSet(fields, name))
            return {xs[(key - 1) % 3], ys[(key - 1) / 3]};
    }
    return {xs[1], ys[1]};
}
} // namespace

std::optional<std::string_view> ParseKeyValueRecord(std::string_view fields, std::string_view key)
{
    size_t pos = 0;
    for (int n = 0; n < CPartListRecord::kMaxFields && pos <= fields.size(); ++n) {
        size_t end = fields.find('|', pos);
        if (end == std::string_view::npos)
            end = fields.size();
        const std::string_view field = fields.substr(pos, end - pos);
        const size_t tilde = field.find('~');
        if (tilde == std::string_view::npos)
            return std::nullopt;
        if (field.substr(0, tilde) == key)
            return field.substr(tilde + 1);
        pos = end + 1;
    }
    return std::nullopt;
}

void CPartListRecord::ParseLine(std::string_view line)
{
    if (line.size() < 2 || (line[0] != '0' && line[0] != '1') || line[1] != '|')
        return;
    const std::string_view fields = line.substr(2);
    if (line[0] == '1') {
        const auto description = ParseKeyValueRecord(fields, "Description");
        m_bDescriptionFound = description ? 1 : 0;
        m_strDescription = description ? std::string(*description) : std::string();
        return;
    }
    const auto category = ParseKeyValueRecord(fields, "Catagory");
    if (!category) {
        ParseBounds(fields);
        return;
    }
    const auto kind = ScanInt(*category);
    if (kind == 1)
        ParsePart(fields);
    else if (kind == 0)
        ParseBounds(fields);
}

void CPartListRecord::ParsePart(std::string_view fields)
{
    if (m_nParts >= kMaxParts)
        return;
    const auto rect = RectValue(fields);
    if (!rect)
        return;
    m_parts[size_t(m_nParts)] = Anchor(*rect, fields);
    const auto name = ParseKeyValueRecord(fields, "PartName");
    m_partNames[size_t(m_nParts)] = name ? std::string(*name) : std::string();
    ++m_nParts;
}

void CPartListRecord::ParseBounds(std::string_view fields)
{
    if (m_bBoundsFound)
        return;
    const auto rect = RectValue(fields);
    if (!rect)
        return;
    m_nLeft = rect->left;
    m_nTop = rect->top;
    m_nRight = rect->right;
    m_nBottom = rect->bottom;
    m_bBoundsFound = 1;
}

bool CPartListRecord::ParseText(std::string_view text)
{
    auto isBreak = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };
    // Checked first, so that a refused text leaves the record as it was.
    for (size_t pos = 0, length = 0; pos < text.size(); ++pos) {
        length = isBreak(text[pos]) ? 0 : length + 1;
        if (length > kMaxLineLength)
            return false;
    }
    size_t start = 0;
    for (size_t pos = 0; pos <= text.size(); ++pos) {
        if (pos < text.size() && !isBreak(text[pos]))
            continue;
        if (pos > start)
            ParseLine(text.substr(start, pos - start));
        start = pos + 1;
    }
    return true;
}

// The texts of a figure: two strings split into areas by "\sect ".
#include "document/CFigure.h"

#include "core/TextStrings.h"
#include "shapes/CFigSymbol.h"

namespace {
constexpr size_t kSepLen = 6;

std::vector<std::string> SplitSections(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = FindSectionBreak(text, start);
        if (at == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + kSepLen;
    }
}

std::string Cut(const std::string& s, size_t limit)
{
    return s.size() > limit ? s.substr(0, limit) : s;
}
} // namespace

std::string GetTextSection(const std::string& text, int area)
{
    if (area < 0)
        return text;
    const std::vector<std::string> parts = SplitSections(text);
    return size_t(area) < parts.size() ? parts[size_t(area)] : std::string();
}

std::string ReplaceTextSection(const std::string& text, int area, const std::string& section)
{
    if (area < 0)
        return section;
    std::vector<std::string> parts = text.empty() ? std::vector<std::string>{""} : SplitSections(text);
    while (parts.size() <= size_t(area))
        parts.emplace_back();
    parts[size_t(area)] = section;
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += CFigure::kSectionSeparator;
        out += parts[i];
    }
    return out;
}

bool IsOnlySeparators(const std::string& text)
{
    for (size_t i = 0; i < text.size(); i += kSepLen)
        if (text.compare(i, kSepLen, CFigure::kSectionSeparator) != 0)
            return false;
    return true;
}

void CFigure::SetText(const std::string& text, const std::string& secondText, int area)
{
    if (area < 0) {
        m_strText = Cut(text, kMaxText);
        m_strSecondText = Cut(secondText, kMaxSecondText);
        return;
    }
    if (area >= kMaxTextAreas)
        return;
    const std::string first = ReplaceTextSection(m_strText, area, text);
    if (first.size() > kMaxText)
        return;
    m_strText = first;
    if (GetTextAreaCount() >= 2) {
        const std::string second = ReplaceTextSection(m_strSecondText, area, secondText);
        if (second.size() <= kMaxSecondText)
            m_strSecondText = second;
    }
    // Clearing the only filled section leaves no bare separators behind.
    if (text.empty() && IsOnlySeparators(m_strText))
        m_strText.clear();
}

void CFigure::GetText(std::string& text, std::string& secondText, int area) const
{
    text.clear();
    secondText.clear();
    if (m_strText.empty() && m_strSecondText.empty())
        return;
    text = GetTextSection(m_strText, area);
    secondText = GetTextSection(m_strSecondText, area);
}

void CFigure::GetPlainText(std::string& out, int area) const
{
    out = GetTextSection(m_strText, area);
}

bool CFigure::HasText() const
{
    return !m_strText.empty() && !IsOnlySeparators(m_strText);
}

int CFigure::GetTextAreaCount() const
{
    if (HasPicture())
        return 0;
    const CFigSymbol* symbol = GetSymbol();
    return symbol ? symbol->m_nTextBoxes : 0;
}

#include "platform/NumText.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <locale.h>

namespace {
locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
    return loc;
}

// Switches this thread to the "C" locale for one formatting call.
class CLocaleScope {
public:
    CLocaleScope() : m_old(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(m_old); }

private:
    locale_t m_old;
};

size_t SkipBlanks(std::string_view t, size_t i)
{
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i])))
        ++i;
    return i;
}

size_t SkipDigits(std::string_view t, size_t i)
{
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        ++i;
    return i;
}
} // namespace

int SafeVsnprintf(char* buffer, size_t size, const char* format, va_list args)
{
    CLocaleScope scope;
    return std::vsnprintf(buffer, size, format, args);
}

int SafeSnprintf(char* buffer, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = SafeVsnprintf(buffer, size, format, args);
    va_end(args);
    return n;
}

std::string StrVPrintf(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = SafeVsnprintf(small, sizeof small, format, args);
    if (n < 0) {
        va_end(copy);
        return {};
    }
    if (size_t(n) < sizeof small) {
        va_end(copy);
        return std::string(small, size_t(n));
    }
    std::string out(size_t(n) + 1, '\0');
    SafeVsnprintf(out.data(), out.size(), format, copy);
    va_end(copy);
    out.resize(size_t(n));
    return out;
}

std::string StrPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string s = StrVPrintf(format, args);
    va_end(args);
    return s;
}

std::string FormatFixed(double value, int decimals)
{
    return StrPrintf("%.*f", decimals, value);
}

std::optional<double> ScanDouble(std::string_view text, size_t* used)
{
    size_t start = SkipBlanks(text, 0);
    size_t i = start;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    size_t mantissa = i;
    size_t intEnd = SkipDigits(text, i);
    size_t end = intEnd;
    if (end < text.size() && text[end] == '.')
        end = SkipDigits(text, end + 1);
    if (end - mantissa == 0 || (end - mantissa == 1 && text[mantissa] == '.'))
        return std::nullopt;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        size_t expEnd = SkipDigits(text, e);
        if (expEnd > e)
            end = expEnd;
    }
    double value = 0;
    auto res = std::from_chars(text.data() + mantissa, text.data() + end, value);
    if (res.ec == std::errc::invalid_argument)
        return std::nullopt;
    // Out of range (overflow or underflow): answer as strtod does.
    if (res.ec == std::errc::result_out_of_range)
        value = strtod_l(std::string(text.substr(mantissa, end - mantissa)).c_str(), nullptr,
                         CLocale());
    if (used)
        *used = end;
    return negative ? -value : value;
}

std::optional<int> ScanInt(std::string_view text, size_t* used)
{
    size_t i = SkipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    size_t end = SkipDigits(text, i);
    if (end == i)
        return std::nullopt;
    long long v = 0;
    for (size_t k = i; k < end; ++k) {
        v = v * 10 + (text[k] - '0');
        if (v > 1LL + INT_MAX)
            v = 1LL + INT_MAX;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    if (used)
        *used = end;
    return int(v);
}

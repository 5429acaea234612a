// Drives the path, name-suffix and number-field helpers with arbitrary text.
// Input: a base path, a newline, a second path (also read as a field and a
// name); every helper must stay in bounds and keep its stated invariants.
#include "core/FieldText.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/TextMeasure.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\n');
    std::string base = input.substr(0, split);
    std::string other = split == std::string::npos ? std::string() : input.substr(split + 1);

    std::string out;
    ResolveRelativePath(base, other, out);
    if (MakeRelativePath(base, other, out) && IsAbsolutePath(out))
        std::abort(); // a relative form is never absolute
    GetPathExt(other);
    std::string changed = other;
    ChangePathExt(changed, "kvd");

    std::string name = other;
    int n = GetColonSuffixNumber(name);
    if (n < 0)
        std::abort();
    SetColonSuffixNumber(name, n + 1 > 0 ? n + 1 : 1);
    SetColonSuffixNumber(name, 0);
    if (HasColonNumberSuffix(name) && GetColonSuffixNumber(name) != 0)
        std::abort(); // suffix removed
    BreakIntoLines(name, int(size % 7));

    double v = 0;
    if (ParseFieldNumber(other, v) && !std::isfinite(v))
        std::abort();
    int units = 0;
    if (ReadLengthText(other, units, 8, 2560, 3, 0) && (units < 8 || units > 2560))
        std::abort();
    int code = 0;
    ReadSizeCodeText(other, code, 0, 1e9, 2, 0);

    std::string fitted = other;
    FitTextToWidth(fitted, int(size % 97), [](std::string_view s) { return int(s.size()) * 3; });
    return 0;
}

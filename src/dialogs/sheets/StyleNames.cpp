#include "dialogs/sheets/StyleNames.h"

#include "richtext/TextUtils.h"

#include <cctype>

std::string CutStyleName(const std::string& name)
{
    if (name.size() <= kMaxStyleName)
        return name;
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    size_t tail = name.size() - digits;
    if (tail > 0 && digits > 0 && name[digits - 1] == ' ')
        ++tail;
    if (tail >= kMaxStyleName)
        return name.substr(name.size() - kMaxStyleName);
    // A cut that ends on a space would leave two before the number.
    std::string head = name.substr(0, kMaxStyleName - tail);
    while (!head.empty() && head.back() == ' ')
        head.pop_back();
    return head + name.substr(name.size() - tail);
}

std::string ProposeUniqueStyleName(const std::string& name, const std::function<bool(const std::string&)>& exists)
{
    std::string out = CutStyleName(name);
    // Every turn gives a new number, so the loop ends well before the
    // library runs out of names; the bound only guards a broken `exists`.
    for (int turn = 0; turn < 100000 && exists(out); ++turn) {
        IncrementTrailingNumber(out, ' ');
        out = CutStyleName(out);
    }
    return out;
}

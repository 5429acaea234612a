#include "frame/CustomizeCatalogue.h"

#include "frame/ToolBarButtons.h"

#include <algorithm>
#include <cstring>

namespace {
// The commands in the Commands page's order; each lists under the short
// name of its prompt in the string table.
constexpr CommandCatalogueEntry kCatalogue[] = {
    {CAT_FILE, 57600}, {CAT_FILE, 57601}, {CAT_FILE, 57603}, {CAT_FILE, 36559}, {CAT_FILE, 36538},
    {CAT_FILE, 36560}, {CAT_FILE, 57609}, {CAT_FILE, 57607}, {CAT_FILE, 57648}, {CAT_FILE, 57666},

    {CAT_EDIT, 57643}, {CAT_EDIT, 32768}, {CAT_EDIT, 57635}, {CAT_EDIT, 57634}, {CAT_EDIT, 57637},
    {CAT_EDIT, 57632}, {CAT_EDIT, 33039}, {CAT_EDIT, 32787}, {CAT_EDIT, 33035}, {CAT_EDIT, 32818},
    {CAT_EDIT, 32819}, {CAT_EDIT, 32820}, {CAT_EDIT, 32821}, {CAT_EDIT, 33027}, {CAT_EDIT, 33028},
    {CAT_EDIT, 32780}, {CAT_EDIT, 32778}, {CAT_EDIT, 33029}, {CAT_EDIT, 33034},

    {CAT_TEXT, 36567}, {CAT_TEXT, 32775}, {CAT_TEXT, 32776}, {CAT_TEXT, 36499}, {CAT_TEXT, 36531},
    {CAT_TEXT, 36532}, {CAT_TEXT, 36533}, {CAT_TEXT, 36557}, {CAT_TEXT, 36556}, {CAT_TEXT, 36562},
    {CAT_TEXT, 36563}, {CAT_TEXT, 36505}, {CAT_TEXT, 36506}, {CAT_TEXT, 36507}, {CAT_TEXT, 36508},
    {CAT_TEXT, 36509}, {CAT_TEXT, 36510}, {CAT_TEXT, 36564}, {CAT_TEXT, 36534}, {CAT_TEXT, 36535},
    {CAT_TEXT, 36536}, {CAT_TEXT, 32795}, {CAT_TEXT, 32796}, {CAT_TEXT, 33123},

    {CAT_LINES, 36566}, {CAT_LINES, 36496}, {CAT_LINES, 36492}, {CAT_LINES, 36491}, {CAT_LINES, 36493},
    {CAT_LINES, 32807}, {CAT_LINES, 32808}, {CAT_LINES, 32810}, {CAT_LINES, 33064},

    {CAT_FIGURES, 36565}, {CAT_FIGURES, 36497}, {CAT_FIGURES, 36498}, {CAT_FIGURES, 36494}, {CAT_FIGURES, 40006},
    {CAT_FIGURES, 40009}, {CAT_FIGURES, 32791}, {CAT_FIGURES, 32785}, {CAT_FIGURES, 33190}, {CAT_FIGURES, 33191},
    {CAT_FIGURES, 33192}, {CAT_FIGURES, 33193}, {CAT_FIGURES, 33194}, {CAT_FIGURES, 33195},

    {CAT_HYPER, 32771}, {CAT_HYPER, 32770}, {CAT_HYPER, 32769}, {CAT_HYPER, 32773},

    {CAT_VIEW, 32779}, {CAT_VIEW, 36502}, {CAT_VIEW, 36517}, {CAT_VIEW, 36518}, {CAT_VIEW, 36521},
    {CAT_VIEW, 36520}, {CAT_VIEW, 36523}, {CAT_VIEW, 36524},

    {CAT_GENERAL, 36500}, {CAT_GENERAL, 36503}, {CAT_GENERAL, 36501}, {CAT_GENERAL, 36504}, {CAT_GENERAL, 36561},
    {CAT_GENERAL, 33072}, {CAT_GENERAL, 33073}, {CAT_GENERAL, 33083},
};
static_assert(std::size(kCatalogue) == 96);

constexpr const char* kCategoryNames[] = {"File", "Edit", "Text and Labels", "Lines and Connectors",
                                          "Figures", "Hyper", "View", "General"};
} // namespace

std::span<const CommandCatalogueEntry> CommandCatalogue() { return kCatalogue; }

const char* CommandCategoryName(int category)
{
    return category >= CAT_FILE && category <= CAT_GENERAL ? kCategoryNames[category - CAT_FILE] : "";
}

std::vector<int> CollectCommandCategories(int limit)
{
    std::vector<int> categories;
    for (const CommandCatalogueEntry& e : kCatalogue) {
        if (int(categories.size()) >= limit)
            break;
        if (e.category != 0 && std::find(categories.begin(), categories.end(), e.category) == categories.end())
            categories.push_back(e.category);
    }
    return categories;
}

std::string CommandItemText(const char* prompt)
{
    if (!prompt)
        return {};
    const char* newline = std::strchr(prompt, '\n');
    std::string text = newline ? newline + 1 : prompt;
    text = text.substr(0, text.find('('));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

int CommandImageIndex(unsigned command)
{
    const auto table = ToolBarImageTable();
    const auto found = std::find(table.begin(), table.end(), int(command));
    return found == table.end() ? 0 : int(found - table.begin());
}

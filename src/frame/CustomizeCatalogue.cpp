#include "frame/CustomizeCatalogue.h"

#include "frame/ToolBarButtons.h"

#include <algorithm>
#include <cstring>

namespace {
// The prompts carry the key hint the menus show; the list cuts it off.
constexpr CommandCatalogueEntry kCatalogue[] = {
    {CAT_FILE, 57600, "\nNew Diagram"}, {CAT_FILE, 57601, "\nOpen Diagram"},
    {CAT_FILE, 57603, "\nSave Diagram"}, {CAT_FILE, 36559, "\nSave HTML"}, {CAT_FILE, 36538, "\nSave All"},
    {CAT_FILE, 36560, "\nPage Setup"}, {CAT_FILE, 57609, "\nPrint Preview"}, {CAT_FILE, 57607, "\nPrint"},
    {CAT_FILE, 57648, "\nNew Window"}, {CAT_FILE, 57666, "\nHelp"},

    {CAT_EDIT, 57643, "\nUndo"}, {CAT_EDIT, 32768, "\nDuplicate"}, {CAT_EDIT, 57635, "\nCut"},
    {CAT_EDIT, 57634, "\nCopy"}, {CAT_EDIT, 57637, "\nPaste"}, {CAT_EDIT, 57632, "\nDelete"},
    {CAT_EDIT, 33039, "\nDelete Junctions"}, {CAT_EDIT, 32787, "\nEdit Text"}, {CAT_EDIT, 33035, "\nFind"},
    {CAT_EDIT, 32818, "\nGroup"}, {CAT_EDIT, 32819, "\nUngroup"}, {CAT_EDIT, 32820, "\nUngroup All"},
    {CAT_EDIT, 32821, "\nRegroup"}, {CAT_EDIT, 33027, "\nFront"}, {CAT_EDIT, 33028, "\nBack"},
    {CAT_EDIT, 32780, "\nFront One"}, {CAT_EDIT, 32778, "\nBack One"}, {CAT_EDIT, 33029, "\nSelect All"},
    {CAT_EDIT, 33034, "\nDeselect All"},

    {CAT_TEXT, 36567, "Selects a label style to create\nLabel Styles"}, {CAT_TEXT, 32775, "\nFont Family"},
    {CAT_TEXT, 32776, "\nFont Size"}, {CAT_TEXT, 36499, "\nText Color"}, {CAT_TEXT, 36531, "\nBold"},
    {CAT_TEXT, 36532, "\nItalic"}, {CAT_TEXT, 36533, "\nUnderline"}, {CAT_TEXT, 36557, "\nSuperscript"},
    {CAT_TEXT, 36556, "\nSubscript"}, {CAT_TEXT, 36562, "\nHorizontal Text Alignment"},
    {CAT_TEXT, 36563, "\nVertical Text Alignment"}, {CAT_TEXT, 36505, "\nLeft Align"},
    {CAT_TEXT, 36506, "\nCenter Align"}, {CAT_TEXT, 36507, "\nRight Align"}, {CAT_TEXT, 36508, "\nTop Align"},
    {CAT_TEXT, 36509, "\nMiddle Align"}, {CAT_TEXT, 36510, "\nBottom Align"}, {CAT_TEXT, 36564, "\nRotate Text"},
    {CAT_TEXT, 36534, "\nUnrotate Text"}, {CAT_TEXT, 36535, "\nRotate Text Bottom-to-top"},
    {CAT_TEXT, 36536, "\nRotate Text Top-to-bottom"}, {CAT_TEXT, 32795, "\nLeft Guillemet"},
    {CAT_TEXT, 32796, "\nRight Guillemet"}, {CAT_TEXT, 33123, "\nDetach Label"},

    {CAT_LINES, 36566, "Selects a connector style to create\nConnector Styles"},
    {CAT_LINES, 36496, "\nConnector Color"}, {CAT_LINES, 36492, "\nLine Width"},
    {CAT_LINES, 36491, "\nLine Pattern"}, {CAT_LINES, 36493, "\nChange Curvature"},
    {CAT_LINES, 32807, "\nAttach Mode: Freeform/None"}, {CAT_LINES, 32808, "\nAttach Mode: At Center"},
    {CAT_LINES, 32810, "\nAttach Mode: At Click"}, {CAT_LINES, 33064, "\nFlip Connector"},

    {CAT_FIGURES, 36565, "Selects a figure style to create\nFigure Styles"},
    {CAT_FIGURES, 36497, "\nFill Color"}, {CAT_FIGURES, 36498, "\nBorder Color"},
    {CAT_FIGURES, 36494, "\nDrop Shadow"}, {CAT_FIGURES, 40006, "\nSame Size"},
    {CAT_FIGURES, 40009, "\nSize to Text"}, {CAT_FIGURES, 32791, "\nInsert Symbol"},
    {CAT_FIGURES, 32785, "\nInsert Graphic"}, {CAT_FIGURES, 33190, "\nAlign Left"},
    {CAT_FIGURES, 33191, "\nAlign Center"}, {CAT_FIGURES, 33192, "\nAlign Right"},
    {CAT_FIGURES, 33193, "\nAlign Top"}, {CAT_FIGURES, 33194, "\nAlign Middle"},
    {CAT_FIGURES, 33195, "\nAlign Bottom"},

    {CAT_HYPER, 32771, "\nHyperlink Figure"}, {CAT_HYPER, 32770, "\nBack"}, {CAT_HYPER, 32769, "\nForward"},
    {CAT_HYPER, 32773, "\nParent"},

    {CAT_VIEW, 32779, "\nZoom Percent"}, {CAT_VIEW, 36502, "Changes to zoom mode\nZoom Mode (F7)"},
    {CAT_VIEW, 36517, "\nZoom In"}, {CAT_VIEW, 36518, "\nZoom Out"}, {CAT_VIEW, 36521, "\nZoom Whole Page"},
    {CAT_VIEW, 36520, "\nZoom Page Width"}, {CAT_VIEW, 36523, "\nZoom All Objects"},
    {CAT_VIEW, 36524, "\nZoom Selected"},

    {CAT_GENERAL, 36500, "Changes to select mode\nSelect Mode (F3)"},
    {CAT_GENERAL, 36503, "Changes to seltext mode\nSeltext Mode (F4)"},
    {CAT_GENERAL, 36501, "Changes to text entry mode\nText Mode (F5)"},
    {CAT_GENERAL, 36504, "Changes to connection point mode\nConnection Point Tool (F6)"},
    {CAT_GENERAL, 36561, "Collapses/expands style bar\nCollapse/Expand Style Bar"},
    {CAT_GENERAL, 33072, "\nVisible Grid On/Off"}, {CAT_GENERAL, 33073, "\nSnap to Grid On/Off"},
    {CAT_GENERAL, 33083, "Show or hide rulers\nRulers On/Off"},
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

#include "frame/ui/MainMenu.h"

#include "document/DocCommands.h"

namespace {
MenuEntry Sep()
{
    return MenuEntry{};
}

// An item of a command the document handles, with the document's menu text.
MenuEntry Doc(int id)
{
    const DocCommand* c = FindDocCommand(id);
    return MenuEntry{id, c ? c->menuText : "", {}};
}

std::vector<MenuEntry> DocRange(int first, int last)
{
    std::vector<MenuEntry> items;
    for (int id = first; id <= last; ++id)
        items.push_back(Doc(id));
    return items;
}
} // namespace

const std::vector<MenuEntry>& MainMenuTable()
{
    static const std::vector<MenuEntry> table = {
        {0, "&File", {
            {57600, "&New...\tCtrl+N", {}},
            {57601, "&Open...\tCtrl+O", {}},
            {57602, "&Close", {}},
            {57603, "&Save\tCtrl+S", {}},
            {57604, "Save &As...", {}},
            {36538, "Sav&e All", {}},
            {36570, "Rever&t", {}},
            {36539, "Save Te&mplate...", {}},
            {36568, "Save Pre&view Only...", {}},
            {33025, "&Copy Styles From...", {}},
            {36559, "Save &HTML...", {}},
            {40003, "&Export Graphic...", {}},
            Sep(),
            {36560, "Pa&ge Setup...", {}},
            {57606, "P&rint Setup...", {}},
            {57607, "&Print...\tCtrl+P", {}},
            {57609, "Print Pre&view", {}},
            {36537, "Print A&ll...", {}},
            Sep(),
            {57616, "Recent File", {}},
            Sep(),
            {57665, "E&xit", {}},
        }},
        {0, "&Edit", {
            {57643, "&Undo\tCtrl+Z", {}},
            Sep(),
            {57635, "Cu&t\tCtrl+X", {}},
            {57634, "&Copy\tCtrl+C", {}},
            {57637, "&Paste\tCtrl+V", {}},
            {0, "Paste &As", {
                {32781, "&KAVO Diagram Objects", {}},
                {32783, "&Picture", {}},
                {32784, "&Bitmap", {}},
                {32786, "&Text", {}},
                {32788, "&Formatted Text", {}},
            }},
            {57632, "Delete\tDel", {}},
            Doc(33039),
            {32768, "Duplicate\tCtrl+D", {}},
            Sep(),
            {33029, "&Select All\tCtrl+A", {}},
            {33034, "&Deselect All", {}},
            {32787, "&Edit Text", {}},
            Sep(),
            {0, "&Order", {
                {33027, "&Front", {}},
                {33028, "&Back", {}},
                {32780, "Fr&ont One\tCtrl+Plus", {}},
                {32778, "Back O&ne\tCtrl+Minus", {}},
            }},
            {0, "&Grouping", {
                {32818, "&Group\tCtrl+G", {}},
                {32819, "&Ungroup\tCtrl+U", {}},
                {32820, "Ungroup &All", {}},
                {32821, "&Regroup\tCtrl+R", {}},
            }},
            Sep(),
            {33035, "F&ind...\tCtrl+F", {}},
            {33036, "Rep&lace...\tCtrl+H", {}},
        }},
        {0, "&View", {
            {36520, "&Page Width", {}},
            {36521, "&Whole Page", {}},
            {36523, "&All Objects", {}},
            {36524, "Selected &Objects", {}},
            Sep(),
            {36525, "25%", {}},
            {36526, "50%", {}},
            {36527, "80%", {}},
            {36528, "100%", {}},
            {36529, "150%", {}},
            {36530, "200%", {}},
            {36522, "&Set...", {}},
            Sep(),
            {36517, "Zoom &In", {}},
            {36518, "Zoom O&ut", {}},
            {36514, "Pre&vious Page", {}},
            {36515, "Ne&xt Page", {}},
            Sep(),
            {33083, "&Rulers", {}},
            {33085, "&Margins", {}},
            {33072, "&Grid", {}},
            {33073, "S&nap to Grid", {}},
            {33087, "Property &Bar", {}},
            {32826, "Show/Hide Standard Toolbar", {}},
            {32825, "Show/Hide Style Bar", {}},
        }},
        {0, "&Insert", {
            {32785, "Insert &Graphic...", {}},
        }},
        {0, "F&igures", {
            {33054, "&Properties...", {}},
            {33121, "&Styles...", {}},
            {0, "&Align", {{33190, "&Left", {}}, {33191, "&Center", {}}, {33192, "&Right", {}},
                           {33193, "&Top", {}}, {33194, "&VCenter", {}}, {33195, "&Bottom", {}}}},
            {0, "Space &Evenly", {{0, "&Across", {{40013, "&Centers", {}}, {40014, "&Left Edges", {}},
                                                 {40015, "&Right Edges", {}}, {40016, "&Spacing", {}}}},
                                  {0, "&Down", {{40017, "&Centers", {}}, {40018, "&Top Edges", {}},
                                                {40019, "&Bottom Edges", {}}, {40020, "&Spacing", {}}}}}},
            {0, "&Center on Page", {{40010, "&Across", {}}, {40011, "&Down", {}}, {40012, "&Both", {}}}},
            {0, "&Make Same Size", {{40004, "&Width", {}}, {40005, "&Height", {}}, {40006, "&Both", {}}}},
            {0, "Border &Width", DocRange(36550, 36554)},
            Doc(36555),
            Doc(32822),
            {40009, "Size to Te&xt", {}},
            Sep(),
            {32771, "Set Hyper&link", {}},
            {32772, "&Open Hyperlink", {}},
            {32774, "Set &Parent Hyperlink...", {}},
            {32773, "O&pen Parent Hyperlink", {}},
            {32770, "&Back Hyperlink", {}},
            {32769, "&Foward Hyperlink", {}},
            Sep(),
            Doc(32791),
            Sep(),
            Doc(32801),
            Doc(32804),
        }},
        {0, "&Connectors", {
            {33063, "&Properties...", {}},
            {33065, "&Styles...", {}},
            {33062, "Shape and &Details...", {}},
            {0, "Line &Width", DocRange(36540, 36543)},
            {0, "&Line Pattern", DocRange(36544, 36549)},
            {0, "&Curvature", DocRange(33030, 33033)},
            {0, "A&rrows", {Doc(33056), Doc(33057), Doc(33058), Sep(), Doc(33059), Doc(33060), Doc(33061)}},
            {33064, "&Flip", {}},
            Sep(),
            Doc(32802),
            Doc(32805),
        }},
        {0, "&Labels", {
            {33120, "&Properties...", {}},
            {33055, "&Styles...", {}},
            {33122, "A&ttach Label to Figure", {}},
            {33123, "D&etach Label", {}},
            {0, "&Rotate", {
                {36534, "&Unrotate", {}},
                {36535, "&Bottom-to-top", {}},
                {36536, "&Top-to-bottom", {}},
            }},
            {33124, "Auto-label (label figures as they are created)", {}},
            Sep(),
            Doc(32803),
            Doc(32806),
        }},
        {0, "&Tools", {
            {33026, "&Scale...", {}},
            {33070, "&Diagram Properties...", {}},
            {36569, "Apply &Color Scheme...", {}},
            {33082, "&Options...", {}},
            {32823, "C&ustomize...", {}},
        }},
        {0, "&Window", {
            {57648, "&New Window", {}},
            {57650, "&Cascade", {}},
            {57651, "&Tile", {}},
        }},
        {0, "&Help", {
            {57666, "&Contents", {}},
            {32789, "&Frequently Asked Questions", {}},
            {32790, "&What's New?", {}},
            {32831, "UML Diagramming Guide", {}},
            Sep(),
            {32827, "Check for &Updates...", {}},
            Sep(),
            {57664, "&About...", {}},
        }},
    };
    return table;
}

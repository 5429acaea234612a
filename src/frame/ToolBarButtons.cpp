#include "frame/ToolBarButtons.h"

#include "core/Settings.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
constexpr std::array<int, 102> kImageTable = {
    57600, 57601, 57603, 57635, 57634, 57637, 57607, 57666, 36500, 36503, 36501, 36502, 36517, 36518,
    33072, 33072, 33083, 36505, 36506, 36507, 36508, 36509, 36510, 32771, 32773, 36531, 36532, 36499,
    36498, 36497, 36496, 36494, 36495, 36533, 36534, 36535, 36536, 32770, 32769, 36538, 33035, 33029,
    33034, 33073, 33073, 32791, 36557, 36556, 32785, 32795, 32796, 33036, 36492, 36491, 36504, 36520,
    36521, 32831, 36561, 36561, 32779, 32775, 32776, 36493, 36562, 36563, 36564, 57643, 57632, 32818,
    32819, 32821, 32820, 40006, 36565, 36567, 36566, 36523, 36524, 32768, 36560, 57609, 33027, 33028,
    32780, 32778, 33039, 33064, 33123, 57648, 32787, 36559, 32807, 32808, 32810, 40009, 33190, 33191,
    33192, 33193, 33194, 33195};

constexpr std::array<unsigned, 33> kStandardButtons = {
    57600, 57601, 57603, 57607, 57666, 0,     57632, 57635, 57634, 57637, 33035,
    57643, 0,     36500, 36503, 36501, 36504, 0,     36502, 36517, 36518, 36520,
    36521, 0,     32779, 0,     33073, 32791, 32785, 0,     32770, 32773, 32769};

constexpr std::array<unsigned, 27> kPropertyButtons = {
    36561, 0,     32775, 0,     32776, 0,     36531, 36532, 36533, 0,     36562, 36563, 36564, 0,
    36499, 36497, 36498, 36491, 36492, 36496, 36493, 0,     32818, 32819, 33027, 33028, 36494};

struct ControlWidth {
    unsigned command;
    int width;
};
constexpr ControlWidth kControlWidths[16] = {
    {32775, 175}, {32776, 45}, {32779, 60}, {36491, 27}, {36492, 27}, {36493, 60},
    {36496, 27},  {36497, 27}, {36498, 27}, {36499, 27}, {36562, 27}, {36563, 27},
    {36564, 27},  {36565, 47}, {36566, 81}, {36567, 67}};
} // namespace

std::span<const int> ToolBarImageTable() { return kImageTable; }
std::span<const unsigned> DefaultStandardButtons() { return kStandardButtons; }
std::span<const unsigned> DefaultPropertyButtons() { return kPropertyButtons; }

int EmbeddedControlWidth(unsigned command)
{
    for (const ControlWidth& c : kControlWidths)
        if (c.command == command)
            return c.width;
    return 0;
}

bool IsComboCommand(unsigned command)
{
    return command == 32775 || command == 32776 || command == 32779;
}

bool CToolBarButtons::Setup(const unsigned* list, int count, int bitmapId, std::span<const int> imageTable,
                            int buttonCx, int buttonCy, int imageCx, int imageCy)
{
    if (count < 0 || bitmapId == 0 || imageTable.empty() || buttonCx <= 0 || buttonCy <= 0 || imageCx <= 0
        || imageCy <= 0)
        return false;
    if (list)
        m_buttons.assign(list, list + std::min(count, kToolBarMaxButtons));
    if (m_bitmapId == 0)
        m_bitmapId = bitmapId;
    m_imageTable = imageTable;
    return true;
}

bool CToolBarButtons::Holds(unsigned command) const { return IndexOf(command) >= 0; }

int CToolBarButtons::IndexOf(unsigned command) const
{
    auto it = std::find(m_buttons.begin(), m_buttons.end(), command);
    return it == m_buttons.end() ? -1 : int(it - m_buttons.begin());
}

int CToolBarButtons::ImageOf(unsigned command) const
{
    auto it = std::find(m_imageTable.begin(), m_imageTable.end(), int(command));
    return it == m_imageTable.end() ? 0 : int(it - m_imageTable.begin());
}

std::vector<int> CToolBarButtons::AssignImages() const
{
    std::vector<int> images;
    for (unsigned command : m_buttons)
        images.push_back(command == 0 ? -1 : ImageOf(command));
    return images;
}

bool CToolBarButtons::InsertButton(unsigned command, int index)
{
    if (index < 0 || index > Count())
        return false;
    if (index < Count() && m_buttons[size_t(index)] == command)
        return true;
    if ((command != 0 && Holds(command)) || Count() >= kToolBarMaxButtons)
        return false;
    m_buttons.insert(m_buttons.begin() + index, command);
    return true;
}

bool CToolBarButtons::RemoveButtonAt(int index, int* tracked)
{
    if (index < 0 || index >= Count())
        return false;
    m_buttons.erase(m_buttons.begin() + index);
    if (tracked && *tracked > index)
        --*tracked;
    return true;
}

bool CToolBarButtons::RemoveCommand(unsigned command, int* tracked)
{
    const int index = IndexOf(command);
    if (index < 0 || !RemoveButtonAt(index, tracked))
        return false;
    TidySeparators(tracked);
    return true;
}

int CToolBarButtons::TidySeparators(int* tracked)
{
    int removed = 0;
    auto removeAt = [&](int index) {
        RemoveButtonAt(index, tracked);
        ++removed;
    };
    while (!m_buttons.empty() && m_buttons.back() == 0)
        removeAt(Count() - 1);
    while (!m_buttons.empty() && m_buttons.front() == 0)
        removeAt(0);
    for (int i = 1; i < Count();)
        if (m_buttons[size_t(i)] == 0 && m_buttons[size_t(i - 1)] == 0)
            removeAt(i);
        else
            ++i;
    return removed;
}

bool CToolBarButtons::HasSeparatorBefore(int index) const
{
    return index >= 1 && index < Count() && m_buttons[size_t(index - 1)] == 0;
}

bool CToolBarButtons::InsertSeparatorBefore(int index)
{
    if (index <= 0 || index > Count() || Count() >= kToolBarMaxButtons || m_buttons[size_t(index - 1)] == 0)
        return false;
    m_buttons.insert(m_buttons.begin() + index, 0u);
    return true;
}

bool CToolBarButtons::RemoveSeparatorBefore(int index)
{
    return HasSeparatorBefore(index) && RemoveButtonAt(index - 1);
}

// A separator already at the index is kept; otherwise one is inserted there.
// A list that ends at the index has no place for it.
bool CToolBarButtons::EnsureSeparatorAt(int index)
{
    if (index >= Count())
        return false;
    return m_buttons[size_t(index)] == 0 || InsertButton(0, index);
}

bool CToolBarButtons::AddStyleLists()
{
    const int anchor = IndexOf(ID_COLLAPSE_STYLE_BAR);
    if (anchor < 0 || Holds(ID_LBL_STYLE_PICKER))
        return false;
    int pos = anchor + 1;
    if (!EnsureSeparatorAt(pos) || !InsertButton(ID_LBL_STYLE_PICKER, ++pos) || !EnsureSeparatorAt(++pos))
        return false;
    for (unsigned picker : {ID_FIG_STYLE_PICKER, ID_CON_STYLE_PICKER}) {
        if (Holds(picker))
            continue;
        if (!InsertButton(picker, ++pos) || !EnsureSeparatorAt(++pos))
            return false;
    }
    return true;
}

bool CToolBarButtons::RemoveStyleLists()
{
    int anchor = IndexOf(ID_COLLAPSE_STYLE_BAR);
    if (anchor < 0 || anchor + 1 >= Count() || m_buttons[size_t(anchor + 1)] != 0)
        return false;
    for (unsigned picker : {ID_LBL_STYLE_PICKER, ID_FIG_STYLE_PICKER, ID_CON_STYLE_PICKER}) {
        anchor = IndexOf(ID_COLLAPSE_STYLE_BAR);
        if (anchor + 2 < Count() && m_buttons[size_t(anchor + 2)] == picker) {
            RemoveButtonAt(anchor + 2);
            TidySeparators();
        }
    }
    return true;
}

bool CToolBarButtons::SaveButtons(int barId) const
{
    std::vector<int> codes(m_buttons.begin(), m_buttons.end());
    return CfgSaveToolbarItem(barId, codes.data(), Count());
}

bool CToolBarButtons::LoadButtons(int barId)
{
    int codes[kToolBarMaxButtons] = {};
    int count = 0;
    if (!CfgLoadToolbarItem(barId, codes, kToolBarMaxButtons, count))
        return false;
    // An edited profile may repeat a command or hold numbers no command has:
    // the first of each command stays, the rest are dropped.
    std::vector<unsigned> list;
    for (int i = 0; i < count; ++i) {
        const int code = codes[i];
        if (code < 0 || code > 0xFFFF)
            continue;
        if (code != 0 && std::find(list.begin(), list.end(), unsigned(code)) != list.end())
            continue;
        list.push_back(unsigned(code));
    }
    if (list.empty())
        return false;
    m_buttons = std::move(list);
    return true;
}

int NearestBoundaryIndex(std::span<const int> boundaries, int x)
{
    int best = -1, bestDistance = 0;
    for (size_t i = 0; i < boundaries.size(); ++i) {
        const int distance = std::abs(boundaries[i] - x);
        if (best < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    return best;
}

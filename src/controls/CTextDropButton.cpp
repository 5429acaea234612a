#include "controls/CTextDropButton.h"

#include "core/StringHelpers.h"
#include "editing/ui/CTextDialog.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"

#include <QImage>

#include <algorithm>

namespace {

struct TextListRow {
    UINT first;
    int count;
    int values[8];
};

// The lists of the program: line widths first, in logical units (1/256
// inch) unless a percentage or an angle in degrees.
constexpr TextListRow kTextLists[] = {
    {35760, 5, {0, 2, 3, 5, 11}},
    {35770, 4, {11, 21, 32, 43}},
    {35780, 3, {18, 36, 53}},
    {35790, 4, {50, 70, 85, 100}},
    {35800, 4, {14, 28, 57, 114}},
    {35804, 4, {11, 18, 28, 57}},
    {35810, 3, {21, 43, 85}},
    {35820, 8, {0, 45, 90, 135, 180, 225, 270, 315}},
};

const TextListRow* FindList(UINT first)
{
    for (const TextListRow& row : kTextLists)
        if (row.first == first)
            return &row;
    return nullptr;
}

// Splits "name\tvalue" at the tab.
void SplitAtTab(const std::string& text, std::string& name, std::string& value)
{
    const size_t tab = text.find('\t');
    name = text.substr(0, tab);
    value = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

constexpr CCommandDropButton::Entry kHAlign[3] = {{36505, 4, 837}, {36506, 2, 838}, {36507, 1, 839}};
constexpr CCommandDropButton::Entry kVAlign[3] = {{36508, 64, 840}, {36509, 32, 841}, {36510, 16, 842}};
constexpr CCommandDropButton::Entry kRotate[3] = {{36534, 0, 843}, {36535, 900, 844}, {36536, 2700, 845}};

} // namespace

int TextListValueOfString(UINT firstStringId, UINT stringId)
{
    const TextListRow* row = FindList(firstStringId);
    if (!row || stringId < row->first || stringId >= row->first + UINT(row->count))
        return -1;
    return row->values[stringId - row->first];
}

UINT TextListStringOfValue(UINT firstStringId, int value)
{
    if (const TextListRow* row = FindList(firstStringId))
        for (int k = 0; k < row->count; ++k)
            if (row->values[k] == value)
                return row->first + UINT(k);
    return 0xFFFF;
}

// ---- CTextDropButton ----

bool CTextDropButton::CreateList(int ctrlId, QWidget* parent, UINT firstStringId, int count, int itemHeight)
{
    m_nFirstString = firstStringId;
    m_nCount = std::clamp(count, 0, kMaxTextListEntries);
    QImage probe(1, 1, QImage::Format_RGB32);
    CPainterDC dc(&probe);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    int widestName = 0, widestValue = 0;
    for (int k = 0; k < m_nCount; ++k) {
        LoadCStringRes(m_texts[k], firstStringId + UINT(k));
        std::string name, value;
        SplitAtTab(m_texts[k], name, value);
        widestName = std::max(widestName, int(dc.GetTextExtent(name).cx));
        widestValue = std::max(widestValue, int(dc.GetTextExtent(value).cx));
    }
    const int spaces = int(dc.GetTextExtent("  ").cx);
    const int height = std::max(itemHeight, kMenuLineHeight) - 4;
    const int width = std::max(1, widestName + widestValue + spaces - 10);
    return CreatePalette(ctrlId, parent, height, width, 2, 5, 0, 1, 0, false, false, true, false, kAlignCenter, false);
}

bool CTextDropButton::FillValues(CPaletteItemList& list)
{
    FillRange(list, m_nCount, 0);
    return true;
}

void CTextDropButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    if (int(value) >= m_nCount)
        return;
    std::string name, second;
    SplitAtTab(m_texts[value], name, second);
    dc->SelectStockObject(DEFAULT_GUI_FONT);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    const int baseline = rect.top + rect.Height() / 2 + (tm.tmAscent - tm.tmInternalLeading) / 2;
    dc->SetTextAlign(TA_LEFT | TA_BASELINE);
    dc->TextOut(rect.left, baseline, name);
    if (!second.empty()) {
        dc->SetTextAlign(TA_RIGHT | TA_BASELINE);
        dc->TextOut(rect.right, baseline, second);
    }
}

void CTextDropButton::BeforeDrop()
{
    // A value outside the list shows no current cell.
    const UINT id = m_pValue ? StringOfValue(*m_pValue) : 0xFFFF;
    SetCurrentValue(id == 0xFFFF ? kNone : WORD(id - m_nFirstString));
    CDropPaletteButton::BeforeDrop();
}

void CTextDropButton::Select(WORD value)
{
    if (m_pValue && int(value) < m_nCount)
        *m_pValue = ValueOfString(m_nFirstString + value);
    CDropPaletteButton::Select(value);
}

// ---- CLineWidthButton ----

CLineWidthButton::CLineWidthButton(QWidget* parent) : CTextDropButton(parent)
{
    SetValueTarget(&m_nWidth);
}

void CLineWidthButton::SetWidth(int width)
{
    if (width == m_nWidth)
        return;
    m_nWidth = width;
    update();
}

void CLineWidthButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    // Lines of growing weight, the chosen one as a bar across the face.
    const int thickness = std::clamp(m_nWidth / 2, 0, 6);
    if (thickness == 0 && m_nWidth == 0)
        return;
    const int y = rect.top + rect.Height() / 2 - thickness / 2;
    dc->FillSolidRect(rect.left + 6, y, std::max(0, int(rect.Width()) - 16), std::max(1, thickness),
                      disabled ? RGB(128, 128, 128) : RGB(0, 0, 0));
}

// ---- CCommandDropButton ----

CCommandDropButton::CCommandDropButton(const Entry (&entries)[3], WORD defaultSetting, QWidget* parent)
    : CDropPaletteButton(parent), m_entries{entries[0], entries[1], entries[2]}, m_nSetting(defaultSetting)
{
}

bool CCommandDropButton::Create(int ctrlId, QWidget* parent)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    CPainterDC dc(&probe);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    int widest = 0;
    for (const Entry& entry : m_entries)
        widest = std::max(widest, int(dc.GetTextExtent(CommandText(entry.command)).cx));
    const int width = widest > 0 ? widest + 25 : 20;
    return CreatePalette(ctrlId, parent, 20, width, 3, 3, 0, 1, 0, false, false, true, false, kAlignCenter, false);
}

std::string CCommandDropButton::CommandText(UINT command) const
{
    std::string text;
    for (const Entry& entry : m_entries)
        if (entry.command == command)
            LoadCStringRes(text, entry.textId);
    return text;
}

void CCommandDropButton::SetSetting(WORD setting)
{
    if (setting == m_nSetting)
        return;
    m_nSetting = setting;
    update();
}

bool CCommandDropButton::FillValues(CPaletteItemList& list)
{
    FillRange(list, 3, 0);
    return true;
}

void CCommandDropButton::DrawImage(CDC* dc, int x, int y, UINT command, bool disabled) const
{
    if (!m_images)
        return;
    QImage image = m_images(command);
    if (image.isNull())
        return;
    if (disabled)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    CBitmap bitmap;
    if (!bitmap.Attach(image.convertToFormat(QImage::Format_RGB32)))
        return;
    CPainterDC source(&bitmap.Image());
    dc->BitBlt(x, y, image.width(), image.height(), &source, 0, 0, SRCCOPY);
}

void CCommandDropButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    if (value > 2)
        return;
    CRect r = rect;
    r.DeflateRect(6, 2);
    const UINT command = m_entries[value].command;
    DrawImage(dc, r.left, r.top + (r.Height() - 20) / 2, command, false);
    dc->SelectStockObject(DEFAULT_GUI_FONT);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    dc->SetTextAlign(TA_LEFT | TA_BASELINE);
    dc->TextOut(r.left + r.Height() + 17, r.top + r.Height() / 2 + (tm.tmAscent - tm.tmInternalLeading) / 2,
                CommandText(command));
}

void CCommandDropButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    if (m_bToolbarFace) {
        for (const Entry& entry : m_entries)
            if (entry.setting == m_nSetting)
                DrawImage(dc, rect.left + (rect.Width() - 20) / 2 - 3, rect.top + (rect.Height() - 20) / 2,
                          entry.command, disabled);
        return;
    }
    CRect r = rect;
    r.DeflateRect(6, 6);
    CBrush grey(RGB(128, 128, 128));
    dc->FrameRect(&r, &grey);
}

void CCommandDropButton::BeforeDrop()
{
    if (m_bMarkEditorChanged)
        if (CTextDialog* editor = ActiveTextEditor())
            editor->MarkChanged();
    WORD current = kNone;
    for (WORD k = 0; k < 3; ++k)
        if (m_entries[k].setting == m_nSetting)
            current = k;
    SetCurrentValue(current);
    CDropPaletteButton::BeforeDrop();
}

void CCommandDropButton::Select(WORD value)
{
    if (value <= 2)
        m_nSetting = m_entries[value].setting;
    CDropPaletteButton::Select(value);
}

CHAlignDropButton::CHAlignDropButton(QWidget* parent) : CCommandDropButton(kHAlign, 4, parent)
{
    m_bMarkEditorChanged = true;
}

CVAlignDropButton::CVAlignDropButton(QWidget* parent) : CCommandDropButton(kVAlign, 64, parent)
{
    m_bMarkEditorChanged = true;
}

CRotateDropButton::CRotateDropButton(QWidget* parent) : CCommandDropButton(kRotate, 0, parent) {}

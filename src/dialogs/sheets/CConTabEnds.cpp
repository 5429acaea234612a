#include "dialogs/sheets/CConTabEnds.h"

#include "controls/CDataExchange.h"
#include "dialogs/DialogPictures.h"
#include "core/Units.h"
#include "controls/CColorDropButton.h"
#include "controls/CEndSymbolButton.h"
#include "dialogs/sheets/SheetColorButton.h"
#include "document/CKavoDoc.h"
#include "shapes/ShapeLibrary.h"
#include "platform/ui/DlgItems.h"

#include <QGridLayout>
#include <QLabel>

namespace {
constexpr UINT IDS_BORDER_WIDTH = 479, IDS_FIRST_LENGTH = 481, IDS_SECOND_LENGTH = 482;
constexpr COLORREF kBlack = 0, kWhite = 0xFFFFFF;
} // namespace

CCTabEnds::CCTabEnds(CConSheetData& data, QWidget* parent) : CConPage(data, "Ends", parent)
{
    auto* grid = new QGridLayout(this);
    CConProps& p = m_data.props;
    for (int end : {1, 2}) {
        const int col = (end - 1) * 2;
        const bool first = end == 1;
        // The label with the picture of the end it is about.
        grid->addWidget(PictureBeside(AddLabel(first ? 3050 : 3047, first ? "First end" : "Second end"), 0,
                                      first ? kBmpFirstEnd : kBmpSecondEnd),
                        0, col, 1, 2);
        grid->addWidget(AddSymbolChoice(end), 1, col, 1, 2);
        grid->addWidget(AddLabel(first ? 2530 : 2531, "Fill color:"), 2, col);
        CColorDropButton* fill = MakeSheetColorButton(this, first ? kFill1 : kFill2, false);
        OnSheetColorChosen(fill, this, [this, first](COLORREF color) {
            Change([this, first, color] {
                (first ? m_data.props.End1FillColor : m_data.props.End2FillColor) = color;
                (first ? m_data.mask.m_bEnd1FillColor : m_data.mask.m_bEnd2FillColor) = 1;
            });
        });
        grid->addWidget(fill, 2, col + 1);
        grid->addWidget(AddSizePicker(first ? kSizePicker1 : kSizePicker2, 35780, 3,
                                      first ? &p.End1Length : &p.End2Length,
                                      first ? &m_data.mask.m_bEnd1Length : &m_data.mask.m_bEnd2Length,
                                      "Symbol size:"),
                        3, col);
        CNumEditSpec spec;
        spec.SetReal(this, SizeCodeToValue(0), SizeCodeToValue(256), first ? &p.End1Length : &p.End2Length,
                     int(first ? IDS_FIRST_LENGTH : IDS_SECOND_LENGTH));
        grid->addWidget(AddNumEdit(first ? kSize1 : kSize2, spec,
                                   first ? &m_data.mask.m_bEnd1Length : &m_data.mask.m_bEnd2Length,
                                   first ? kDiffEnd1Size : kDiffEnd2Size),
                        3, col + 1);
    }
    grid->addWidget(AddSizePicker(kBorderPicker, 35760, 5, &p.EndBorderWidth, &m_data.mask.m_bEndBorderWidth,
                                  "Borders:"),
                    4, 0);
    CNumEditSpec spec;
    spec.SetReal(this, 0, 72, &p.EndBorderWidth, int(IDS_BORDER_WIDTH));
    grid->addWidget(AddNumEdit(kBorder, spec, &m_data.mask.m_bEndBorderWidth, kDiffEndBorder),
                    4, 1);
    grid->setRowStretch(5, 1);
}

CEndSymbolButton* CCTabEnds::AddSymbolChoice(int end)
{
    auto* button = new CEndSymbolButton(this);
    ShapeLibrary* symbols = m_data.doc ? &m_data.doc->m_endSymbols : nullptr;
    // Each picker shows its symbol at the end of the line it stands for.
    button->Create(end == 1 ? kEnd1 : kEnd2, this, symbols, g_nBuiltinLineEnds, end == 2);
    m_symbol[end - 1] = button;
    connect(button, &CDropPaletteButton::chosen, this, [this, end, button] { OnSymbol(end, button->GetSymbol()); });
    return button;
}

bool CCTabEnds::IsFilled(int symbol) const
{
    const CShapeDef* shape = m_data.doc ? m_data.doc->m_endSymbols.GetAt(symbol) : nullptr;
    return shape && shape->Silhouette;
}

// A filled symbol is drawn black; leaving one for an open symbol gives the
// end a white fill again.
void CCTabEnds::OnSymbol(int end, int symbol)
{
    Change([this, end, symbol] {
        CConProps& p = m_data.props;
        CConPropMask& m = m_data.mask;
        int32_t& index = end == 1 ? p.End1 : p.End2;
        COLORREF& fill = end == 1 ? p.End1FillColor : p.End2FillColor;
        const bool wasFilled = IsFilled(index);
        index = symbol;
        (end == 1 ? m.m_bEnd1 : m.m_bEnd2) = 1;
        if (IsFilled(symbol))
            fill = kBlack;
        else if (wasFilled)
            fill = kWhite;
        (end == 1 ? m.m_bEnd1FillColor : m.m_bEnd2FillColor) = 1;
    });
}

bool CCTabEnds::Exchange(bool save)
{
    CDataExchange dx{save, this};
    for (int id : {kSize1, kSize2, kBorder})
        if (!DDX_NumEdit(dx, id))
            return false;
    if (save)
        return true;
    const CConProps& p = m_data.props;
    m_symbol[0]->SetSymbol(p.End1);
    m_symbol[1]->SetSymbol(p.End2);
    static_cast<CColorDropButton*>(GetDlgItem(this, kFill1))->SetColor(p.End1FillColor);
    static_cast<CColorDropButton*>(GetDlgItem(this, kFill2))->SetColor(p.End2FillColor);
    return true;
}

void CCTabEnds::UpdateControls()
{
    const bool all = m_data.IsStyles() && m_data.curStyle == kConStyleAll;
    const bool on1 = all || m_data.props.End1 != 0, on2 = all || m_data.props.End2 != 0;
    for (int id : {2530, kFill1, kSizePicker1, kSize1, 3050})
        Enable(id, on1);
    for (int id : {2531, kFill2, kSizePicker2, kSize2, 3047})
        Enable(id, on2);
}

#include "dialogs/sheets/CConTabLine.h"

#include "controls/CDataExchange.h"
#include "dialogs/DialogPictures.h"
#include "controls/CColorDropButton.h"
#include "controls/CFlowIndicatorButton.h"
#include "controls/CLinePatternButton.h"
#include "dialogs/sheets/SheetColorButton.h"
#include "platform/ui/DlgItems.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
constexpr int kFlowKindOn = 5;
constexpr int kJoinMiter = 8192, kJoinRound = 0, kJoinBevel = 4096;
constexpr UINT IDS_LINE_WIDTH = 478, IDS_BORDER_WIDTH = 479, IDS_FLOW_SIZE = 480, IDS_FLOW_SPACING = 471;
} // namespace

CCTabLine::CCTabLine(CConSheetData& data, QWidget* parent)
    : CConPage(data, "Line", parent), m_pattern(new CLinePatternButton(this)),
      m_flowKind(new CFlowIndicatorButton(this)), m_curve(new QButtonGroup(this)), m_join(new QButtonGroup(this))
{
    m_pattern->Create(kPattern, this);
    m_flowKind->Create(kFlowKind, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(AddLabel(2566, "Pattern:"), 0, 0);
    grid->addWidget(m_pattern, 0, 1, 1, 3);
    grid->addWidget(AddLabel(2569, "Color:"), 1, 0);
    grid->addWidget(AddColor(kColor, &CConProps::Color, &CConPropMask::m_bColor), 1, 1);
    grid->addWidget(AddLabel(2570, "Width:"), 1, 2);
    grid->addWidget(AddSize(kWidth, &CConProps::LineWidth, &CConPropMask::m_bLineWidth, 0, 72, IDS_LINE_WIDTH,
                            kDiffLineWidth), 1, 3);
    grid->addWidget(AddSizePicker(kWidthPicker, 35761, 4, &m_data.props.LineWidth, &m_data.mask.m_bLineWidth), 1, 4);
    grid->addWidget(AddLabel(2571, "Curvature:"), 2, 0);
    grid->addWidget(PictureBeside(AddRadio(m_curve, kStraight, "Str&aight"), 2644, kBmpStraight), 2, 1);
    grid->addWidget(PictureBeside(AddRadio(m_curve, kRounded, "&Rounded"), 2645, kBmpRounded), 2, 2);
    grid->addWidget(PictureBeside(AddRadio(m_curve, kCurved, "&Curved"), 2646, kBmpCurved), 3, 1);
    grid->addWidget(PictureBeside(AddRadio(m_curve, kSmoothed, "Sm&oothed"), 2647, kBmpSmoothed), 3, 2);
    grid->addWidget(AddLabel(2572, "Corners:"), 4, 0);
    grid->addWidget(PictureBeside(AddRadio(m_join, kMiter, "&Miter"), 2648, kBmpMiterJoin), 4, 1);
    grid->addWidget(PictureBeside(AddRadio(m_join, kRound, "Ro&und"), 2649, kBmpRoundJoin), 4, 2);
    grid->addWidget(PictureBeside(AddRadio(m_join, kBevel, "Be&vel"), 2650, kBmpBevelJoin), 4, 3);
    grid->addWidget(AddCheck(kFlow, "&Flow symbols along line:"), 5, 0, 1, 4);
    grid->addWidget(AddLabel(2576, "Symbol:"), 6, 0);
    grid->addWidget(m_flowKind, 6, 1);
    grid->addWidget(AddLabel(2577, "Size:"), 6, 2);
    grid->addWidget(AddSize(kFlowSize, &CConProps::FISize, &CConPropMask::m_bFISize, 0, 72, IDS_FLOW_SIZE,
                            kDiffFlowSize), 6, 3);
    grid->addWidget(AddSizePicker(kFlowSizePicker, 35770, 4, &m_data.props.FISize, &m_data.mask.m_bFISize), 6, 4);
    grid->addWidget(AddLabel(2568, "Fill:"), 7, 0);
    grid->addWidget(AddColor(kFlowFill, &CConProps::FIFillClr, &CConPropMask::m_bFIFillClr), 7, 1);
    grid->addWidget(AddLabel(2578, "Spacing:"), 7, 2);
    grid->addWidget(AddSize(kFlowSpacing, &CConProps::FISpacing, &CConPropMask::m_bFISpacing, 1, 432,
                            IDS_FLOW_SPACING, kDiffFlowSpacing), 7, 3);
    grid->addWidget(AddSizePicker(kFlowSpacingPicker, 35810, 3, &m_data.props.FISpacing, &m_data.mask.m_bFISpacing),
                    7, 4);
    grid->addWidget(AddLabel(2565, "Border:"), 8, 0);
    grid->addWidget(AddColor(kFlowBorder, &CConProps::FIBdrClr, &CConPropMask::m_bFIBdrClr), 8, 1);
    grid->addWidget(AddLabel(2567, "Border width:"), 8, 2);
    grid->addWidget(AddSize(kFlowBorderWidth, &CConProps::FIBdrWidth, &CConPropMask::m_bFIBdrWidth, 0, 72,
                            IDS_BORDER_WIDTH, kDiffFlowBorder), 8, 3);
    grid->addWidget(
        AddSizePicker(kFlowBorderPicker, 35760, 5, &m_data.props.FIBdrWidth, &m_data.mask.m_bFIBdrWidth), 8, 4);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(m_pattern, &CDropPaletteButton::chosen, this, [this] {
        const int pattern = m_pattern->GetPattern();
        Change([this, pattern] {
            m_data.props.PenStyle = pattern;
            m_data.mask.m_bPenStyle = 1;
        });
    });
    connect(m_flowKind, &CDropPaletteButton::chosen, this, [this] {
        const int kind = m_flowKind->GetStamp();
        Change([this, kind] {
            m_data.props.FIType = kind;
            m_data.mask.m_bFIType = 1;
        });
    });
    connect(m_curve, &QButtonGroup::idClicked, this,
            [this] { Change([this] { m_data.MarkBits(kConRounded | kConCurved | kConSmoothed); }); });
    connect(m_join, &QButtonGroup::idClicked, this, [this] { Change([this] { m_data.mask.m_bJoin = 1; }); });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kFlow)), &QCheckBox::clicked, this, [this] {
        Change([this] {
            CConPropMask& m = m_data.mask;
            m.m_bFIType = m.m_bFISize = m.m_bFIBdrWidth = m.m_bFIBdrClr = m.m_bFIFillClr = 1;
        });
    });
}

CColorDropButton* CCTabLine::AddColor(int id, COLORREF CConProps::*field, int32_t CConPropMask::*flag)
{
    CColorDropButton* button = MakeSheetColorButton(this, id, false);
    OnSheetColorChosen(button, this, [this, field, flag](COLORREF color) {
        Change([this, field, flag, color] {
            m_data.props.*field = color;
            m_data.mask.*flag = 1;
        });
    });
    return button;
}

CNumEdit* CCTabLine::AddSize(int id, int32_t CConProps::*field, int32_t CConPropMask::*flag, double min,
                             double max, UINT error, ConDiffers differs)
{
    CNumEditSpec spec;
    spec.SetReal(this, min, max, &(m_data.props.*field), int(error));
    return AddNumEdit(id, spec, &(m_data.mask.*flag), differs);
}

bool CCTabLine::Exchange(bool save)
{
    CConProps& p = m_data.props;
    CDataExchange dx{save, this};
    for (int id : {kWidth, kFlowBorderWidth, kFlowSize, kFlowSpacing})
        if (!DDX_NumEdit(dx, id))
            return false;
    if (save) {
        if (!Checked(kFlow))
            p.FIType = -1;
        else if (p.FIType == -1)
            p.FIType = kFlowKindOn;
        SetFlagBits(p.Behavior, kConRounded | kConCurved | kConSmoothed, 0, false);
        if (Checked(kRounded))
            SetFlagBits(p.Behavior, kConRounded, 0, true);
        else if (Checked(kCurved))
            SetFlagBits(p.Behavior, kConCurved, 0, true);
        else if (Checked(kSmoothed))
            SetFlagBits(p.Behavior, kConSmoothed, 0, true);
        p.Join = Checked(kMiter) ? kJoinMiter : Checked(kBevel) ? kJoinBevel : kJoinRound;
        return true;
    }
    SetChecked(kFlow, p.FIType != -1);
    m_pattern->SetPattern(p.PenStyle);
    m_flowKind->SetStamp(p.FIType);
    for (auto [id, field] : {std::pair{kColor, &CConProps::Color}, {kFlowFill, &CConProps::FIFillClr},
                             {kFlowBorder, &CConProps::FIBdrClr}})
        static_cast<CColorDropButton*>(GetDlgItem(this, id))->SetColor(p.*field);
    const DWORD bits = p.Behavior.low;
    SetChecked((bits & kConRounded)    ? kRounded
               : (bits & kConCurved)   ? kCurved
               : (bits & kConSmoothed) ? kSmoothed
                                       : kStraight,
               true);
    SetChecked(p.Join == kJoinRound ? kRound : p.Join == kJoinBevel ? kBevel : kMiter, true);
    return true;
}

void CCTabLine::UpdateControls()
{
    const bool line = m_data.props.PenStyle != kNoLine;
    for (int id : {kWidth, kWidthPicker, 2569, kColor, 2570, 2572, kMiter, kRound, kBevel})
        Enable(id, line);
    const bool flow = Checked(kFlow);
    for (int id : {2576, 2568, 2565, 2567, 2577, 2578, kFlowKind, kFlowFill, kFlowBorder, kFlowSize,
                   kFlowBorderWidth, kFlowSpacing, kFlowBorderPicker, kFlowSizePicker, kFlowSpacingPicker})
        Enable(id, flow);
}

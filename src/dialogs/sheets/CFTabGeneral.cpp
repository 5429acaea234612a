#include "dialogs/sheets/CFTabGeneral.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CNumEdit.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "controls/CColorDropButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CStyleButtons.h"
#include "controls/CTextDropButton.h"
#include "dialogs/sheets/SheetColorButton.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigSymbol.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/StyleCategoryList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr UINT IDS_NO_CATEGORY = 412, IDS_NONE = 518, IDS_DEFAULT_DIMS = 640, IDS_DIMS = 655;
constexpr UINT IDS_HEIGHT_RANGE = 466, IDS_WIDTH_RANGE = 472, IDS_LEFT_RANGE = 475, IDS_TOP_RANGE = 476;
constexpr UINT IDS_BORDER_RANGE = 479, IDS_STYLES = 639, IDS_BIND_DIFFERS = 645;
constexpr double kMaxSize = 25600;

QString Res(UINT id)
{
    const char* s = FindResString(id);
    return AnsiToQString(s ? s : "");
}

// A border pattern applies to a symbol with an outline to draw it on, and
// to every figure style at once.
bool PatternApplies(const FigSheetData& d)
{
    if (d.IsAll())
        return !d.label;
    const CFigSymbol* s = d.IsPicture() ? nullptr : d.doc->m_figSymbols.GetAt(d.props.Symbol);
    return s && (s->m_nOutlinePos >= 0 || s->OutlineIsPolygonal());
}

// A shadow follows an ordinary outline only: a reshaped symbol (or a
// special shape) draws none.
bool SymbolAllowsShadow(const FigSheetData& d)
{
    const CFigSymbol* s = d.doc->m_figSymbols.GetAt(d.props.Symbol);
    return !s || s->Reshape == 0;
}

bool HasStyleOfKind(const FigSheetData& d)
{
    const CFigStylesLibrary& lib = d.doc->m_figStyles;
    for (int i = 0; i < lib.GetCount(); ++i)
        if (const CFigStyle* s = lib.GetAt(i); s && (s->Label != 0) == (d.label != 0))
            return true;
    return false;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}
} // namespace

CFTabGeneral::CFTabGeneral(CFTabSheet* sheet) : CFigPage(sheet, "General") {}

CNumEdit* CFTabGeneral::AddNumber(int id)
{
    auto* e = new CNumEdit(this);
    SetDlgCtrlID(e, id);
    return e;
}

void CFTabGeneral::OnInitPage()
{
    FigSheetData& d = D();
    const bool styles = d.variant == kFigSheetStyles;
    auto* grid = new QGridLayout(this);
    int row = 0;
    if (!styles) {
        m_basedOn = new QComboBox(this);
        SetDlgCtrlID(m_basedOn, IDC_BASED_ON);
        grid->addWidget(Label("&Based on style:", m_basedOn, this), row, 0);
        grid->addWidget(m_basedOn, row, 1, 1, 2);
        FillStyleCombo();
        connect(m_basedOn, &QComboBox::activated, this, [this] { OnStyleChosen(); });
        m_picker = d.label ? static_cast<CStylePickerButton*>(new CLblStyleButton(CStylePickerButton::Variant::Plain, this))
                           : new CFigStyleButton(CStylePickerButton::Variant::Plain, this);
        m_picker->Create(IDC_PICKER, this, 0, d.doc, false);
        m_picker->setToolTip(Res(IDS_STYLES));
        m_picker->setMinimumSize(48, 22);
        m_picker->SetSample(d.several ? -1 : d.style);
        // The combo shows the style under the pointer while the palette is open.
        m_picker->SetNotifyOnHighlight(true);
        grid->addWidget(m_picker, row++, 3);
        connect(m_picker, &CStylePickerButton::styleChosen, this, [this](int index) { ChooseStyle(index); });
    } else {
        m_description = new QLineEdit(this);
        SetDlgCtrlID(m_description, IDC_DESCRIPTION);
        m_description->setMaxLength(80);
        grid->addWidget(Label("&Description:", m_description, this), row, 0);
        grid->addWidget(m_description, row++, 1, 1, 3);
        connect(m_description, &QLineEdit::textEdited, this, [this] {
            D().description = QStringToAnsi(m_description->text());
            D().mask.m_bEx[kExDescription] = 1;
            Changed();
        });
        if (!d.label) {
            m_category = new QComboBox(this);
            SetDlgCtrlID(m_category, IDC_CATEGORY);
            m_category->setEditable(true);
            m_category->lineEdit()->setMaxLength(30);
            const StyleCategoryList& cats = d.doc->m_figStyles.GetCategories(0);
            const std::string none = NoCategoryName();
            for (int i = 0; i < cats.m_nCount; ++i)
                if (cats.m_cat[i].m_strName != none)
                    m_category->addItem(AnsiToQString(cats.m_cat[i].m_strName));
            m_category->addItem(Res(IDS_NO_CATEGORY));
            grid->addWidget(Label("Belongs to &category:", m_category, this), row, 0);
            grid->addWidget(m_category, row++, 1, 1, 3);
            connect(m_category, &QComboBox::currentTextChanged, this, [this] {
                if (Loading())
                    return;
                D().mask.m_bEx[kExCategory] = 1;
                Changed();
            });
        }
        m_styleBar = new QCheckBox("&Style bar button", this);
        m_inMenu = new QCheckBox("In drop &menu", this);
        SetDlgCtrlID(m_styleBar, IDC_STYLE_BAR);
        SetDlgCtrlID(m_inMenu, IDC_IN_MENU);
        grid->addWidget(m_styleBar, row, 0);
        grid->addWidget(m_inMenu, row++, 1);
        connect(m_styleBar, &QCheckBox::clicked, this, [this](bool on) {
            D().hasButton = on;
            D().mask.m_bEx[kExHasButton] = 1;
            Changed();
        });
        connect(m_inMenu, &QCheckBox::clicked, this, [this](bool on) {
            D().inMenu = on;
            D().mask.m_bEx[kExInMenu] = 1;
            Changed();
        });
    }
    m_bind = new QCheckBox("Bi&nd to style", this);
    SetDlgCtrlID(m_bind, IDC_BIND);
    grid->addWidget(m_bind, row++, 0, 1, 2);
    connect(m_bind, &QCheckBox::clicked, this, [this] { OnBind(); });

    auto* dims = new QLabel(Res(styles ? IDS_DEFAULT_DIMS : IDS_DIMS), this);
    SetDlgCtrlID(dims, IDC_DIM_GROUP);
    grid->addWidget(dims, row++, 0, 1, 4);
    // Width and height: a figure needs some size; a style's default may be 0.
    const double minSize = styles ? 0 : 8;
    const bool metric = Metric != 0;
    const bool blank = d.several != 0;
    m_height = AddNumber(IDC_HEIGHT);
    m_width = AddNumber(IDC_WIDTH);
    CNumEditSpec spec;
    spec.SetMeasure(this, minSize, kMaxSize, &d.height, metric, true, 2, IDS_HEIGHT_RANGE);
    spec.BindResult(&d.mask.m_bSheet[kSheetHeight], blank);
    m_height->Configure(&spec);
    spec.SetMeasure(this, minSize, kMaxSize, &d.width, metric, true, 2, IDS_WIDTH_RANGE);
    spec.BindResult(&d.mask.m_bSheet[kSheetWidth], blank);
    m_width->Configure(&spec);
    if (!styles) {
        const CRect& ws = d.doc->m_rcWorkSpace;
        m_left = AddNumber(IDC_LEFT);
        m_top = AddNumber(IDC_TOP);
        spec.SetMeasure(this, ws.left, ws.right, &d.left, metric, true, 2, IDS_LEFT_RANGE);
        spec.BindResult(&d.mask.m_bSheet[kSheetX], blank);
        m_left->Configure(&spec);
        spec.SetMeasure(this, ws.top, ws.bottom, &d.top, metric, true, 2, IDS_TOP_RANGE);
        spec.BindResult(&d.mask.m_bSheet[kSheetY], blank);
        m_top->Configure(&spec);
        grid->addWidget(Label("&Left:", m_left, this), row, 0);
        grid->addWidget(m_left, row, 1);
        grid->addWidget(Label("T&op:", m_top, this), row, 2);
        grid->addWidget(m_top, row++, 3);
    }
    grid->addWidget(Label("&Width:", m_width, this), row, 0);
    grid->addWidget(m_width, row, 1);
    grid->addWidget(Label("H&eight:", m_height, this), row, 2);
    grid->addWidget(m_height, row++, 3);

    m_fillColor = MakeSheetColorButton(this, IDC_FILL_COLOR, true);
    m_textColor = MakeSheetColorButton(this, IDC_TEXT_COLOR, false);
    grid->addWidget(Label("Fill:", m_fillColor, this), row, 0);
    grid->addWidget(m_fillColor, row, 1);
    grid->addWidget(Label("Text:", m_textColor, this), row, 2);
    grid->addWidget(m_textColor, row++, 3);
    OnSheetColorChosen(m_fillColor, this, [this](COLORREF c) {
        FigSheetData& s = D();
        const CFillSpec before = s.props.m_fill;
        s.props.m_fill.SetColor(c, 0);
        s.mask.m_fill.m_bColor1 = 1;
        if (before.m_nKind != s.props.m_fill.m_nKind)
            s.mask.m_fill.m_bRest = 1;
        Enable();
        Changed();
    });
    OnSheetColorChosen(m_textColor, this, [this](COLORREF c) {
        D().props.TextColor = c;
        D().mask.m_bTextColor = 1;
        Changed();
    });
    if (!d.label) {
        m_borderColor = MakeSheetColorButton(this, IDC_BORDER_COLOR, false);
        m_borderWidth = AddNumber(IDC_BORDER_WIDTH);
        spec.Reset();
        spec.SetInt(this, 0, 72, &m_borderWidthValue, IDS_BORDER_RANGE);
        spec.BindResult(&d.mask.m_bBorderWidth, blank);
        m_borderWidth->Configure(&spec);
        m_widthList = new CLineWidthButton(this);
        m_widthList->Create(IDC_WIDTH_LIST, this);
        m_widthList->setMinimumSize(48, 22);
        m_pattern = new CLinePatternButton(this);
        m_pattern->Create(IDC_PATTERN, this);
        m_pattern->setMinimumSize(48, 22);
        grid->addWidget(Label("Border:", m_borderColor, this), row, 0);
        grid->addWidget(m_borderColor, row, 1);
        grid->addWidget(Label("Width:", m_widthList, this), row, 2);
        grid->addWidget(m_widthList, row++, 3);
        grid->addWidget(Label("Pattern:", m_pattern, this), row, 0);
        grid->addWidget(m_pattern, row, 1);
        grid->addWidget(m_borderWidth, row++, 3);
        connect(m_widthList, &CDropPaletteButton::chosen, this, [this] {
            FigSheetData& s = D();
            s.props.BorderWidth = m_widthList->GetWidth();
            s.mask.m_bBorderWidth = 1;
            m_borderWidthValue = s.props.BorderWidth;
            m_borderWidth->Load();
            Changed();
        });
        connect(m_pattern, &CDropPaletteButton::chosen, this, [this] {
            D().props.PenStyle = m_pattern->GetPattern();
            D().mask.m_bPenStyle = 1;
            Changed();
        });
        OnSheetColorChosen(m_borderColor, this, [this](COLORREF c) {
            D().props.BorderColor = c;
            D().mask.m_bBorderColor = 1;
            Changed();
        });
        m_shadow = new QCheckBox("&Drop shadow", this);
        SetDlgCtrlID(m_shadow, IDC_SHADOW);
        grid->addWidget(m_shadow, row++, 0, 1, 2);
        connect(m_shadow, &QCheckBox::clicked, this, [this](bool on) {
            D().props.Shadow = on;
            D().mask.m_bShadow = 1;
            Changed();
        });
    }
    AddShapeButtons(grid, row);
    grid->setRowStretch(row, 1);
}

void CFTabGeneral::FillStyleCombo()
{
    const FigSheetData& d = D();
    const CFigStylesLibrary& lib = d.doc->m_figStyles;
    for (int i = 0; i < lib.GetCount(); ++i)
        if (const CFigStyle* s = lib.GetAt(i); s && (s->Label != 0) == (d.label != 0))
            m_basedOn->addItem(AnsiToQString(s->m_strName), i);
    m_basedOn->addItem(QString(), kMixedStyles);
    m_basedOn->addItem(Res(IDS_NONE), kNoStyle);
    m_basedOn->setMaxVisibleItems(12);
}

bool CFTabGeneral::event(QEvent* e)
{
    if (e->type() == CDlgCommandEvent::EventType()) {
        const auto* c = static_cast<CDlgCommandEvent*>(e);
        if (c->Code() == kNumEditChanged)
            Changed();
        else if (c->ControlId() == IDC_PICKER && c->Code() == CDropPaletteButton::kHighlightNotify)
            ShowPickerCell();
        return true;
    }
    return CFigPage::event(e);
}

void CFTabGeneral::ShowPickerCell()
{
    if (!m_basedOn || !m_picker)
        return;
    // The palette closing without a choice shows the combo's selection again.
    for (int i = 0; i < m_picker->CategoryPopupCount(); ++i)
        if (CPalettePopup* popup = m_picker->CategoryPopup(i))
            popup->installEventFilter(this);
    const WORD cell = m_picker->GetSelectedId();
    int row = cell == CDropPaletteButton::kNone ? -1 : m_basedOn->findData(int(cell));
    // Off every cell: the combo's own selection again.
    if (row < 0)
        row = m_shownRow;
    m_basedOn->setCurrentIndex(row);
}

bool CFTabGeneral::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Hide && m_basedOn && qobject_cast<CPalettePopup*>(watched))
        m_basedOn->setCurrentIndex(m_shownRow);
    return CFigPage::eventFilter(watched, e);
}

void CFTabGeneral::OnStyleChosen()
{
    m_shownRow = m_basedOn->currentIndex();
    const int index = m_basedOn->currentData().toInt();
    if (index == kMixedStyles) {
        // Each object keeps the style it has.
        D().mask.m_bSheet[kSheetStyle] = 0;
        Changed();
        return;
    }
    ChooseStyle(index);
}

void CFTabGeneral::ChooseStyle(int index)
{
    FigSheetData& d = D();
    d.style = index;
    d.mask.m_bSheet[kSheetStyle] = 1;
    if (const CFigStyle* s = index >= 0 ? d.doc->m_figStyles.GetAt(index) : nullptr) {
        CFigProps next = s->m_props;
        next.Behavior = d.props.Behavior;
        CFigPropMask diff;
        diff.SetDiff(d.props, next);
        d.mask.CFigPropMask::OrWith(diff);
        d.props = next;
    }
    Sheet()->ReloadActivePage();
    Changed();
}

QPushButton* CFTabGeneral::AddButton(int id, const char* text)
{
    auto* b = new QPushButton(text, this);
    SetDlgCtrlID(b, id);
    b->setAutoDefault(false);
    return b;
}

void CFTabGeneral::AddShapeButtons(QGridLayout* grid, int& row)
{
    const FigSheetData& d = D();
    const bool styles = d.variant == kFigSheetStyles;
    if (styles) {
        m_sizeFromSelected = AddButton(IDC_SIZE_FROM_SELECTED, "&From Selected");
        grid->addWidget(m_sizeFromSelected, row++, 3);
        connect(m_sizeFromSelected, &QPushButton::clicked, this, [this] { OnSizeFromSelected(); });
    }
    if (d.label)
        return;
    m_fromGallery = AddButton(IDC_FROM_GALLERY, "Sy&mbol from\nGallery...");
    m_fromFile = AddButton(IDC_FROM_FILE, "&Graphic from\nFile...");
    m_fromClipboard = AddButton(IDC_FROM_CLIPBOARD, "Grap&hic from\nClipboard");
    grid->addWidget(m_fromGallery, row, 0);
    grid->addWidget(m_fromFile, row, 1);
    grid->addWidget(m_fromClipboard, row, 2);
    connect(m_fromGallery, &QPushButton::clicked, this, [this] { OnSymbolFromGallery(); });
    connect(m_fromFile, &QPushButton::clicked, this, [this] { OnGraphicFromFile(); });
    connect(m_fromClipboard, &QPushButton::clicked, this, [this] { OnGraphicFromClipboard(); });
    if (styles) {
        m_fromSelected = AddButton(IDC_FROM_SELECTED, "Gr&aphic from\nSelected");
        grid->addWidget(m_fromSelected, row, 3);
        connect(m_fromSelected, &QPushButton::clicked, this, [this] { OnGraphicFromSelected(); });
    }
    ++row;
}

void CFTabGeneral::OnBind()
{
    FigSheetData& d = D();
    d.props.BindToStyle = m_bind->isChecked();
    d.mask.m_bBindToStyle = 1;
    const CFigStyle* style = d.style >= 0 ? d.doc->m_figStyles.GetAt(d.style) : nullptr;
    if (d.props.BindToStyle && d.variant == kFigSheetProps && !d.several && style) {
        // A bound object follows its style from now on: offer to make it
        // look like the style at once.
        CFigProps bound = style->m_props;
        bound.BindToStyle = 1;
        CFigPropMask diff;
        diff.SetDiff(d.props, bound);
        if (diff.CountSet() > 0 &&
            MsgBoxResTexts(MB_YESNO | MB_ICONQUESTION, IDS_BIND_DIFFERS, {}) == IDYES) {
            d.props = bound;
            d.mask.CFigPropMask::OrWith(diff);
            Sheet()->ReloadActivePage();
        }
    }
    Changed();
}

bool CFTabGeneral::Exchange(bool save)
{
    FigSheetData& d = D();
    if (save) {
        for (CNumEdit* e : {m_left, m_top, m_width, m_height, m_borderWidth})
            if (e && !e->Save(true)) {
                e->setFocus();
                return false;
            }
        if (m_borderWidth && d.mask.m_bBorderWidth)
            d.props.BorderWidth = m_borderWidthValue;
        if (m_category) {
            const std::string cat = QStringToAnsi(m_category->currentText());
            d.category = cat == FindResString(IDS_NO_CATEGORY) ? std::string() : cat;
        }
        return true;
    }
    if (m_basedOn) {
        const int shown = d.stylesDiffer && !d.mask.m_bSheet[kSheetStyle] ? kMixedStyles
                          : d.style >= 0 && d.doc->m_figStyles.GetAt(d.style) ? d.style
                                                                              : kNoStyle;
        m_shownRow = m_basedOn->findData(shown);
        m_basedOn->setCurrentIndex(m_shownRow);
    }
    if (m_description)
        m_description->setText(AnsiToQString(d.description));
    if (m_category)
        m_category->setCurrentText(d.category.empty() ? Res(IDS_NO_CATEGORY) : AnsiToQString(d.category));
    if (m_styleBar) {
        m_styleBar->setChecked(d.hasButton);
        m_inMenu->setChecked(d.inMenu);
    }
    m_bind->setChecked(d.props.BindToStyle != 0);
    m_borderWidthValue = d.props.BorderWidth;
    for (CNumEdit* e : {m_left, m_top, m_width, m_height, m_borderWidth})
        if (e)
            e->Load();
    const bool picture = d.IsPicture();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    m_fillColor->SetColor(d.props.m_fill.GetColorOrNone());
    m_textColor->SetColor(picture ? face : d.props.TextColor);
    if (m_borderColor)
        m_borderColor->SetColor(picture ? face : d.props.BorderColor);
    if (m_shadow)
        m_shadow->setChecked(d.props.Shadow != 0);
    if (m_widthList)
        m_widthList->SetWidth(d.props.BorderWidth);
    if (m_pattern)
        m_pattern->SetPattern(PatternApplies(d) ? d.props.PenStyle : 0);
    if (m_picker)
        m_picker->SetSample(d.several && !d.mask.m_bSheet[kSheetStyle] ? -1 : d.style);
    Enable();
    return true;
}

void CFTabGeneral::Enable()
{
    const FigSheetData& d = D();
    const bool picture = d.IsPicture();
    m_textColor->setEnabled(!picture);
    if (m_borderColor) {
        m_borderColor->setEnabled(!picture);
        m_borderWidth->setEnabled(!picture);
        m_widthList->setEnabled(!picture);
        m_pattern->setEnabled(!picture && PatternApplies(d));
    }
    if (m_picker)
        m_picker->setEnabled(HasStyleOfKind(d));
    const CFigStyle* style = d.style >= 0 ? d.doc->m_figStyles.GetAt(d.style) : nullptr;
    m_bind->setEnabled(d.variant == kFigSheetStyles || (!picture && style));
    if (m_shadow)
        m_shadow->setEnabled(picture || (d.props.m_fill.m_nKind != 0 && (!d.IsSingle() || SymbolAllowsShadow(d))));
    const bool single = !d.several;
    m_height->setEnabled(!(single && (d.attrFlags & kLockSize)));
    m_width->setEnabled(!(single && (d.attrFlags & kLockSize)));
    if (m_left) {
        m_left->setEnabled(!(single && (d.attrFlags & kLockPosition)));
        m_top->setEnabled(!(single && (d.attrFlags & kLockPosition)));
    }
    EnableShapeButtons();
}

bool CFTabGeneral::OnApply()
{
    // An emptied field leaves each object's own value (the field's flag is
    // already clear); nothing else to drop here.
    return true;
}

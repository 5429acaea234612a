#include "dialogs/sheets/CFTabText.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CFigPreviewWnd.h"
#include "controls/FontCombos.h"
#include "core/MsgBox.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/EditText.h"
#include "controls/CColorDropButton.h"
#include "dialogs/sheets/SheetColorButton.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"
#include "controls/CPlacedColorDialog.h"
#include "platform/CDC.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupQueries.h"
#include "richtext/TextFormatRec.h"
#include "richtext/TextUtils.h"
#include "shapes/CFigSymbol.h"

#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <cstdlib>

namespace {
constexpr UINT IDS_TEXT_LABEL = 641, IDS_DEFAULT_TEXT_LABEL = 642, IDS_SIZE_RANGE = 644, IDS_TOO_LONG = 515;
constexpr DWORD kWrapFlag = 0x8000;
constexpr const char* kSection = "\\sect ";
// Alignment bits of the text format: left, centre, right; top, middle, bottom.
constexpr int kHBits[] = {4, 2, 1};
constexpr int kVBits[] = {0x40, 0x20, 0x10};

QString Res(UINT id)
{
    const char* s = FindResString(id);
    return AnsiToQString(s ? s : "");
}
} // namespace

CFTabText::CFTabText(CFTabSheet* sheet) : CFigPage(sheet, "Text") {}

bool CFTabText::BoxMode() const
{
    return D().IsSingle() && BoxCount() >= 2;
}

LOGFONT& CFTabText::Font()
{
    return BoxMode() ? m_boxFont : D().props.m_font.m_lf;
}

WORD& CFTabText::AlignWord()
{
    return BoxMode() ? m_boxAlign : D().props.TextFormat;
}

COLORREF& CFTabText::Color()
{
    return BoxMode() ? m_boxColor : D().props.TextColor;
}

void CFTabText::LoadBoxFormat()
{
    const FigSheetData& d = D();
    // A box without a prefix of its own shows the figure's format.
    TextFormatRec f;
    f.Init();
    f.font = d.props.m_font.m_lf;
    f.align = d.props.TextFormat;
    std::string prefix;
    ExtractSubStringByDelim(d.secondText, kSection, m_box, prefix);
    f.SetFromMarkup(prefix);
    m_boxFont = f.font;
    m_boxAlign = f.align;
    m_boxColor = f.color == kNoColor ? d.props.TextColor : f.color;
}

bool CFTabText::StoreBoxFormat()
{
    FigSheetData& d = D();
    std::string prefix;
    std::string second = d.secondText;
    if (!BuildMarkupFontPrefix(prefix, m_boxAlign, m_boxFont, m_boxColor, kMarkupPrefixLimit) ||
        !ReplaceSubStringByDelim(second, kSection, m_box, prefix, int(CFigure::kMaxSecondText)))
        return false;
    if (second != d.secondText) {
        d.secondText = second;
        d.changed = 1;
    }
    return true;
}

void CFTabText::FormatChanged()
{
    if (BoxMode() && !StoreBoxFormat())
        MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_TOO_LONG, {});
    Changed();
}

int CFTabText::BoxCount() const
{
    const FigSheetData& d = D();
    if (d.IsPicture() || d.IsAll())
        return 0;
    const CFigSymbol* s = d.doc->m_figSymbols.GetAt(d.props.Symbol);
    return s ? std::min<int>(s->m_nTextBoxes, CFigure::kMaxTextAreas) : 0;
}

void CFTabText::OnInitPage()
{
    m_box = std::max(D().startBox, 0);
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(Res(D().variant == kFigSheetStyles ? IDS_DEFAULT_TEXT_LABEL : IDS_TEXT_LABEL), this);
    SetDlgCtrlID(label, IDC_TEXT_LABEL);
    grid->addWidget(label, 0, 0);
    MakeTextEdit();
    label->setBuddy(m_edit);
    grid->addWidget(m_edit, 1, 0, 1, 3);
    m_preview = new CFigPreviewWnd(D().doc, this);
    SetDlgCtrlID(m_preview, IDC_PREVIEW);
    m_preview->setMinimumSize(120, 90);
    m_preview->SetSectionMode(true);
    m_preview->SetShowText(true);
    grid->addWidget(m_preview, 1, 3);

    m_spin = new QSpinBox(this);
    SetDlgCtrlID(m_spin, IDC_BOX_SPIN);
    m_add = new QPushButton("Add", this);
    m_delete = new QPushButton("Delete", this);
    SetDlgCtrlID(m_add, IDC_ADD);
    SetDlgCtrlID(m_delete, IDC_DELETE);
    // Text boxes come from the symbol; these buttons have nothing to do.
    m_add->setEnabled(false);
    m_delete->setEnabled(false);
    m_hidden = new QCheckBox("&Hidden", this);
    SetDlgCtrlID(m_hidden, IDC_HIDDEN);
    grid->addWidget(new QLabel("Text box:", this), 2, 0);
    grid->addWidget(m_spin, 2, 1);
    grid->addWidget(m_add, 2, 2);
    grid->addWidget(m_delete, 2, 3);
    grid->addWidget(m_hidden, 3, 0);
    if (D().label) {
        m_spin->hide();
        m_hidden->hide();
    }
    connect(m_spin, &QSpinBox::valueChanged, this, [this](int v) {
        if (Loading() || !Exchange(true))
            return;
        m_box = v - 1;
        UpdateData(false);
    });
    connect(m_hidden, &QCheckBox::clicked, this, [this](bool on) {
        const int bit = 1 << m_box;
        D().props.HideText = on ? (D().props.HideText | bit) : (D().props.HideText & ~bit);
        D().mask.m_bHideText = 1;
        Changed();
    });

    m_hAlign = new QButtonGroup(this);
    m_vAlign = new QButtonGroup(this);
    const char* hText[] = {"&Left", "&Center", "&Right"};
    const char* vText[] = {"T&op", "&Middle", "&Bottom"};
    for (int i = 0; i < 3; ++i) {
        auto* h = new QRadioButton(hText[i], this);
        auto* v = new QRadioButton(vText[i], this);
        SetDlgCtrlID(h, IDC_LEFT + i);
        SetDlgCtrlID(v, IDC_TOP + i);
        m_hAlign->addButton(h, IDC_LEFT + i);
        m_vAlign->addButton(v, IDC_TOP + i);
        grid->addWidget(h, 4, i);
        grid->addWidget(v, 5, i);
    }
    connect(m_hAlign, &QButtonGroup::idClicked, this, [this](int id) { OnAlign(id); });
    connect(m_vAlign, &QButtonGroup::idClicked, this, [this](int id) { OnAlign(id); });

    m_font = new QComboBox(this);
    SetDlgCtrlID(m_font, IDC_FONT);
    m_font->addItem(QString());
    CopyFontComboItems(m_font, true);
    m_size = new QComboBox(this);
    m_size->setEditable(true);
    SetDlgCtrlID(m_size, IDC_SIZE);
    FillFontSizeCombo(m_size);
    auto* fontLabel = new QLabel("&Font:", this);
    fontLabel->setBuddy(m_font);
    grid->addWidget(fontLabel, 6, 0);
    grid->addWidget(m_font, 6, 1, 1, 2);
    grid->addWidget(m_size, 6, 3);
    m_bold = new QCheckBox("Bol&d", this);
    m_italic = new QCheckBox("It&alic", this);
    m_underline = new QCheckBox("&Underline", this);
    SetDlgCtrlID(m_bold, IDC_BOLD);
    SetDlgCtrlID(m_italic, IDC_ITALIC);
    SetDlgCtrlID(m_underline, IDC_UNDERLINE);
    grid->addWidget(m_bold, 7, 0);
    grid->addWidget(m_italic, 7, 1);
    grid->addWidget(m_underline, 7, 2);
    m_color = MakeSheetColorButton(this, IDC_TEXT_COLOR, false);
    grid->addWidget(new QLabel("Text color:", this), 8, 0);
    grid->addWidget(m_color, 8, 1);
    grid->setRowStretch(1, 1);

    connect(m_font, &QComboBox::activated, this, [this] { OnFontChanged(); });
    connect(m_size, &QComboBox::currentTextChanged, this, [this] {
        if (Loading())
            return;
        m_sizeEdited = true;
        D().mask.m_bFont = 1;
        // The box's prefix takes the size when the page stores.
        if (BoxMode())
            D().changed = 1;
        Changed();
    });
    for (QCheckBox* c : {m_bold, m_italic, m_underline})
        connect(c, &QCheckBox::clicked, this, [this] { OnFontChanged(); });
    OnSheetColorChosen(m_color, this, [this](COLORREF c) {
        Color() = c;
        D().mask.m_bTextColor = 1;
        FormatChanged();
    });
    auto* dialogButton = new QPushButton("...", this);
    SetDlgCtrlID(dialogButton, IDC_FONT_DIALOG);
    dialogButton->setAutoDefault(false);
    grid->addWidget(dialogButton, 7, 3);
    connect(dialogButton, &QPushButton::clicked, this, [this] { OnFontDialog(); });
    if (D().variant == kFigSheetStyles) {
        m_fromSelected = new QPushButton("From &Selected", this);
        SetDlgCtrlID(m_fromSelected, IDC_FROM_SELECTED);
        m_fromSelected->setAutoDefault(false);
        grid->addWidget(m_fromSelected, 8, 3);
        connect(m_fromSelected, &QPushButton::clicked, this, [this] { OnFromSelected(); });
    }
}

void CFTabText::MakeTextEdit()
{
    // The edit scrolls sideways only while the figure does not wrap its text.
    const bool wraps = (D().props.Behavior.low & kWrapFlag) != 0;
    if (!m_edit) {
        m_edit = new QPlainTextEdit(this);
        SetDlgCtrlID(m_edit, IDC_TEXT);
        m_edit->setTabChangesFocus(true);
        connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
            if (Loading())
                return;
            m_textEdited = true;
            D().mask.m_bSheet[kSheetText] = 1;
            ShowInPreview();
            Changed();
        });
    }
    m_editWraps = wraps;
    m_edit->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void CFTabText::ShowInPreview()
{
    const FigSheetData& d = D();
    std::string text = d.text;
    if (m_textEdited) {
        // The typed text in its box, as it would be stored.
        std::string piece = QStringToAnsi(m_edit->toPlainText());
        PlainTextToMarkup(piece);
        ReplaceSubStringByDelim(text, kSection, m_box, piece, int(CFigure::kMaxText));
    }
    m_preview->SetBlank(d.IsAll());
    m_preview->SetFig(d.props);
    m_preview->SetExtent(int(d.width), int(d.height));
    m_preview->SetText(text, d.secondText);
    m_preview->SetSelectedSection(BoxCount() > 1 ? m_box : -1);
}

bool CFTabText::event(QEvent* e)
{
    if (e->type() == CDlgCommandEvent::EventType()) {
        const auto* c = static_cast<CDlgCommandEvent*>(e);
        // A click on a text box in the preview makes it the current box.
        if (c->ControlId() == IDC_PREVIEW && c->Code() == CFigPreviewWnd::kNotifyChanged) {
            const int box = m_preview->GetSelectedSection();
            if (box >= 0 && box < BoxCount() && box != m_box && Exchange(true)) {
                m_box = box;
                UpdateData(false);
            }
        }
        return true;
    }
    return CFigPage::event(e);
}

void CFTabText::OnPageActive()
{
    if (((D().props.Behavior.low & kWrapFlag) != 0) != m_editWraps)
        MakeTextEdit();
}

void CFTabText::OnAlign(int id)
{
    FigSheetData& d = D();
    const bool horizontal = id < IDC_TOP;
    const int bit = horizontal ? kHBits[id - IDC_LEFT] : kVBits[id - IDC_TOP];
    d.mask.m_bTextFormat = 1;
    if (BoxMode()) {
        // The box's own alignment: the figure's anchors stay.
        const WORD group = horizontal ? 0x7 : 0x70;
        m_boxAlign = WORD((m_boxAlign & ~group) | bit);
        FormatChanged();
        return;
    }
    DWORD changed[2] = {};
    // One object in single-format mode moves its anchors with the alignment.
    const bool flags = d.label || !d.several;
    d.props.SetTextAlign(unsigned(bit), flags, changed);
    d.mask.m_behavior.low |= changed[0];
    d.mask.m_behavior.high |= changed[1];
    Changed();
}

void CFTabText::OnFontChanged()
{
    if (Loading())
        return;
    LOGFONT& lf = Font();
    const std::string face = QStringToAnsi(m_font->currentText());
    if (!face.empty())
        SetLogFontFace(lf, face.c_str());
    lf.lfWeight = m_bold->isChecked() ? 700 : 0;
    lf.lfItalic = m_italic->isChecked();
    lf.lfUnderline = m_underline->isChecked();
    D().mask.m_bFont = 1;
    FormatChanged();
}

void CFTabText::OnFontDialog()
{
    // The dialog works in pixels of the screen; the record keeps points.
    const int dpi = DisplayDeviceCaps().logPixelsY;
    LOGFONT device = Font();
    const int points = std::abs(device.lfHeight);
    device.lfHeight = -MulDiv(points > 0 ? points : 10, dpi, 72);
    CNoColorFontDialog dialog(device, 0, this);
    dialog.OnInitDialog();
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.GetLogFont(device);
    LOGFONT& lf = Font();
    const int height = std::abs(device.lfHeight);
    lf.lfHeight = -std::max(1, MulDiv(height, 72, dpi));
    lf.lfWeight = device.lfWeight > 400 ? 700 : 0;
    lf.lfItalic = device.lfItalic;
    lf.lfUnderline = device.lfUnderline;
    SetLogFontFace(lf, device.lfFaceName);
    D().mask.m_bFont = 1;
    FormatChanged();
    UpdateData(false);
}

void CFTabText::OnFromSelected()
{
    FigSheetData& d = D();
    if (!d.sample.present)
        return;
    d.text = d.savedText = d.sample.text;
    d.secondText = d.savedSecondText = d.sample.secondText;
    d.hadFormatting = MarkupHasFormatting(d.text);
    d.mask.m_bSheet[kSheetText] = 1;
    UpdateData(false);
    Sheet()->RedrawPreview();
    Changed();
    m_edit->setFocus();
}

bool CFTabText::Exchange(bool save)
{
    FigSheetData& d = D();
    const int boxes = BoxCount();
    if (m_box >= std::max(boxes, 1))
        m_box = 0;
    LOGFONT& lf = Font();
    if (save) {
        if (m_textEdited) {
            std::string piece = QStringToAnsi(m_edit->toPlainText());
            PlainTextToMarkup(piece);
            std::string text = d.text;
            if (!ReplaceSubStringByDelim(text, kSection, m_box, piece, int(CFigure::kMaxText))) {
                MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_TOO_LONG, {});
                m_edit->setFocus();
                return false;
            }
            d.text = text;
            m_textEdited = false;
        }
        const std::string sizeText = QStringToAnsi(m_size->currentText());
        const bool sized = m_sizeEdited && !sizeText.empty();
        if (sized) {
            char* end = nullptr;
            const long size = std::strtol(sizeText.c_str(), &end, 10);
            if (end == sizeText.c_str() || *end || size < kMinSize || size > kMaxSize) {
                MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_SIZE_RANGE, kMinSize, kMaxSize);
                m_size->setFocus();
                return false;
            }
            lf.lfHeight = -LONG(size);
            m_sizeEdited = false;
        }
        // A box's prefix is written only when its format was edited, so
        // that stepping through the boxes changes nothing.
        if (sized && BoxMode() && !StoreBoxFormat()) {
            MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_TOO_LONG, {});
            return false;
        }
        return true;
    }
    if (BoxMode())
        LoadBoxFormat();
    std::string piece;
    ExtractSubStringByDelim(d.text, kSection, m_box, piece);
    MarkupToPlainText(piece);
    const QString shown = PlainTextForEdit(piece);
    if (m_edit->toPlainText() != shown)
        m_edit->setPlainText(shown);
    m_textEdited = false;
    m_spin->setRange(1, std::max(boxes, 1));
    m_spin->setValue(m_box + 1);
    m_hidden->setChecked((d.props.HideText >> m_box) & 1);
    const bool mixed = (d.several || d.IsAll()) && !d.mask.m_bTextFormat;
    for (QButtonGroup* g : {m_hAlign, m_vAlign}) {
        g->setExclusive(false);
        for (QAbstractButton* b : g->buttons())
            b->setChecked(false);
        g->setExclusive(true);
    }
    if (!mixed) {
        for (int i = 0; i < 3; ++i)
            if (AlignWord() & kHBits[i]) {
                m_hAlign->button(IDC_LEFT + i)->setChecked(true);
                break;
            }
        for (int i = 0; i < 3; ++i)
            if (AlignWord() & kVBits[i]) {
                m_vAlign->button(IDC_TOP + i)->setChecked(true);
                break;
            }
    }
    const bool fontMixed = (d.several || d.IsAll()) && !d.mask.m_bFont;
    const int faceIndex = fontMixed ? 0 : m_font->findText(AnsiToQString(lf.lfFaceName));
    m_font->setCurrentIndex(std::max(faceIndex, 0));
    m_size->setCurrentText(fontMixed || lf.lfHeight == 0 ? QString() : QString::number(std::abs(lf.lfHeight)));
    m_sizeEdited = false;
    m_bold->setChecked(lf.lfWeight > 400);
    m_italic->setChecked(lf.lfItalic != 0);
    m_underline->setChecked(lf.lfUnderline != 0);
    m_color->SetColor(d.IsPicture() ? GetSysColor(COLOR_BTNFACE) : Color());
    ShowInPreview();
    Enable();
    return true;
}

void CFTabText::Enable()
{
    const FigSheetData& d = D();
    const int boxes = BoxCount();
    const bool noText = d.IsPicture() || (!d.several && !d.IsAll() && boxes == 0 && !d.label);
    const bool formatOn = !noText;
    for (QWidget* w : std::initializer_list<QWidget*>{m_font, m_size, m_color})
        w->setEnabled(formatOn);
    const bool styleOn = formatOn && !(d.several && (m_font->currentText().isEmpty() || m_size->currentText().isEmpty()));
    for (QWidget* w : std::initializer_list<QWidget*>{m_bold, m_italic, m_underline})
        w->setEnabled(styleOn);
    const bool alignOn = formatOn && !(!d.several && (d.attrFlags & kLockTextFormat));
    for (QAbstractButton* b : m_hAlign->buttons() + m_vAlign->buttons())
        b->setEnabled(alignOn);
    const bool editOn = d.IsSingle() && !d.IsPicture() && (boxes > 0 || d.label);
    m_edit->setEnabled(editOn);
    m_preview->setEnabled(editOn);
    m_hidden->setEnabled(editOn && !d.label);
    m_spin->setEnabled(editOn && boxes >= 2);
    if (m_fromSelected)
        m_fromSelected->setEnabled(d.sample.present && !d.sample.graphic && !d.IsAll());
}

bool CFTabText::OnApply()
{
    // Several objects with no font name or size keep each its own font.
    if (D().several && (m_font->currentText().isEmpty() || m_size->currentText().isEmpty()))
        D().mask.m_bFont = 0;
    return true;
}

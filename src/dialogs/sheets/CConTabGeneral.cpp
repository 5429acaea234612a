#include "dialogs/sheets/CConTabGeneral.h"

#include "controls/CStyleButtons.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "dialogs/DialogPictures.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CConStylesLibrary.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
constexpr UINT IDS_NONE = 518, IDS_BIND_QUESTION = 645;

QString Res(UINT id)
{
    std::string text;
    return AnsiToQString(LoadCStringRes(text, id));
}
} // namespace

CCTabGeneral::CCTabGeneral(CConSheetData& data, QWidget* parent)
    : CConPage(data, "General", parent), m_description(new QLineEdit(this)), m_category(new QComboBox(this)),
      m_basedOn(new QComboBox(this)), m_picker(new CConStyleButton()), m_assist(new QButtonGroup(this))
{
    SetDlgCtrlID(m_description, kDescription);
    SetDlgCtrlID(m_category, kCategory);
    SetDlgCtrlID(m_basedOn, kBasedOn);
    m_description->setMaxLength(80);
    m_category->setEditable(true);
    m_category->lineEdit()->setMaxLength(30);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    auto* grid = new QGridLayout(this);
    int row = 0;
    QLabel* label = AddLabel(1304, "&Description:");
    label->setBuddy(m_description);
    grid->addWidget(label, row, 0);
    grid->addWidget(m_description, row++, 1, 1, 2);
    label = AddLabel(1285, "Belongs to &category:");
    label->setBuddy(m_category);
    grid->addWidget(label, row, 0);
    grid->addWidget(m_category, row++, 1, 1, 2);
    label = AddLabel(1319, "B&ased on style:");
    label->setBuddy(m_basedOn);
    grid->addWidget(label, row, 0);
    grid->addWidget(m_basedOn, row, 1);
    m_picker->setText("Styles");
    m_picker->Create(kStylesPicker, this, 0, m_data.doc, false);
    m_picker->setMinimumWidth(80);
    grid->addWidget(m_picker, row++, 2);
    grid->addWidget(AddCheck(kBind, "&Bind to style"), row++, 0, 1, 3);
    grid->addWidget(AddCheck(kInDropMenu, "In drop &menu"), row++, 0, 1, 3);
    grid->addWidget(AddCheck(kStyleBar, "&Style bar button"), row++, 0, 1, 3);
    grid->addWidget(AddLabel(2630, "Orthogonal"), row++, 0, 1, 3);
    grid->addWidget(AddLabel(2631, "Assistance creating vertical and horizontal lines:"), row++, 0, 1, 3);
    grid->addWidget(MakePictureStatic(this, 2643, kBmpOrthogonal, true), row, 2, 3, 1, Qt::AlignRight);
    grid->addWidget(AddRadio(m_assist, kManual, "Ma&nual (no assistance)"), row++, 0, 1, 2);
    grid->addWidget(AddRadio(m_assist, kGuided, "&Guided (recommended)"), row++, 0, 1, 2);
    grid->addWidget(AddRadio(m_assist, kAutomated, "A&utomated and routed (advanced)"), row++, 0, 1, 2);
    grid->addWidget(AddCheck(kDots, "D&ots at junction of three or more connectors"), row, 0, 1, 2);
    grid->addWidget(MakePictureStatic(this, kDotsPicture, kBmpConJunctionDots, true), row++, 2, Qt::AlignRight);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    connect(m_description, &QLineEdit::textEdited, this, [this] {
        m_data.attrs.description = QStringToAnsi(m_description->text());
        m_data.mask.m_bEx[kConExDescription] = 1;
        Changed();
    });
    connect(m_category, &QComboBox::currentTextChanged, this, [this] {
        if (!m_category->signalsBlocked())
            Change([this] { m_data.mask.m_bEx[kConExCategory] = 1; });
    });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kStyleBar)), &QCheckBox::clicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExStyleBar] = 1; }); });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kInDropMenu)), &QCheckBox::clicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExDropMenu] = 1; }); });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kBind)), &QCheckBox::clicked, this, [this] { OnBind(); });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kDots)), &QCheckBox::clicked, this,
            [this] { Change([this] { m_data.MarkBits(kConDots); }); });
    // The assistance bits join the other changed bits: flag-word changes
    // made on other pages stay part of the apply.
    connect(m_assist, &QButtonGroup::idClicked, this,
            [this] { Change([this] { m_data.MarkBits(kConOrthoManual | kConOrthoOff); }); });
    connect(m_basedOn, &QComboBox::activated, this, [this](int row) { OnBasedOn(row); });
    connect(m_picker, &CStylePickerButton::styleChosen, this, [this](int index) {
        const int row = m_basedOn->findData(index);
        if (row < 0)
            return;
        m_basedOn->setCurrentIndex(row);
        OnBasedOn(row);
    });
}

void CCTabGeneral::OnInitPage()
{
    FillBasedOn();
    if (m_data.IsStyles())
        FillCategories();
}

void CCTabGeneral::FillBasedOn()
{
    m_basedOn->clear();
    QList<QPair<QString, int>> entries;
    if (const CConStylesLibrary* lib = m_data.Library())
        for (int i = 0; i < lib->GetCount(); ++i)
            entries.append({AnsiToQString(lib->GetAt(i)->m_strName), i});
    std::sort(entries.begin(), entries.end());
    if (!m_data.IsStyles()) {
        // Each connector keeps its style; no style.
        m_basedOn->addItem(QString(), kConStyleDiffers);
        m_basedOn->addItem(Res(IDS_NONE), -1);
    }
    for (const auto& e : entries)
        m_basedOn->addItem(e.first, e.second);
    m_basedOn->setMaxVisibleItems(12);
}

void CCTabGeneral::FillCategories()
{
    const QSignalBlocker block(m_category);
    const QString shown = m_category->currentText();
    m_category->clear();
    const QString none = AnsiToQString(NoCategoryName());
    if (CConStylesLibrary* lib = m_data.Library()) {
        lib->SetChanged();
        const StyleCategoryList& list = lib->GetCategories(0);
        for (int i = 0; i < list.m_nCount; ++i)
            if (AnsiToQString(list.m_cat[i].m_strName) != none)
                m_category->addItem(AnsiToQString(list.m_cat[i].m_strName));
    }
    m_category->addItem(none);
    m_category->setMaxVisibleItems(16);
    m_category->setEditText(shown);
}

bool CCTabGeneral::Exchange(bool save)
{
    CConSheetData& d = m_data;
    const QString none = AnsiToQString(NoCategoryName());
    FigFlagSet& flags = d.props.Behavior;
    if (save) {
        d.attrs.description = QStringToAnsi(m_description->text());
        const QString category = m_category->currentText();
        d.attrs.category = category == none ? std::string() : QStringToAnsi(category);
        d.attrs.styleBarButton = Checked(kStyleBar);
        d.attrs.inDropMenu = Checked(kInDropMenu);
        d.props.BindToStyle = Checked(kBind);
        SetFlagBits(flags, kConDots, 0, Checked(kDots));
        SetFlagBits(flags, kConOrthoManual, 0, false);
        SetFlagBits(flags, kConOrthoOff, 0, true);
        if (Checked(kAutomated))
            SetFlagBits(flags, kConOrthoManual, 0, true);
        else if (Checked(kGuided))
            SetFlagBits(flags, kConOrthoOff, 0, false);
        return true;
    }
    if (m_description->text() != AnsiToQString(d.attrs.description))
        m_description->setText(AnsiToQString(d.attrs.description));
    QString category = AnsiToQString(d.attrs.category);
    if (d.IsStyles() && d.curStyle != kConStyleAll && category.isEmpty())
        category = none;
    if (m_category->currentText() != category) {
        const QSignalBlocker block(m_category);
        m_category->setEditText(category);
    }
    SetChecked(kStyleBar, d.attrs.styleBarButton);
    SetChecked(kInDropMenu, d.attrs.inDropMenu);
    SetChecked(kBind, d.props.BindToStyle);
    if (!d.IsStyles()) {
        const int at = d.differs[kDiffStyle] ? 0 : m_basedOn->findData(d.curStyle);
        m_basedOn->setCurrentIndex(at >= 0 ? at : 1);
        m_picker->SetSample(d.several || d.differs[kDiffStyle] ? -1 : d.curStyle);
    }
    const int assist = !(flags.low & kConOrthoOff) ? kGuided : (flags.low & kConOrthoManual) ? kAutomated : kManual;
    SetChecked(assist, true);
    SetChecked(kDots, flags.low & kConDots);
    return true;
}

void CCTabGeneral::UpdateControls()
{
    const bool styles = m_data.IsStyles();
    for (int id : {1304, kDescription, 1285, kCategory, kStyleBar, kInDropMenu})
        Show(id, styles);
    for (int id : {1319, kBasedOn, kStylesPicker})
        Show(id, !styles);
    const CConStylesLibrary* lib = m_data.Library();
    Enable(kStylesPicker, lib && lib->GetCount() > 0);
    const bool automated = EnableAutoOrthogonal != 0;
    Show(kAutomated, automated);
    Enable(kAutomated, automated);
    Show(kDots, false);
    Show(kDotsPicture, false);
    Enable(kDots, false);
    Enable(kBind, styles || m_data.CurrentStyle() != nullptr);
}

void CCTabGeneral::OnBasedOn(int row)
{
    const int index = m_basedOn->itemData(row).toInt();
    Change([this, index] {
        CConSheetData& d = m_data;
        if (index == kConStyleDiffers) {
            d.differs[kDiffStyle] = 1;
            d.styleFlag = 0;
            return;
        }
        d.curStyle = index;
        if (const CConStyle* style = d.CurrentStyle()) {
            CConPropMask diff;
            diff.SetDiff(style->m_props, d.props);
            d.props = style->m_props;
            static_cast<CConPropMask&>(d.mask).OrWith(diff);
        }
        d.differs[kDiffStyle] = 0;
        d.styleFlag = 1;
    });
}

void CCTabGeneral::OnBind()
{
    Change([this] {
        CConSheetData& d = m_data;
        const CConStyle* style = d.CurrentStyle();
        if (d.props.BindToStyle && !d.IsStyles() && !d.several && style) {
            CConPropMask diff;
            diff.SetDiff(d.props, style->m_props);
            const int count = diff.CountSet();
            if ((count > 1 || (count == 1 && !diff.m_bBindToStyle))
                && MsgBoxResPrintf(MB_YESNO | MB_ICONQUESTION, IDS_BIND_QUESTION) == IDYES) {
                d.props = style->m_props;
                d.props.BindToStyle = 1;
                static_cast<CConPropMask&>(d.mask).OrWith(diff);
            }
        }
        d.mask.m_bBindToStyle = 1;
    });
}

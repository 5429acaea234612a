#include "dialogs/sheets/CConTabAutoLabel.h"

#include "controls/CDataExchange.h"
#include "dialogs/DialogPictures.h"
#include "dialogs/sheets/EditText.h"
#include "core/Settings.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"
#include "richtext/TextUtils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {
const std::string kSection = "\\sect ";
constexpr int kMaxLabelText = 4095;
constexpr UINT IDS_LENGTH = 461;
constexpr double kMaxStampLength = 2560.0;   // 10 inches

struct Orientation {
    int id;
    int degrees;
};
constexpr Orientation kOrientations[] = {{CCTabFragment::kUp, 0},
                                         {CCTabFragment::kDown, 180},
                                         {CCTabFragment::kLeft, 270},
                                         {CCTabFragment::kRight, 90}};
// A picture that the page hides keeps its room, so that the controls
// around it stay where they are.
QWidget* KeepPlace(QWidget* picture)
{
    QSizePolicy policy = picture->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    picture->setSizePolicy(policy);
    return picture;
}
} // namespace

CCTabAutoLabel::CCTabAutoLabel(CConSheetData& data, QWidget* parent)
    : CConPage(data, "Auto-Label", parent), m_text(new QPlainTextEdit(this)), m_position(new QButtonGroup(this))
{
    SetDlgCtrlID(m_text, kText);
    // Lines run on past the edit's width (it scrolls sideways) and break only
    // where the user pressed Return; the vertical scroll bar always shows.
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* grid = new QGridLayout(this);
    grid->addWidget(AddCheck(kAutoLabel, "&Automatically add a default label upon creation"), 0, 0, 1, 3);
    QLabel* label = AddLabel(2639, "Label &text:");
    label->setBuddy(m_text);
    grid->addWidget(label, 1, 0, 1, 3);
    grid->addWidget(m_text, 2, 0, 1, 3);
    grid->addWidget(AddLabel(2769, "Position"), 3, 0, 1, 3);
    // Each position's picture stands above its radio.
    grid->addWidget(KeepPlace(MakePictureStatic(this, kInLinePicture, kBmpLabelInLine, true)), 4, 0);
    grid->addWidget(KeepPlace(MakePictureStatic(this, kAbovePicture, kBmpLabelAbove, true)), 4, 1);
    grid->addWidget(KeepPlace(MakePictureStatic(this, kBelowPicture, kBmpLabelBelow, true)), 4, 2);
    grid->addWidget(AddRadio(m_position, kInLine, "In-line"), 5, 0);
    grid->addWidget(AddRadio(m_position, kAbove, "Above (or right)"), 5, 1);
    grid->addWidget(AddRadio(m_position, kBelow, "Below (or left)"), 5, 2);

    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_text->signalsBlocked())
            return;
        m_bTextChanged = true;
        m_data.mask.m_bEx[kConExLabelText] = 1;
        Changed();
    });
    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kAutoLabel)), &QCheckBox::clicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExAutoLabel] = 1; }); });
    connect(m_position, &QButtonGroup::idClicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExAutoLabel] = 1; }); });
}

bool CCTabAutoLabel::Exchange(bool save)
{
    CConStyleAttrs& a = m_data.attrs;
    if (save) {
        a.autoLabel = Checked(kAutoLabel);
        a.labelPosition = Checked(kInLine) ? 0 : Checked(kBelow) ? -1 : 1;
        if (!m_bTextChanged)
            return true;
        // Only the first section is the page's: the label's later sections
        // stay as they are.
        std::string piece = QStringToAnsi(m_text->toPlainText());
        PlainTextToMarkup(piece);
        if (!ReplaceSubStringByDelim(a.autoLabelText, kSection, 0, piece, kMaxLabelText)) {
            m_text->setFocus();
            return false;
        }
        m_bTextChanged = false;
        return true;
    }
    SetChecked(a.labelPosition == 0 ? kInLine : a.labelPosition == -1 ? kBelow : kAbove, true);
    std::string first;
    ExtractSubStringByDelim(a.autoLabelText, kSection, 0, first);
    MarkupToPlainText(first);
    const QString shown = PlainTextForEdit(first);
    if (m_text->toPlainText() != shown) {
        const QSignalBlocker block(m_text);
        m_text->setPlainText(shown);
    }
    // The edit now shows the stored text: a typed text has been saved by the
    // read before this load, or was dropped with the changes of the style
    // shown before, and must not replace the text of the one shown now.
    m_bTextChanged = false;
    SetChecked(kAutoLabel, a.autoLabel);
    return true;
}

void CCTabAutoLabel::UpdateControls()
{
    const bool on = Checked(kAutoLabel) && !AllStyles();
    Enable(kAutoLabel, !AllStyles());
    for (int id : {2639, kText, 2769, kInLine, kAbove, kBelow})
        Enable(id, on);
    for (int id : {kInLinePicture, kAbovePicture, kBelowPicture})
        Show(id, on);
}

CCTabFragment::CCTabFragment(CConSheetData& data, QWidget* parent)
    : CConPage(data, "Stamp", parent), m_orientation(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(AddCheck(kStamp, "&Create as stamp with fixed length and orientation"), 0, 0, 1, 4);
    QLabel* label = AddLabel(2771, "L&ength:");
    grid->addWidget(label, 1, 0);
    CNumEditSpec spec;
    const bool metric = Metric != 0;
    spec.SetMeasure(this, 0, kMaxStampLength, &m_data.attrs.stampLength, metric, true, 2, int(IDS_LENGTH), true,
                    metric ? 10.0 : 25.6);
    CNumEdit* length = AddNumEdit(kLength, spec, &m_data.mask.m_bEx[kConExStampLength]);
    label->setBuddy(length);
    grid->addWidget(length, 1, 1);
    grid->addWidget(AddLabel(2772, "Orientation"), 2, 0, 1, 4);
    grid->addWidget(PictureBeside(AddRadio(m_orientation, kUp, "&Up"), kUpPicture, kBmpStampUp), 3, 0);
    grid->addWidget(PictureBeside(AddRadio(m_orientation, kDown, "&Down"), kDownPicture, kBmpStampDown), 3, 1);
    grid->addWidget(PictureBeside(AddRadio(m_orientation, kLeft, "&Left"), kLeftPicture, kBmpStampLeft), 3, 2);
    grid->addWidget(PictureBeside(AddRadio(m_orientation, kRight, "&Right"), kRightPicture, kBmpStampRight), 3, 3);
    for (int id : {kUpPicture, kDownPicture, kLeftPicture, kRightPicture})
        KeepPlace(GetDlgItem(this, id));
    grid->setRowStretch(4, 1);

    connect(qobject_cast<QCheckBox*>(GetDlgItem(this, kStamp)), &QCheckBox::clicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExStamp] = 1; }); });
    connect(m_orientation, &QButtonGroup::idClicked, this,
            [this] { Change([this] { m_data.mask.m_bEx[kConExStampAngle] = 1; }); });
}

bool CCTabFragment::Exchange(bool save)
{
    CConStyleAttrs& a = m_data.attrs;
    CDataExchange dx{save, this};
    if (!DDX_NumEdit(dx, kLength))
        return false;
    if (save) {
        a.stamp = Checked(kStamp);
        for (const Orientation& o : kOrientations)
            if (Checked(o.id))
                a.stampAngle = o.degrees;
        return true;
    }
    SetChecked(kStamp, a.stamp);
    // Another angle leaves the radios as they are.
    for (const Orientation& o : kOrientations)
        if (a.stampAngle == o.degrees)
            SetChecked(o.id, true);
    return true;
}

void CCTabFragment::UpdateControls()
{
    const bool on = Checked(kStamp) && !AllStyles();
    Enable(kStamp, !AllStyles());
    for (int id : {2771, kLength, 2772, kUp, kDown, kLeft, kRight})
        Enable(id, on);
    for (int id : {kUpPicture, kDownPicture, kLeftPicture, kRightPicture})
        Show(id, on);
}

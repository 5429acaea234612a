#include "dialogs/sheets/CFTabAutoLabel.h"

#include "core/MsgBox.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/EditText.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "richtext/TextUtils.h"
#include "shapes/CFigStyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr const char* kSection = "\\sect ";
constexpr UINT IDS_TOO_LONG = 515;
} // namespace

CFTabAutoLabel::CFTabAutoLabel(CFTabSheet* sheet) : CFigPage(sheet, "Auto-Label") {}

void CFTabAutoLabel::OnInitPage()
{
    auto* col = new QVBoxLayout(this);
    m_auto = new QCheckBox("&Automatically label objects created using this style", this);
    SetDlgCtrlID(m_auto, IDC_AUTO);
    m_label = new QLabel("Label &text:", this);
    SetDlgCtrlID(m_label, IDC_TEXT_LABEL);
    m_text = new QPlainTextEdit(this);
    SetDlgCtrlID(m_text, IDC_TEXT);
    m_text->setTabChangesFocus(true);
    // Lines break only where Return was pressed; the edit scrolls sideways.
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_label->setBuddy(m_text);
    m_note = new QLabel("The label is made only while the program option \"Automatically label objects\" is on, "
                        "at the diagram's primary label position.",
                        this);
    m_note->setWordWrap(true);
    SetDlgCtrlID(m_note, IDC_NOTE);
    col->addWidget(m_auto);
    col->addWidget(m_label);
    col->addWidget(m_text, 1);
    col->addWidget(m_note);
    connect(m_auto, &QCheckBox::clicked, this, [this](bool on) {
        D().autoLabel = on;
        D().mask.m_bEx[kExAutoLabel] = 1;
        UpdateData(false);
        Changed();
    });
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (Loading())
            return;
        m_edited = true;
        D().mask.m_bEx[kExAutoLabelText] = 1;
        Changed();
    });
}

bool CFTabAutoLabel::Exchange(bool save)
{
    FigSheetData& d = D();
    if (save) {
        if (!m_edited)
            return true;
        std::string piece = QStringToAnsi(m_text->toPlainText());
        PlainTextToMarkup(piece);
        std::string text = d.autoLabelText;
        if (!ReplaceSubStringByDelim(text, kSection, 0, piece, int(CFigStyle::kMaxAutoLabelText))) {
            MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_TOO_LONG, {});
            m_text->setFocus();
            return false;
        }
        d.autoLabelText = text;
        m_edited = false;
        return true;
    }
    m_auto->setChecked(d.autoLabel != 0);
    std::string piece;
    ExtractSubStringByDelim(d.autoLabelText, kSection, 0, piece);
    MarkupToPlainText(piece);
    const QString shown = PlainTextForEdit(piece);
    if (m_text->toPlainText() != shown)
        m_text->setPlainText(shown);
    m_edited = false;
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_label, m_note})
        w->setEnabled(d.autoLabel != 0);
    return true;
}

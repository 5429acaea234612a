#include "dialogs/CSaveHtmlDlg.h"

#include "controls/CColorDropButton.h"
#include "controls/WindowHelpers.h"
#include "core/Settings.h"
#include "core/ShellHelpers.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "render/ExportCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kFormats[] = {4, 7, 5};  // JPEG, GIF, PNG in list order
constexpr int kBackgroundId = 1001;
}

int CSaveHtmlDlg::FormatOfIndex(int index)
{
    return index >= 0 && index < 3 ? kFormats[index] : 4;
}

int CSaveHtmlDlg::IndexOfFormat(int format)
{
    for (int i = 0; i < 3; ++i)
        if (kFormats[i] == format)
            return i;
    return 0;
}

CSaveHtmlDlg::CSaveHtmlDlg(QWidget* parent)
    : CDialog(parent), m_folder(new QLineEdit(this)), m_scale(new QSpinBox(this)),
      m_format(new QListWidget(this)), m_quality(new QSpinBox(this)),
      m_background(new CColorDropButton(this)), m_antialias(new QCheckBox("&Anti-alias (smooth)", this)),
      m_diagrams(new QCheckBox("&Diagrams (as web pages)", this)), m_urls(new QCheckBox("&Web URLs", this)),
      m_documents(new QCheckBox("Doc&uments", this)), m_extension(new QComboBox(this))
{
    setWindowTitle("Save HTML");
    m_scale->setRange(5, 500);
    m_quality->setRange(10, 100);
    m_format->addItems({"JPEG", "GIF", "PNG"});
    m_extension->setEditable(true);
    m_extension->addItems({"htm", "html"});
    // The standard palette with the no-colour entry first.
    m_background->CreatePalette(kBackgroundId, this, PaletteColors, true, true, true);
    auto* browse = new QPushButton("...", this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout;
    // A row whose field is a layout gets no buddy of its own: the label
    // would show its "&".
    auto* folderLabel = new QLabel("&Folder:", this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folderRow);
    form->addRow("&Scale:", m_scale);
    form->addRow("For&mat:", m_format);
    form->addRow("Quality:", m_quality);
    form->addRow("&Background:", m_background);
    form->addRow("File &extension:", m_extension);
    auto* links = new QGroupBox("Include links", this);
    auto* linkCol = new QVBoxLayout(links);
    linkCol->addWidget(m_diagrams);
    linkCol->addWidget(m_urls);
    linkCol->addWidget(m_documents);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* col = new QVBoxLayout(this);
    col->addLayout(form);
    col->addWidget(m_antialias);
    col->addWidget(links);
    col->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &CSaveHtmlDlg::Browse);
    connect(m_format, &QListWidget::currentRowChanged, this, [this](int) { UpdateControls(); });
    OrderTabsByLayout(this);
}

void CSaveHtmlDlg::OnInitDialog()
{
    m_folder->setText(m_options.folder);
    m_scale->setValue(m_options.scale);
    m_format->setCurrentRow(IndexOfFormat(m_options.format));
    m_quality->setValue(m_options.quality);
    m_background->SetColor(m_options.background);
    m_antialias->setChecked(m_options.antialias);
    m_diagrams->setChecked(m_options.links.includeDiagrams);
    m_urls->setChecked(m_options.links.includeUrls);
    m_documents->setChecked(m_options.links.includeDocuments);
    m_extension->setCurrentText(AnsiToQString(m_options.extension));
    UpdateControls();
}

void CSaveHtmlDlg::UpdateControls()
{
    const int format = FormatOfIndex(m_format->currentRow());
    m_quality->setEnabled(format == 4);
    m_antialias->setEnabled(format != 7);
}

void CSaveHtmlDlg::Browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(
        this, "Select the folder where the generated HTML file(s) and images will be stored.  A dedicated empty folder is best.",
        m_folder->text(), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!chosen.isEmpty())
        m_folder->setText(chosen.endsWith('/') ? chosen : chosen + '/');
}

void CSaveHtmlDlg::OnOK()
{
    QString folder = m_folder->text();
    const std::string extension = QStringToAnsi(m_extension->currentText());
    if (!CheckHtmlOptions(folder, extension)) {
        m_folder->setFocus();
        return;
    }
    m_options.folder = folder;
    m_options.extension = extension;
    m_options.scale = m_scale->value();
    m_options.format = FormatOfIndex(m_format->currentRow());
    m_options.quality = m_quality->value();
    m_options.background = m_background->GetColor();
    m_options.antialias = m_antialias->isChecked();
    m_options.links.includeDiagrams = m_diagrams->isChecked();
    m_options.links.includeUrls = m_urls->isChecked();
    m_options.links.includeDocuments = m_documents->isChecked();
    CDialog::OnOK();
}

CSaveHtmlResultDlg::CSaveHtmlResultDlg(QWidget* parent)
    : CDialog(parent), m_list(new QPlainTextEdit(this)), m_view(new QPushButton("&View Web Page", this))
{
    setWindowTitle("Save HTML");
    setModal(false);
    m_list->setReadOnly(true);
    auto* ok = new QPushButton("OK", this);
    BindButton(ok, IDOK);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_view);
    row->addWidget(ok);
    auto* col = new QVBoxLayout(this);
    col->addWidget(new QLabel("Files created or updated during HTML save:", this));
    col->addWidget(m_list);
    col->addLayout(row);
    m_view->setEnabled(false);
    connect(m_view, &QPushButton::clicked, this, [this] {
        OpenUrlInBrowser(QStringToAnsi(QUrl::fromLocalFile(m_page).toString()));
        close();
    });
}

void CSaveHtmlResultDlg::SetResult(const std::vector<QString>& files, const QString& page)
{
    QStringList lines;
    for (const QString& f : files)
        lines << f;
    m_list->setPlainText(lines.join('\n'));
    m_page = page;
    m_view->setEnabled(!page.isEmpty());
}

QString CSaveHtmlResultDlg::Text() const
{
    return m_list->toPlainText();
}

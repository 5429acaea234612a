#include "fileformat/ui/CPreviewFileDialog.h"

#include "core/FileDialogRequest.h"

#include "fileformat/CPreviewLoadObj.h"
#include "platform/GlobalMem.h"
#include "platform/PackedDib.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeView>

CKavoFileDialog::CKavoFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter)
    : QFileDialog(parent, title, folder)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ReadOnly, false);
    setNameFilters(FilterToQtList(filter));
}

void CKavoFileDialog::SetOkText(const QString& text)
{
    setLabelText(QFileDialog::Accept, text);
}

void CKavoFileDialog::AddExtraButton(const QString& text, bool* flag)
{
    auto* buttons = findChild<QDialogButtonBox*>();
    if (!buttons)
        return;
    QPushButton* b = buttons->addButton(text, QDialogButtonBox::ActionRole);
    b->setObjectName(QString::number(kExtraButtonId));
    connect(b, &QPushButton::clicked, this, [this, flag] {
        if (flag)
            *flag = true;
        reject();
    });
}

void CKavoFileDialog::AddSideWidget(QWidget* widget)
{
    // Beside the file list, level with its top; the list keeps the width.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int column = grid->columnCount();
        grid->addWidget(widget, 1, column, grid->rowCount() - 1, 1, Qt::AlignTop | Qt::AlignLeft);
        grid->setColumnStretch(column, 0);
    }
}

void CKavoFileDialog::FitFileList()
{
    // The names take what the other columns leave, so that the size, type and
    // date stay in view rather than past the list's edge.
    if (auto* list = findChild<QTreeView*>("treeView")) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    QSize size = sizeHint().expandedTo(this->size()).expandedTo(QSize(kMinWidth, kMinHeight));
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
}

void CKavoFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    if (m_bPlaced)
        return;
    m_bPlaced = true;
    FitFileList();
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    if (main && main->isMinimized()) {
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    } else {
        move(pos() + QPoint(80, 22));
    }
}

CPreviewFileDialog::CPreviewFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                       const QString& filter)
    : CKavoFileDialog(parent, title, folder, filter), m_pPane(new QLabel(this))
{
    m_pPane->setObjectName(QString::number(kPreviewControlId));
    m_pPane->setFixedSize(kPreviewWidth + 2, kPreviewHeight + 2);
    m_pPane->setFrameShape(QFrame::Box);
    m_pPane->setAlignment(Qt::AlignCenter);
    AddSideWidget(m_pPane);
    connect(this, &QFileDialog::currentChanged, this, &CPreviewFileDialog::OnSelectionChanged);
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString&) { ClearPreview(); });
}

CPreviewFileDialog::~CPreviewFileDialog() = default;

void CPreviewFileDialog::ClearPreview()
{
    m_pPane->clear();
    m_bPreviewLoaded = false;
}

void CPreviewFileDialog::done(int result)
{
    ClearPreview();
    CKavoFileDialog::done(result);
}

void CPreviewFileDialog::ShowPreviewImage(const QImage& image)
{
    m_pPane->setPixmap(QPixmap::fromImage(image));
    m_bPreviewLoaded = true;
}

void CPreviewFileDialog::OnSelectionChanged(const QString& path)
{
    ClearPreview();
    if (!path.isEmpty() && QFileInfo(path).isFile())
        LoadPreview(path);
}

bool CPreviewFileDialog::LoadPreview(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext != "KVD" && ext != "BAK")
        return false;
    HGLOBAL h = LoadPreviewFromFile(path);
    if (!h)
        return false;
    QImage image;
    {
        CGlobalLock lock(h);
        image = DibToImage(lock.data(), lock.size());
    }
    GlobalFree(h);
    if (image.isNull())
        return false;
    ShowPreviewImage(image);
    return true;
}

CDiagramOpenDlg::CDiagramOpenDlg(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter, bool multiSelect)
    : CPreviewFileDialog(parent, title, folder, filter)
{
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    setDefaultSuffix("kvd");
}

void CDiagramOpenDlg::ShowWizardBox(bool initial)
{
    if (!m_pWizard) {
        m_pWizard = new QCheckBox(tr("Use &wizard to set initial sizes, fonts, and attributes"), this);
        m_pWizard->setObjectName("2714");
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addWidget(m_pWizard, grid->rowCount(), 0, 1, grid->columnCount());
    }
    m_pWizard->setChecked(initial);
}

bool CDiagramOpenDlg::WizardChecked() const
{
    return m_pWizard && m_pWizard->isChecked();
}

void CDiagramOpenDlg::ShowPathChoice(bool relative)
{
    m_bRelative = relative;
    auto* label = new QLabel(tr("File path"), this);
    label->setObjectName("2678");
    auto* rel = new QRadioButton(tr("&Relative"), this);
    rel->setObjectName("2674");
    auto* abs = new QRadioButton(tr("&Absolute"), this);
    abs->setObjectName("2677");
    (relative ? rel : abs)->setChecked(true);
    connect(rel, &QRadioButton::toggled, this, [this](bool on) { m_bRelative = on; });
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(rel, row, 1);
        grid->addWidget(abs, row, 2);
    }
}

#include "dialogs/CPictureFileDialog.h"

#include "core/Settings.h"
#include "platform/Ansi.h"
#include "platform/ui/DialogExec.h"
#include "render/PicturePreview.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

CPictureFileDialog::CPictureFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                       const QString& filter)
    : CPreviewFileDialog(parent, title, folder, filter), m_bTranspEdges(ImportTranspEdges != 0),
      m_bCleanBackground(ImportCleanBackground != 0), m_pTimer(new QTimer(this))
{
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    SetOkText(tr("&Import"));
    m_pTranspEdges = AddOption(tr("Transparent Edges"), kTranspEdgesId, m_bTranspEdges);
    m_pCleanBackground = AddOption(tr("Clean Background"), kCleanBackgroundId, m_bCleanBackground);
    m_pFittedBounds = AddOption(tr("Fitted Bounds"), kFittedBoundsId, NonRectBounds != 0);
    connect(m_pTranspEdges, &QCheckBox::toggled, this, [this](bool on) {
        if (m_bOptionsApply) {
            m_bTranspEdges = on;
            ReloadPreview();
        }
    });
    connect(m_pCleanBackground, &QCheckBox::toggled, this, [this](bool on) {
        if (m_bOptionsApply) {
            m_bCleanBackground = on;
            ReloadPreview();
        }
    });
    connect(m_pFittedBounds, &QCheckBox::toggled, this, [this](bool) { ReloadPreview(); });
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString&) { m_strPreviewPath.clear(); });
    // The pane's tick, while the dialog is open.
    m_pTimer->setObjectName(QString::number(kTimerId));
    m_pTimer->setInterval(kTimerMs);
    connect(m_pTimer, &QTimer::timeout, this, [this] {
        if (auto* pane = findChild<QLabel*>(QString::number(kPreviewControlId)))
            pane->update();
    });
    m_pTimer->start();
}

QCheckBox* CPictureFileDialog::AddOption(const QString& text, int id, bool checked)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::number(id));
    box->setChecked(checked);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void CPictureFileDialog::ShowOptionsApply(bool apply)
{
    m_bOptionsApply = false; // the boxes change below without changing the options
    m_pTranspEdges->setEnabled(apply);
    m_pCleanBackground->setEnabled(apply);
    m_pTranspEdges->setChecked(apply && m_bTranspEdges);
    m_pCleanBackground->setChecked(apply && m_bCleanBackground);
    m_bOptionsApply = apply;
}

bool CPictureFileDialog::LoadPreview(const QString& path)
{
    m_strPreviewPath = path;
    PicturePreview preview;
    const bool loaded = LoadPicturePreview(path, m_bCleanBackground, m_bTranspEdges,
                                           QSize(kPreviewWidth, kPreviewHeight), preview);
    ShowOptionsApply(preview.optionsApply);
    if (!loaded)
        return false;
    ShowPreviewImage(preview.image);
    return true;
}

void CPictureFileDialog::ReloadPreview()
{
    ClearPreview();
    if (!m_strPreviewPath.isEmpty() && QFileInfo(m_strPreviewPath).isFile())
        LoadPreview(m_strPreviewPath);
}

void CPictureFileDialog::done(int result)
{
    m_pTimer->stop();
    if (result == QDialog::Accepted) {
        ImportTranspEdges = m_bTranspEdges ? 1 : 0;
        ImportCleanBackground = m_bCleanBackground ? 1 : 0;
        NonRectBounds = m_pFittedBounds->isChecked() ? 1 : 0;
    }
    CPreviewFileDialog::done(result);
}

ImportDialogFn MakeImportDialog(QWidget* parent)
{
    return [parent](ImportDialogRequest& r) {
        CPictureFileDialog dialog(parent, AnsiToQString(r.title), r.folder, AnsiToQString(r.filter));
        const QStringList filters = dialog.nameFilters();
        if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[r.filterIndex - 1]);
        dialog.setDefaultSuffix(AnsiToQString(r.defaultExt));
        if (ExecDialogReturningActivation(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        r.path = dialog.selectedFiles().first();
        r.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
        return true;
    };
}

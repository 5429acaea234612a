#include "dialogs/CPictureFileDialog.h"

#include "controls/WindowHelpers.h"
#include "core/Settings.h"
#include "platform/Ansi.h"
#include "platform/ui/DialogExec.h"
#include "render/PicturePreview.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>

namespace {
// Paints a closed combo box with its text cut short by "...", where Qt would
// cut it off mid-letter.
class CElidedComboPainter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* combo = qobject_cast<QComboBox*>(watched);
        if (!combo || event->type() != QEvent::Paint)
            return false;
        QStylePainter painter(combo);
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = combo->hasFrame();
        option.subControls = QStyle::SC_All;
        if (combo->view() && combo->view()->isVisible())
            option.state |= QStyle::State_On;
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        option.currentText = combo->fontMetrics().elidedText(combo->currentText(), Qt::ElideRight, field.width() - 2);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
        return true;
    }
};
} // namespace

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
    FitTypeList();
}

void CPictureFileDialog::FitTypeList()
{
    // "All Graphics" names every pattern: the closed list shows its start and
    // the dropped list the whole entries, so that the dialog is not made as
    // wide as the longest one.
    auto* types = findChild<QComboBox*>("fileTypeCombo");
    if (!types)
        return;
    types->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    types->setMinimumContentsLength(kTypeListChars);
    types->installEventFilter(new CElidedComboPainter(types));
    FitDroppedListToEntries(types);
}

void CPictureFileDialog::showEvent(QShowEvent* event)
{
    CPreviewFileDialog::showEvent(event);
    // The dialog opens beside the usual spot; within the screen, frame and all.
    const QScreen* s = screen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QSize room = (area.size() - frame).expandedTo(minimumSize());
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
    const QRect outer = frameGeometry();
    const int x = std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width()));
    const int y = std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height()));
    if (x != outer.left() || y != outer.top())
        move(x, y);
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

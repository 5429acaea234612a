// The diagram open dialog: the preview pane follows the selection, the extra
// button sets its flag and cancels.
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/PackedDib.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
HGLOBAL RedPreview(CKavoDoc&)
{
    QImage image(124, 112, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::vector<BYTE> dib = ImageToDib(image, 24, false);
    HGLOBAL h = GlobalAlloc(GHND, dib.size());
    CGlobalLock lock(h);
    std::copy(dib.begin(), dib.end(), lock.data());
    return h;
}

class TestableOpenDlg : public CDiagramOpenDlg {
public:
    using CDiagramOpenDlg::CDiagramOpenDlg;
    using CPreviewFileDialog::LoadPreview;
};
} // namespace

TEST(PreviewFileDialog, PaneShowsDiagramPreviewsOnly)
{
    QTemporaryDir dir;
    GetDocFileHooks().renderPreview = &RedPreview;
    PreviewSave = 1;
    CKavoDoc doc;
    doc.OnNewDocument();
    const QString kvd = dir.filePath("p.kvd");
    ASSERT_TRUE(doc.OnSaveDocument(kvd.toStdString()));
    doc.OnCloseDocument();
    QFile::copy(kvd, dir.filePath("p.txt"));

    TestableOpenDlg dlg(nullptr, "Open", dir.path(), CDiagramOpenDlg::kOpenFilter, true);
    EXPECT_TRUE(dlg.LoadPreview(kvd));
    EXPECT_TRUE(dlg.HasPreview());
    auto* pane = dlg.findChild<QLabel*>("1225");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->pixmap().toImage().pixelColor(60, 50), QColor(Qt::red));
    // Another file clears the pane.
    emit dlg.currentChanged(dir.filePath("p.txt"));
    EXPECT_FALSE(dlg.HasPreview());
    // A backup shows its preview (the extension in any case); no other file
    // does, not even a preview file.
    QFile::copy(kvd, dir.filePath("p.BAK"));
    QFile::copy(kvd, dir.filePath("p.prv"));
    emit dlg.currentChanged(dir.filePath("p.BAK"));
    EXPECT_TRUE(dlg.HasPreview());
    emit dlg.currentChanged(dir.filePath("p.prv"));
    EXPECT_FALSE(dlg.HasPreview());
    // So do another folder and the dialog's close.
    EXPECT_TRUE(dlg.LoadPreview(kvd));
    emit dlg.directoryEntered(dir.path());
    EXPECT_FALSE(dlg.HasPreview());
    EXPECT_TRUE(dlg.LoadPreview(kvd));
    dlg.done(QDialog::Rejected);
    EXPECT_FALSE(dlg.HasPreview());
    EXPECT_TRUE(pane->pixmap().isNull());
}

TEST(PreviewFileDialog, ExtraButtonSetsTheFlagAndCancels)
{
    QTemporaryDir dir;
    CDiagramOpenDlg dlg(nullptr, "New", dir.path(), CDiagramOpenDlg::kFilter);
    bool blank = false;
    dlg.AddExtraButton("Non&e (start blank)", &blank);
    auto* button = dlg.findChild<QPushButton*>("2118");
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, button, &QPushButton::click);
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_TRUE(blank);
}

TEST(PreviewFileDialog, NewDialogShowsEveryColumnAndThePreviewBesideTheList)
{
    TestableOpenDlg dlg(nullptr, "New", QStringLiteral(KAVO_RESOURCE_DIR "/Template"), CDiagramOpenDlg::kFilter);
    dlg.setViewMode(QFileDialog::Detail);
    dlg.show();
    QApplication::processEvents();
    // Choosing a template shows its preview.
    emit dlg.currentChanged(QStringLiteral(KAVO_RESOURCE_DIR "/Template/Flowchart.kvd"));
    EXPECT_TRUE(dlg.HasPreview());

    auto* list = dlg.findChild<QTreeView*>("treeView");
    auto* pane = dlg.findChild<QLabel*>("1225");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(pane, nullptr);
    // The size, type and date columns end inside the list.
    const QHeaderView* header = list->header();
    const int last = header->logicalIndexAt(header->length() - 1);
    EXPECT_LE(header->sectionViewportPosition(last) + header->sectionSize(last), list->viewport()->width());
    EXPECT_GE(header->sectionSize(1), header->sectionSizeHint(1));
    // The pane stands next to the list, level with its top.
    const QRect listBox(list->mapTo(&dlg, QPoint(0, 0)), list->size());
    const QRect paneBox(pane->mapTo(&dlg, QPoint(0, 0)), pane->size());
    EXPECT_NEAR(paneBox.top(), listBox.top(), 4);
    EXPECT_GE(paneBox.left(), listBox.right());
    EXPECT_LE(paneBox.left() - listBox.right(), 24);
    if (const QString shots = qEnvironmentVariable("KAVO_SHOTS"); !shots.isEmpty())
        dlg.grab().save(QDir(shots).filePath("new_dialog.png"));
    dlg.reject();
}

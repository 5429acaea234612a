// The diagram open dialog: the preview pane follows the selection, the extra
// button sets its flag and cancels.
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/PackedDib.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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

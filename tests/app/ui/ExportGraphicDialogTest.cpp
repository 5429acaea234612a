// Export Graphic's file dialog as the user meets it: where it starts, which
// file type it offers first and the name it proposes, for a first export and
// for the next one after a picture was written elsewhere.
#include "app/ui/ExportCommandsUi.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "dialogs/CGraphicExportDlg.h"
#include "fileformat/ui/CExportFileDialog.h"
#include "render/ExportFormats.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
struct Seen {
    QString folder, type, name;
};

// Once the file dialog is up: note where it stands, then let `act` finish it.
void WhenFileDialogShows(Seen& seen, std::function<void(CExportFileDialog&)> act)
{
    QTimer::singleShot(0, [&seen, act] {
        auto* dlg = qobject_cast<CExportFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = {QDir(dlg->directory()).absolutePath(), dlg->selectedNameFilter(), dlg->TypedName()};
        act(*dlg);
    });
}

struct SavedExportSettings {
    int type = ExpType;
    std::string dir = ExpDir;
    ~SavedExportSettings()
    {
        ExpType = type;
        ExpDir = dir;
    }
};
} // namespace

TEST(ExportGraphicDialog, StartsInTheDiagramsFolderThenWhereTheLastPictureWent)
{
    SavedExportSettings saved;
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("diagrams") && QDir(root.path()).mkpath("pictures"));
    const QString diagrams = QDir(root.path()).absoluteFilePath("diagrams");
    const QString pictures = QDir(root.path()).absoluteFilePath("pictures");
    DiagramFixture fx;
    fx.AddBox(100, 100, 300, 200, "A");
    fx.doc.SetPathName((diagrams + "/Chart.kvd").toStdString(), false);
    ExpDir.clear();
    ExpType = 0;

    // First export of the session: the diagram's folder, the first type.
    Seen first;
    WhenFileDialogShows(first, [&](CExportFileDialog& dlg) {
        // The user picks PNG in another folder; the options that follow are
        // cancelled, which writes nothing.
        dlg.selectNameFilter(dlg.nameFilters().at(4));
        dlg.selectFile(pictures + "/Chart.PNG");
        QTimer::singleShot(0, [] {
            if (auto* options = qobject_cast<CGraphicExportDlg*>(QApplication::activeModalWidget()))
                options->reject();
        });
        auto* buttons = dlg.findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Save)->click();
    });
    RunExportGraphic(nullptr, fx.doc);
    EXPECT_EQ(first.folder.toStdString(), diagrams.toStdString()) << "the first export starts beside the diagram";
    EXPECT_TRUE(first.type.startsWith("EMF")) << first.type.toStdString();
    EXPECT_EQ(first.name.toStdString(), "Chart.EMF");
    EXPECT_EQ(ExpType, EXPORT_PNG);

    // The next export starts where the last picture went, with its type.
    Seen next;
    WhenFileDialogShows(next, [](CExportFileDialog& dlg) { dlg.reject(); });
    RunExportGraphic(nullptr, fx.doc);
    EXPECT_EQ(next.folder.toStdString(), pictures.toStdString());
    EXPECT_TRUE(next.type.startsWith("PNG")) << next.type.toStdString();
    EXPECT_EQ(next.name.toStdString(), "Chart.PNG");
}

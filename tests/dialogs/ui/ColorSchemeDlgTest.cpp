// Apply Color Scheme: the schemes listed with the chosen one current, the
// boxes as the command set them, "&Selection" only with a selection and
// "&Diagram" clear, and the answer given back on OK.
#include "core/HelpRequest.h"
#include "dialogs/CColorSchemeDlg.h"
#include "dialogs/CSchemePreviewWnd.h"
#include "platform/PackedDib.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ColorSchemeDlg, BoxesFollowTheSelectionRuleAndOkGivesTheChoice)
{
    ColorSchemeChoice choice;
    choice.schemes = {"Warm", "Cold", "Grey"};
    choice.scheme = 1;
    choice.hasSelection = true;
    choice.applyToDiagram = false;
    choice.applyToSelection = true;
    CColorSchemeDlg dlg(choice);
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        auto* list = qobject_cast<QListWidget*>(GetDlgItem(&dlg, CColorSchemeDlg::kSchemeListId));
        auto* diagram = qobject_cast<QCheckBox*>(GetDlgItem(&dlg, CColorSchemeDlg::kDiagramBoxId));
        auto* selection = qobject_cast<QCheckBox*>(GetDlgItem(&dlg, CColorSchemeDlg::kSelectionBoxId));
        ASSERT_TRUE(list && diagram && selection);
        EXPECT_EQ(dlg.windowTitle(), "Apply Color Scheme");
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_TRUE(selection->isEnabled());
        EXPECT_TRUE(selection->isChecked());
        diagram->setChecked(true);
        EXPECT_FALSE(selection->isEnabled());
        list->setCurrentRow(2);
        checked = true;
        qobject_cast<QPushButton*>(GetDlgItem(&dlg, IDOK))->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(choice.scheme, 2);
    EXPECT_TRUE(choice.applyToDiagram);
    EXPECT_FALSE(choice.applyToSelection);

    // Without a selection the box stays off whatever "&Diagram" says.
    ColorSchemeChoice none;
    none.schemes = {"Warm"};
    none.applyToDiagram = false;
    none.applyToSelection = false;
    CColorSchemeDlg empty(none);
    QTimer::singleShot(0, &empty, [&] {
        EXPECT_FALSE(GetDlgItem(&empty, CColorSchemeDlg::kSelectionBoxId)->isEnabled());
        empty.reject();
    });
    EXPECT_EQ(empty.DoModal(), IDCANCEL);
}

// The preview follows the list: the picture stored with the scheme under the
// selection, in a 112 x 124 extent, cleared for a scheme without one; the
// caption's help button asks for topic 322.
TEST(ColorSchemeDlg, PreviewFollowsTheListAndHelpAsksForItsTopic)
{
    std::vector<std::pair<std::string, int>> asked;
    GetColorSchemeServices().loadPreview = [&](const std::string& path, int scheme) -> HGLOBAL {
        asked.emplace_back(path, scheme);
        if (scheme != 1)
            return nullptr;
        QImage red(124, 112, QImage::Format_RGB32);
        red.fill(Qt::red);
        const std::vector<BYTE> dib = ImageToDib(red, 24, false);
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, dib.size());
        CGlobalLock lock(h);
        std::copy(dib.begin(), dib.end(), lock.data());
        return h;
    };
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t context) { topics.push_back(context); });

    ColorSchemeChoice choice;
    choice.templatePath = "/templates/Flow.kvt";
    choice.schemes = {"Warm", "Cold", "Grey"};
    choice.scheme = 0;
    CColorSchemeDlg dlg(choice);
    QTimer::singleShot(0, &dlg, [&] {
        auto* list = qobject_cast<QListWidget*>(GetDlgItem(&dlg, CColorSchemeDlg::kSchemeListId));
        auto* pane = qobject_cast<CSchemePreviewWnd*>(GetDlgItem(&dlg, CColorSchemeDlg::kPreviewId));
        ASSERT_TRUE(list && pane);
        EXPECT_EQ(dlg.PreviewScheme(), 0);
        EXPECT_FALSE(pane->HasPicture());
        EXPECT_EQ(pane->ExtentWidth(), 112);
        EXPECT_EQ(pane->ExtentHeight(), 124);
        list->setCurrentRow(1);
        EXPECT_EQ(dlg.PreviewScheme(), 1);
        EXPECT_TRUE(pane->HasPicture());
        list->setCurrentRow(2);
        EXPECT_FALSE(pane->HasPicture());
        QEvent help(QEvent::EnterWhatsThisMode);
        QCoreApplication::sendEvent(&dlg, &help);
        dlg.reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    const std::vector<std::pair<std::string, int>> expected = {
        {"/templates/Flow.kvt", 0}, {"/templates/Flow.kvt", 1}, {"/templates/Flow.kvt", 2}};
    EXPECT_EQ(asked, expected);  // each scheme loaded once, when it comes up
    EXPECT_EQ(topics, std::vector<uint32_t>{322});
}

// The picture keeps the extent's proportions, centred 1 pixel in.
TEST(ColorSchemeDlg, PreviewDrawingRectHasTheExtentProportions)
{
    CSchemePreviewWnd pane;
    EXPECT_EQ(pane.DrawingRect(QRect(0, 0, 100, 50)), QRect(1, 1, 98, 48));
    pane.SetExtent(112, 124);
    EXPECT_EQ(pane.DrawingRect(QRect(0, 0, 114, 126)), QRect(1, 1, 112, 124));
    EXPECT_EQ(pane.DrawingRect(QRect(0, 0, 226, 126)), QRect(57, 1, 112, 124));
    pane.SetExtent(200, 100);
    EXPECT_EQ(pane.DrawingRect(QRect(0, 0, 102, 102)), QRect(1, 26, 100, 50));
}

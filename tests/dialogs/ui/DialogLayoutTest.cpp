// Dialogs a user can read at any font size: each dialog is opened at a large
// application font, and on every page no label, button, check box, field,
// list box or tab has less room than its text needs, nothing is cut off by
// its parents, and a sheet keeps one size for all its pages. The pictures of
// every page go to KAVO_SHOTS.
#include "FigSheetFixture.h"
#include "controls/ui/CommandRecorder.h"
#include "dialogs/ui/LayoutFit.h"

#include "dialogs/CChooseStyleDlg.h"
#include "dialogs/CColorSchemeDlg.h"
#include "dialogs/CGraphicExportDlg.h"
#include "dialogs/CHyperlinkDlg.h"
#include "dialogs/CMessageDlgs.h"
#include "dialogs/CPictureFileDialog.h"
#include "dialogs/CSaveHtmlDlg.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/CZoomIntervalsDlg.h"
#include "dialogs/UpdateQueryDlg.h"
#include "dialogs/diagram/CDPropSheet.h"
#include "dialogs/diagram/DPropShadowPage.h"
#include "dialogs/diagram/ScaleDiagramDlg.h"
#include "dialogs/options/COptionsSheet.h"
#include "dialogs/options/OptionValues.h"
#include "dialogs/page/CPageDlg.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "dialogs/sheets/CConTabSheet.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CStylesPanel.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "dialogs/wizard/CWizardSheet.h"
#include "document/ChoiceTables.h"
#include "core/Units.h"
#include "document/ConStyleEdits.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CMainFrame.h"
#include "render/PictureImport.h"
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScreen>

namespace {
using layoutfit::ClippedTexts;
using layoutfit::ClippedTextsOnEveryPage;

std::string Listed(const std::vector<std::string>& found)
{
    std::string all;
    for (const std::string& s : found)
        all += "\n  " + s;
    return all;
}

// Runs the dialog; once it is up, `check` looks at it, then it is cancelled.
template <class D>
void WhileOpen(D& dlg, const std::function<void(D&)>& check)
{
    bool ran = false;
    QTimer::singleShot(0, &dlg, [&] {
        QApplication::processEvents();
        check(dlg);
        ran = true;
        if (dlg.isVisible())
            dlg.reject();
    });
    dlg.DoModal();
    EXPECT_TRUE(ran);
}

// Every page of the dialog's tabs, or the dialog itself when it has none:
// the texts that do not fit, and where Tab goes back in reading order
// (unless the dialog is laid out in columns that Tab goes down one by one).
enum class TabOrder { Reading, Columns };
template <class D>
std::vector<std::string> OpenAndCheck(D& dlg, const char* name, TabOrder order = TabOrder::Reading)
{
    std::vector<std::string> found;
    WhileOpen<D>(dlg, [&](D& d) {
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* tabs = d.template findChild<QTabWidget*>();
        found = tabs ? ClippedTextsOnEveryPage(tabs, name) : ClippedTexts(&d);
        SaveShot(&d, name);
        for (int i = 0; order == TabOrder::Reading && i < (tabs ? tabs->count() : 1); ++i) {
            if (tabs)
                tabs->setCurrentIndex(i);
            QApplication::processEvents();
            for (const std::string& jump : layoutfit::TabOrderJumps(tabs ? tabs->widget(i) : &d))
                found.push_back("Tab goes back: " + jump);
        }
    });
    return found;
}

struct DialogLayout : FigSheetTest {
    layoutfit::LargeFont font{15};
    DialogLayout() { BuildChoiceTables(); }
    int AddFigStyle(const std::string& name)
    {
        CFigStyle s;
        s.m_strName = name;
        s.m_props.Symbol = fx.boxSymbol;
        EXPECT_TRUE(fx.doc.AddNewFigStyle(s));
        return fx.doc.m_figStyles.FindByName(name);
    }
    int AddConStyle(const std::string& name)
    {
        ConStyleValues v;
        v.name = name;
        // A width whose text is long: "11.75 pt".
        v.props.LineWidth = SizeValueToCode(11.75);
        EXPECT_TRUE(::AddConStyle(fx.doc, v));
        return fx.doc.m_conStyles.FindByName(name);
    }
};
} // namespace

// Opened on the Fill page (where the last sheet was left), the Figure
// Properties sheet is as large as its largest page: the General page's
// fields show their values whole ("1.4 cm", not "4 cm").
TEST_F(DialogLayout, FigurePropertiesOpenedOnFillFitsEveryPage)
{
    Metric = 1;
    a->m_rect.bottom = a->m_rect.top + 140;   // 1.4 cm
    fx.doc.Select(a);
    RunProps(false, [](CFTabSheet& s) { ShowPage(s, "Fill"); });
    RunProps(false, [](CFTabSheet& s) {
        ASSERT_EQ(s.GetTabControl()->tabText(s.GetActiveIndex()), "Fill");
        const std::vector<std::string> found = ClippedTextsOnEveryPage(s.GetTabControl(), "FigPropsOnFill");
        EXPECT_TRUE(found.empty()) << Listed(found);
        ShowPage(s, "General");
        auto* height = Item<QLineEdit>(s, CFTabGeneral::IDC_HEIGHT);
        EXPECT_EQ(height->text(), "1.4 cm");
    });
}

// Define Figure Styles and Define Connector Styles: New, Copy, Rename and
// Delete show their captions whole, left of the sheet's own buttons in
// the same row.
TEST_F(DialogLayout, StyleSheetsShowTheirButtonsWhole)
{
    const int box = AddFigStyle("Box");
    const int line = AddConStyle("Line");
    CFSTabSheet figures(false, fx.doc, box, nullptr);
    CCSTabSheet connectors(nullptr, &fx.doc, line);
    const std::pair<CPropertySheet*, const char*> sheets[] = {{&figures, "FigStyles"}, {&connectors, "ConStyles"}};
    for (const auto& [sheet, name] : sheets) {
        SCOPED_TRACE(name);
        WhileOpen<CPropertySheet>(*sheet, [&](CPropertySheet& s) {
            const std::vector<std::string> found = ClippedTextsOnEveryPage(s.GetTabControl(), name);
            EXPECT_TRUE(found.empty()) << Listed(found);
            int right = -1;
            const int row = s.Button(IDOK)->mapTo(&s, QPoint(0, 0)).y();
            for (int id : {IDC_STYLE_NEW, IDC_STYLE_COPY, IDC_STYLE_RENAME, IDC_STYLE_DELETE}) {
                QWidget* b = GetDlgItem(&s, id);
                ASSERT_NE(b, nullptr) << id;
                const QPoint at = b->mapTo(&s, QPoint(0, 0));
                EXPECT_GT(at.x(), right) << id;
                EXPECT_EQ(at.y(), row) << id;
                right = at.x() + b->width();
            }
            QWidget* first = s.Button(IDOK)->isVisible() ? s.Button(IDOK) : s.Button(IDCANCEL);
            EXPECT_LT(right, first->mapTo(&s, QPoint(0, 0)).x());
        });
    }
}

// Diagram Properties shows all six tabs, none behind scroll arrows.
TEST_F(DialogLayout, DiagramPropertiesShowsEveryTab)
{
    CDPropSheet sheet(fx.doc, nullptr);
    const std::vector<std::string> found = OpenAndCheck(sheet, "DiagramProps");
    EXPECT_TRUE(found.empty()) << Listed(found);
}

// The other dialogs and sheets at the large font.
TEST_F(DialogLayout, EveryOtherDialogShowsItsTextsWhole)
{
    AddFigStyle("Box");
    const int line = AddConStyle("Line");
    const std::vector<std::pair<const char*, std::function<std::vector<std::string>()>>> cases = {
        {"ConProps",
         [&] {
             int differs[kDiffCount] = {};
             CCPTabSheet d(nullptr, &fx.doc, line, fx.doc.m_conStyles.GetAt(line)->m_props, false, differs, nullptr);
             return OpenAndCheck(d, "ConProps");
         }},
        {"LabelStyles",
         [&] {
             CFSTabSheet d(true, fx.doc, -1, nullptr);
             return OpenAndCheck(d, "LabelStyles");
         }},
        {"Options",
         [&] {
             OptionValues values = OptionValues::FromSettings();
             COptionsSheet d(values, nullptr);
             return OpenAndCheck(d, "Options");
         }},
        {"PageSetup",
         [&] {
             CPageDlg d;
             return OpenAndCheck(d, "PageSetup", TabOrder::Columns);
         }},
        {"ScaleDiagram",
         [&] {
             ScaleDiagramDlg d;
             return OpenAndCheck(d, "ScaleDiagram", TabOrder::Columns);
         }},
        {"StyleName",
         [&] {
             CStyleNameDlg d(FALSE, nullptr);
             d.m_strName = "Figure Style 1";
             return OpenAndCheck(d, "StyleName");
         }},
        {"ChooseStyle",
         [&] {
             CChooseFigStyleDlg d(-1, 40, 40, "<All>");
             d.SetDocument(&fx.doc);
             return OpenAndCheck(d, "ChooseStyle");
         }},
        {"ColorScheme",
         [&] {
             ColorSchemeChoice choice;
             choice.schemes = {"Warm", "Cold"};
             CColorSchemeDlg d(choice);
             return OpenAndCheck(d, "ColorScheme");
         }},
        {"GraphicExport",
         [&] {
             CGraphicExportDlg d;
             return OpenAndCheck(d, "GraphicExport");
         }},
        {"Hyperlink",
         [&] {
             CHyperlinkDlg d;
             return OpenAndCheck(d, "Hyperlink");
         }},
        {"Hint",
         [&] {
             CHintDlg d;
             d.m_strText = "Styles define how new figures and labels look; a change to a style changes every "
                           "object bound to it.";
             return OpenAndCheck(d, "Hint");
         }},
        {"Question",
         [&] {
             CQuestionDlg d;
             d.m_strText = "The diagram has changed since it was last saved. Save the changes before it is closed?";
             return OpenAndCheck(d, "Question");
         }},
        {"Warning",
         [&] {
             CWarningDlg d;
             d.m_strText = "Some objects of the diagram lie outside the page and will not be printed.";
             return OpenAndCheck(d, "Warning");
         }},
        {"ConStyleName",
         [&] {
             CConStyleNameDlg d;
             d.m_strName = "Connector Style 1";
             return OpenAndCheck(d, "ConStyleName");
         }},
        {"EndSymbolGallery",
         [&] {
             CEndSymbolGalleryDlg d;
             return OpenAndCheck(d, "EndSymbolGallery");
         }},
        {"SaveHtml",
         [&] {
             CSaveHtmlDlg d;
             return OpenAndCheck(d, "SaveHtml");
         }},
        {"ZoomIntervals",
         [&] {
             CZoomIntervalsDlg d;
             return OpenAndCheck(d, "ZoomIntervals", TabOrder::Columns);
         }},
        {"UpdateQuery",
         [&] {
             UpdateQueryDlg d;
             return OpenAndCheck(d, "UpdateQuery");
         }},
        {"SymbolGallery",
         [&] {
             CFigureSymbolGalleryDlg d;
             return OpenAndCheck(d, "SymbolGallery");
         }},
        {"Wizard",
         [&] {
             std::vector<std::string> found;
             CWizardSheet d(nullptr);
             WhileOpen<CWizardSheet>(d, [&](CWizardSheet& w) {
                 for (int i = 0; i < w.GetPageCount(); ++i) {
                     QApplication::processEvents();
                     for (const std::string& f : ClippedTexts(&w))
                         found.push_back("page " + std::to_string(i) + ": " + f);
                     SaveShot(&w, ("Wizard" + std::to_string(i)).c_str());
                     if (i + 1 < w.GetPageCount())
                         QTest::mouseClick(w.Button(CWizardSheet::kNextId), Qt::LeftButton);
                 }
             });
             return found;
         }},
    };
    for (const auto& [name, check] : cases) {
        SCOPED_TRACE(name);
        const std::vector<std::string> found = check();
        EXPECT_TRUE(found.empty()) << Listed(found);
    }
}

// The Customize sheet keeps one size on all its pages, Options included,
// whose long check box text wraps.
TEST_F(DialogLayout, CustomizeSheetKeepsItsSizeOnEveryPage)
{
    CTempProfile profile;
    CMainFrame frame;
    frame.resize(1200, 700);
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    frame.show();
    g_nCustomizePage = 0;
    frame.Commands().Execute(ID_CUSTOMIZE);
    CCustomizeSheet* sheet = g_pCustomizeSheet;
    ASSERT_NE(sheet, nullptr);
    QApplication::processEvents();
    const std::vector<std::string> found = ClippedTextsOnEveryPage(sheet->GetTabControl(), "Customize");
    EXPECT_TRUE(found.empty()) << Listed(found);
    sheet->reject();
    QApplication::processEvents();
}

// Tab runs through the General page as it reads: Left, Top, Width, Height,
// then the border width below them; on every page of both figure sheets each
// next control lies further on in reading order.
TEST_F(DialogLayout, TabFollowsTheReadingOrder)
{
    fx.doc.Select(a);
    RunProps(false, [](CFTabSheet& s) {
        s.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
        ShowPage(s, "General");
        const std::vector<std::pair<int, int>> steps = {{CFTabGeneral::IDC_LEFT, CFTabGeneral::IDC_TOP},
                                                        {CFTabGeneral::IDC_TOP, CFTabGeneral::IDC_WIDTH},
                                                        {CFTabGeneral::IDC_WIDTH, CFTabGeneral::IDC_HEIGHT},
                                                        {CFTabGeneral::IDC_HEIGHT, CFTabGeneral::IDC_BORDER_WIDTH}};
        for (const auto& [from, to] : steps) {
            QWidget* field = Item(s, from);
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Tab);
            EXPECT_EQ(GetDlgCtrlID(QApplication::focusWidget()), to) << "Tab from " << from;
        }
    });
    const int line = AddConStyle("Line");
    int differs[kDiffCount] = {};
    CCPTabSheet conProps(nullptr, &fx.doc, line, fx.doc.m_conStyles.GetAt(line)->m_props, false, differs, nullptr);
    CCSTabSheet conStyles(nullptr, &fx.doc, line);
    CDPropSheet diagram(fx.doc, nullptr);
    OptionValues values = OptionValues::FromSettings();
    COptionsSheet options(values, nullptr);
    const std::pair<CPropertySheet*, const char*> sheets[] = {
        {&conProps, "connector properties"}, {&conStyles, "connector styles"},
        {&diagram, "diagram properties"}, {&options, "options"}};
    for (const auto& [sheet, name] : sheets) {
        SCOPED_TRACE(name);
        WhileOpen<CPropertySheet>(*sheet, [](CPropertySheet& s) {
            s.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
            for (int i = 0; i < s.GetPageCount(); ++i) {
                s.SetActivePage(i);
                QApplication::processEvents();
                const std::vector<std::string> jumps = layoutfit::TabOrderJumps(s.GetPage(i));
                EXPECT_TRUE(jumps.empty()) << s.GetTabControl()->tabText(i).toStdString() << Listed(jumps);
            }
        });
    }
    for (int variant : {kFigSheetProps, kFigSheetStyles}) {
        SCOPED_TRACE(variant == kFigSheetProps ? "properties" : "styles");
        const auto check = [](CFTabSheet& s) {
            s.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
            for (int i = 0; i < s.PageCount(); ++i) {
                s.SetActivePage(s.Page(i));
                QApplication::processEvents();
                const std::vector<std::string> jumps = layoutfit::TabOrderJumps(s.Page(i));
                EXPECT_TRUE(jumps.empty()) << s.GetTabControl()->tabText(i).toStdString() << Listed(jumps);
            }
        };
        if (variant == kFigSheetProps) {
            RunProps(false, check);
        } else {
            CFSTabSheet sheet(false, fx.doc, AddFigStyle("Box"), nullptr);
            RunOpen(sheet, check);
        }
    }
}

// The Import Graphic chooser, whose "All Graphics" type names two dozen
// patterns, asks for less than a 1280 x 800 screen and opens within the
// screen it is on with its buttons in sight; the closed type list shows
// the start of the entry, the dropped list whole entries.
TEST_F(DialogLayout, PictureFileDialogFitsTheScreen)
{
    CPictureFileDialog dlg(nullptr, "Import Graphic", QDir::tempPath(), QString::fromStdString(BuildImportFilter()));
    bool ran = false;
    QTimer::singleShot(0, &dlg, [&] {
        QApplication::processEvents();
        EXPECT_LE(dlg.sizeHint().width(), 1280 - 16);
        EXPECT_LE(dlg.minimumSizeHint().width(), 1280 - 16);
        const QRect screen = dlg.screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(dlg.frameGeometry())) << dlg.frameGeometry().width() << " wide at "
                                                          << dlg.frameGeometry().x();
        for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
            if (b->isVisible()) {
                EXPECT_TRUE(screen.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())))
                    << b->text().toStdString();
            }
        }
        auto* types = dlg.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        ASSERT_TRUE(types->currentText().startsWith("All Graphics"));
        types->showPopup();
        QAbstractItemView* list = types->view();
        EXPECT_GE(list->viewport()->width(), list->sizeHintForIndex(list->model()->index(0, 0)).width());
        types->hidePopup();
        const std::vector<std::string> found = ClippedTexts(&dlg);
        EXPECT_TRUE(found.empty()) << Listed(found);
        SaveShot(&dlg, "PictureFileDialog");
        ran = true;
        dlg.reject();
    });
    dlg.exec();
    EXPECT_TRUE(ran);
}

// Diagram Properties' shadow preset names the shadow the figures draw: a
// new diagram's 40 percent shadow (effect type 0, which figures with a drop
// shadow draw all the same) is no preset; choosing "No Shadow" shows as such.
TEST_F(DialogLayout, ShadowPresetNamesTheShadowFiguresDraw)
{
    ASSERT_EQ(fx.doc.m_shadowSpec.m_nType, 0);
    ASSERT_EQ(fx.doc.m_shadowSpec.m_nOpacity, 153);
    CDPropSheet sheet(fx.doc, nullptr);
    WhileOpen<CDPropSheet>(sheet, [](CDPropSheet& s) {
        QTabBar* bar = s.GetTabControl()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->count() - 1).center());
        QWidget* page = s.GetTabControl()->currentWidget();
        auto* presets = qobject_cast<QComboBox*>(GetDlgItem(page, CDPropShadow::kPresetsId));
        ASSERT_NE(presets, nullptr);
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(page, CDPropShadow::kTransparencyId))->text(), "40%");
        EXPECT_EQ(presets->currentText(), " ");
        SaveShot(&s, "ShadowPresetDefault");
        presets->setFocus();
        QTest::keyClick(presets, Qt::Key_Home);
        EXPECT_EQ(presets->currentText(), "No Shadow");
    });
}

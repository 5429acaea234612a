// The figure and label styles sheet: the pages edit the style shown in the
// panel's list; OK (showing Apply) writes it, Close leaves.
#include "controls/CFigPreviewWnd.h"
#include "core/MessageBeep.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "dialogs/CMessageDlgs.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "dialogs/sheets/CFigPage.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/SysColors.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/StyleCategoryList.h"

#include <QPushButton>
#include <QTimer>

namespace {
constexpr UINT IDS_FIG_STYLES = 494, IDS_LABEL_STYLES = 490, IDS_FIG_STYLE = 510, IDS_LABEL_STYLE = 512;
constexpr UINT IDS_CLOSE = 634, IDS_NO_SHAPE = 453, IDS_CATEGORIES_FULL = 408;
constexpr UINT IDS_ALL_DELETED = 496, IDS_ALL_LABELS_DELETED = 497, IDS_STYLES_HINT = 651;

std::string ResText(UINT id)
{
    const char* s = FindResString(id);
    return s ? s : "";
}

QString Res(UINT id)
{
    const char* s = FindResString(id);
    return AnsiToQString(s ? s : "");
}

// A figure style draws something only with a symbol of its own (0 and 1 are
// the built-in blanks) or a picture.
bool StyleHasShape(const CFigStyle* s)
{
    return s && (s->m_props.Symbol > 1 || s->m_props.HasGraphic());
}

// The working values into the style: all of them, or only those the mask
// names ("<All>", where each style keeps the rest).
void StoreWorkingValues(CFigStyle& s, const FigSheetData& d, bool all)
{
    const CFigPropMaskEx& m = d.mask;
    if (all)
        s.m_props = d.props;
    else
        s.m_props.CopyMasked(&d.props, &m);
    auto set = [all](int flag, auto& field, const auto& value) {
        if (all || flag)
            field = value;
    };
    set(m.m_bSheet[kSheetWidth], s.Width, int(d.width));
    set(m.m_bSheet[kSheetHeight], s.Height, int(d.height));
    set(m.m_bEx[kExDescription], s.Description, d.description);
    set(m.m_bEx[kExCategory], s.Category, d.category);
    set(m.m_bEx[kExHasButton], s.HasButton, d.hasButton);
    set(m.m_bEx[kExInMenu], s.InMenu, d.inMenu);
    set(m.m_bEx[kExAutoLabel], s.AutoLabel, d.autoLabel);
    set(m.m_bEx[kExAutoLabelText], s.AutoLabelText, d.autoLabelText);
    if (all) {
        s.m_conPts.CopyFrom(d.conPts);
        s.DefaultText = d.text;
        s.TextInits = d.secondText;
    }
}

bool IsKind(const CFigStyle* s, int label)
{
    return s && (s->Label != 0) == (label != 0);
}
} // namespace

CFSTabSheet::CFSTabSheet(bool label, CKavoDoc& doc, int start, QWidget* parent)
    : CFTabSheet(FigSheetData(), parent), m_panel(new CStylesPanel(this, this)),
      m_preview(new CFigPreviewWnd(&doc, nullptr)), m_start(start), m_barWatch(&doc)
{
    m_data.doc = &doc;
    m_data.variant = kFigSheetStyles;
    m_data.label = label;
    setWindowTitle(Res(label ? IDS_LABEL_STYLES : IDS_FIG_STYLES));
    m_panel->SetPreview(m_preview);
    m_panel->setFixedWidth(m_panel->PanelWidth());
    PlaceBesideTabs(m_panel);
    // OK takes Apply's text and commits; Cancel reads Close.
    HideApplyButton();
    Button(IDOK)->setText("&Apply");
    Button(IDCANCEL)->setText(Res(IDS_CLOSE));
}

std::vector<StyleListEntry> CFSTabSheet::StyleEntries() const
{
    std::vector<StyleListEntry> out;
    const CFigStylesLibrary& lib = m_data.doc->m_figStyles;
    for (int i = 0; i < lib.GetCount(); ++i)
        if (const CFigStyle* s = lib.GetAt(i); IsKind(s, m_data.label))
            out.push_back({s->m_strName, i});
    return out;
}

void CFSTabSheet::OnInitDialog()
{
    CKavoDoc& doc = *m_data.doc;
    const std::vector<StyleListEntry> entries = StyleEntries();
    int start = m_start >= 0 ? m_start : (m_data.label ? doc.m_nCurLblStyle : doc.m_nCurFigStyle);
    // Without a current style of the kind the sheet opens on the first one.
    if (!IsKind(doc.m_figStyles.GetAt(start), m_data.label))
        start = entries.empty() ? -1 : entries.front().index;
    PlaceBesideButtons(m_panel->CreateButtons());
    CFTabSheet::OnInitDialog();
    m_data.style = -1;
    if (start >= 0)
        ShowStyle(start);
    m_panel->Refill();
    if (entries.empty())
        QTimer::singleShot(0, this, [this] { m_panel->OnNew(); });
}

void CFSTabSheet::ShowStyle(int index)
{
    FigSheetData& d = m_data;
    // A picture taken for the entry left behind goes with it.
    ReleaseHeldPicture();
    CKavoDoc& doc = *d.doc;
    d.style = index;
    const CFigStyle* s = index >= 0 ? doc.m_figStyles.GetAt(index) : nullptr;
    if (index >= 0)
        (d.label ? doc.m_nCurLblStyle : doc.m_nCurFigStyle) = index;
    if (s) {
        d.width = s->Width > 0 || s->Height > 0 ? s->Width : 128;
        d.height = s->Width > 0 || s->Height > 0 ? s->Height : 96;
        d.description = s->Description;
        d.category = s->Category;
        d.hasButton = s->HasButton;
        d.inMenu = s->InMenu;
        d.autoLabel = s->AutoLabel;
        d.autoLabelText = s->AutoLabelText;
        d.conPts.CopyFrom(s->m_conPts);
        d.props = s->m_props;
        d.name = s->m_strName;
        d.text = d.savedText = s->DefaultText;
        d.secondText = d.savedSecondText = s->TextInits;
    } else {
        // "<All>": a blank record, so that only what the user sets reaches
        // every style.
        d.conPts.RemoveAll();
        d.props.ResetForSheet(d.label);
        d.props.BorderColor = d.props.TextColor = d.props.m_fill.m_crColor1 = GetSysColor(COLOR_BTNFACE);
        d.width = d.height = 0;
        d.description.clear();
        d.category.clear();
        d.hasButton = d.inMenu = d.autoLabel = 0;
        d.autoLabelText.clear();
        d.name.clear();
        d.text = d.savedText = d.secondText = d.savedSecondText = {};
    }
    ReloadActivePage();
    RedrawPreview();
    ResetChangeState();
    m_panel->UpdateButtons();
}

void CFSTabSheet::RedrawPreview()
{
    const FigSheetData& d = m_data;
    m_preview->SetBlank(d.name.empty() && !d.IsAll());
    m_preview->SetFig(d.props);
    m_preview->SetExtent(int(d.width), int(d.height));
    m_preview->SetText(d.text, d.secondText);
}

bool CFSTabSheet::HasShape() const
{
    const CFigProps& p = m_data.props;
    return p.Symbol > 1 || (p.Symbol == 1 && m_data.label) || p.HasGraphic();
}

bool CFSTabSheet::CommitToAll()
{
    FigSheetData& d = m_data;
    CKavoDoc& doc = *d.doc;
    for (const StyleListEntry& e : StyleEntries()) {
        CFigStyle s = *doc.m_figStyles.GetAt(e.index);
        StoreWorkingValues(s, d, false);
        if (!doc.ReplaceFigStyle(e.index, s))
            return false;
    }
    return true;
}

bool CFSTabSheet::Commit()
{
    FigSheetData& d = m_data;
    CKavoDoc& doc = *d.doc;
    if (!ValidateActivePage()) {
        RedrawPreview();
        return false;
    }
    if (!d.category.empty() && d.mask.m_bEx[kExCategory]) {
        const StyleCategoryList& cats = doc.m_figStyles.GetCategories(0);
        bool known = false;
        for (int i = 0; i < cats.m_nCount; ++i)
            known = known || cats.m_cat[i].m_strName == d.category;
        if (!known && cats.m_nCount >= StyleCategoryList::kMaxCategories) {
            MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_CATEGORIES_FULL, {});
            SetActivePage(GeneralPage());
            return false;
        }
    }
    if (d.IsAll()) {
        if (!CommitToAll())
            return false;
    } else {
        const CFigStyle* old = doc.m_figStyles.GetAt(d.style);
        if (!old)
            return false;
        if (!HasShape()) {
            MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_NO_SHAPE, {});
            SetActivePage(GeneralPage());
            return false;
        }
        // The style shares the held picture from here on.
        if (d.heldPicture && d.heldPicture == d.props.Graphic)
            d.heldPicture = nullptr;
        ReleaseHeldPicture();
        CFigStyle s = *old;
        s.Label = d.label;
        StoreWorkingValues(s, d, true);
        if (!doc.ReplaceFigStyle(d.style, s))
            return false;
    }
    ResetChangeState();
    RedrawPreview();
    m_barWatch.Check();
    return true;
}

void CFSTabSheet::DiscardPending(bool madeByNew)
{
    // A style New made a moment ago that still has no shape is of no use:
    // it goes without a question. Any other entry is only reloaded.
    if (madeByNew && !m_data.label && !m_data.IsAll() && !StyleHasShape(m_data.doc->m_figStyles.GetAt(m_data.style))) {
        const int gone = m_data.style;
        m_data.style = -1;
        m_data.doc->DeleteFigStyle(gone);
        m_barWatch.Check();
        const std::vector<StyleListEntry> left = StyleEntries();
        ShowStyle(left.empty() ? -1 : left.front().index);
        return;
    }
    ShowStyle(m_data.style);
}

std::string CFSTabSheet::NewNameBase() const
{
    return ResText(m_data.label ? IDS_LABEL_STYLE : IDS_FIG_STYLE);
}

bool CFSTabSheet::AskStyleName(std::string& name, StyleNameMode mode)
{
    CStyleNameDlg dlg(mode == StyleNameMode::Copy, this);
    dlg.m_bLabel = m_data.label;
    dlg.m_bRename = mode == StyleNameMode::Rename;
    dlg.m_strName = name;
    if (dlg.DoModal() != IDOK)
        return false;
    name = dlg.m_strName;
    return true;
}

int CFSTabSheet::AddStyle(const std::string& name, bool copy)
{
    FigSheetData& d = m_data;
    CKavoDoc& doc = *d.doc;
    if (!ValidateActivePage())
        return -1;
    CFigStyle s;
    s.m_strName = name;
    s.Label = d.label;
    if (copy) {
        StoreWorkingValues(s, d, true);
    } else {
        s.m_props.ResetForSheet(d.label);
        s.m_props.BorderWidth = 3;
        s.Width = s.Height = 0;
        // A new figure style takes the size most figure styles have.
        if (!d.label)
            doc.m_figStyles.MostCommonSize(s.Width, s.Height);
    }
    if (!doc.AddNewFigStyle(s))
        return -1;
    m_barWatch.Check();
    // A new figure style is given its shape first: the General page shows.
    if (!d.label)
        SetActivePage(GeneralPage());
    return doc.m_figStyles.FindByName(name);
}

bool CFSTabSheet::RenameStyle(int index, const std::string& name)
{
    const bool ok = m_data.doc->RenameFigStyle(index, name) == 1;
    if (ok && index == m_data.style)
        m_data.name = name;
    m_barWatch.Check();
    return ok;
}

bool CFSTabSheet::DeleteStyle(int index)
{
    if (!m_data.doc->DeleteFigStyle(index))
        return false;
    m_barWatch.Check();
    m_data.style = -1;
    ResetChangeState();
    return true;
}

void CFSTabSheet::NoStylesLeft(bool afterDelete)
{
    if (afterDelete)
        MsgBoxResTexts(MB_ICONINFORMATION, m_data.label ? IDS_ALL_LABELS_DELETED : IDS_ALL_DELETED, {});
    EndDialog(IDCANCEL);
}

void CFSTabSheet::OnOK()
{
    if (m_data.HasChanges())
        Commit();
}

void CFSTabSheet::OnCancel()
{
    // Close asks about pending changes; Cancel to that keeps the sheet.
    if (!m_panel->AskKeepChanges())
        return;
    EndDialog(IDCANCEL);
}

void CFSTabSheet::RefillStyleList()
{
    m_panel->Refill();
}

int RunFigStyleSheet(CKavoDoc& doc, bool labels, int start, QWidget* parent)
{
    // Selected objects sharing one style open the sheet on it.
    if (start < 0)
        start = doc.GetCommonSelStyle(labels);
    if (start >= 0) {
        const CFigStyle* s = doc.m_figStyles.GetAt(start);
        if (!s || (s->Label != 0) != labels) {
            DiagPrintf("ERR!  Couldn't edit figure/label styles bad nStyle\n");
            MessageBeep(MB_ICONEXCLAMATION);
            return IDCANCEL;
        }
    }
    if (RemindStyles) {
        CHintDlg hint(parent);
        hint.m_strText = ResText(IDS_STYLES_HINT);
        hint.DoModal();
        if (hint.m_bDontShow)
            RemindStyles = 0;
    }
    CFSTabSheet sheet(labels, doc, start, parent);
    sheet.Data().sample = SampleFromSelection(doc, labels);
    return sheet.DoModal();
}

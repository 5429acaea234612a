// The document's life cycle, views, current styles and small queries.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "document/DocPrinter.h"
#include "document/ObjIndex.h"
#include "document/IDocView.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <algorithm>

namespace {
constexpr unsigned kReadOnlyTitleId = 878;
constexpr size_t kMaxTitle = 259;
} // namespace

CKavoDoc::CKavoDoc() : m_pObjIndex(std::make_unique<CObjIndex>(*this))
{
    DiagPrintf("STAT  CKavoDoc::CKavoDoc()\n");
    ResetPageInfo();
    m_figMenu.m_pLargeDropMenus = &m_bLargeDropMenus;
    ResetStyleLayouts();
    InitializeDocument();
}

CKavoDoc::~CKavoDoc()
{
    DeleteAutoSaveTempFile();
    m_rcSelBounds.SetRectEmpty();
    if (m_pSelList)
        m_pSelList->RemoveAll();
    DeleteAllObjects();
    DeleteAllStaples();
    DeleteAllGroups();
    // The styles give their picture uses back while the document can take them.
    m_figStyles.RemoveAll();
    m_conStyles.RemoveAll();
    if (m_graphics.GetCount() > 0) {
        DiagPrintf("SMEM:  Error - graphics list is not empty on doc close\n");
        m_graphics.ReleaseAll();
    }
    m_moveSet.Release();
    m_undo.FreeUndoBuffer();
    if (m_hDevMode)
        GlobalFree(m_hDevMode);
    if (m_hDevNames)
        GlobalFree(m_hDevNames);
}

void CKavoDoc::ResetPageInfo()
{
    std::fill(std::begin(m_fileOpState), std::end(m_fileOpState), 0);
    m_fileOpState[4] = m_fileOpState[5] = 1;
}

bool CKavoDoc::InitializeDocument()
{
    DiagPrintf("STAT  CKavoDoc::InitializeDocument()\n");
    m_nLineSpacingMode = 0;
    m_fLineSpacingValue = 0;
    m_bHasAutoSaveCopy = 0;
    m_strTemplate.clear();

    // Page defaults: no printer is known to the model, so Letter.
    m_hDevMode = m_hDevNames = nullptr;
    m_nPosterRows = m_nPosterCols = 1;
    m_rcWorkSpace = CRect(-16000, -16000, 16000, 16000);
    m_fMarginTop = m_fMarginBottom = m_fMarginLeft = m_fMarginRight = 128.0;
    m_nOrientation = 1;
    m_nPaper = 1;
    m_nPaperWidth = 2159;
    m_nPaperLength = 2794;
    // Tenths of a millimetre to logical units (1/256 inch).
    const int pageW = int((long long)m_nPaperWidth * 256 / 254), pageH = int((long long)m_nPaperLength * 256 / 254);
    m_rcPage = CRect(0, 0, pageW, pageH);
    m_rcPrintable = m_rcPage;
    m_fMarginTop = m_fMarginBottom = m_fMarginLeft = m_fMarginRight = 128.0;

    m_strPendingMessage.clear();
    ResetPageInfo();
    m_nNextId = m_nNextStpId = m_nNextGrpId = 1;
    m_strParent.clear();
    m_strAutoLabelStyle.clear();
    m_strConLabelStyle.clear();
    m_strFlowLabelStyle.clear();
    SetCurFigStyle(-1);
    SetCurConStyle(-1);

    m_curLblStyle.Reset();
    SetDocFigFlagsDefault(m_curLblStyle.m_props.Behavior);
    m_curLblStyle.Label = 1;
    m_curLblStyle.m_props.Symbol = 1;
    m_curLblStyle.m_props.m_fill.m_nKind = 0;

    m_nConPointMarks = ConPointMarks;
    m_bLargeDropMenus = 0;
    m_bFullColorIcons = 0;
    m_bTranspBMPs = 1;
    m_crTranspColor = 0xFF00FF;
    std::fill(std::begin(m_styleSlots), std::end(m_styleSlots), -1);
    m_nLastConStyleShown = -1;
    m_bSnapConPtsCenters = 1;

    std::copy(std::begin(PaletteColors), std::end(PaletteColors), std::begin(m_colors));
    m_nGridX = GridX;
    m_nGridY = GridY;
    m_nSnapX = SnapX;
    m_nSnapY = SnapY;
    m_nCornerRadius = RoundedRadius;
    m_nSelfReferenceRadius = g_nSelfReferenceRadius;
    m_nLabelToFigSpacing = m_nLabelToConSpacing = -1;
    m_shadowSpec = GetAppShadowDefault();
    m_bShowGrid = ShowGrid;
    m_bAlignToGrid = AlignToGrid;
    m_bAlignToGridConPts = AlignToGridConPts;
    m_bEnableConPts = EnableConPts;
    m_nAttachMode = AttachMode;
    m_bOversizeTextRect = OversizeTextRect;
    m_nLastEndLen = LastEndLen;
    m_strLastEnd = LastEnd;
    m_bConnectorJogs = ConnectorJogs;
    m_nConnectorJogRadius = ConnectorJogRadius;
    m_bJunctionDots = JunctionDots;
    m_nFigLblPrimarySector = FigLblPrimarySector;
    m_defaultFont.InitDefault();
    m_crDefaultText = 0;

    m_nSBarWidthOrg = -1;
    m_nSBarWidth = 128;
    const int32_t bar[6] = {2, 1, 2, 28, 20, 32};
    std::copy(std::begin(bar), std::end(bar), std::begin(m_styleBarDefaults));
    m_bPasteState = 0;

    m_undo.ReleaseAllUndoHolds();
    if (!m_undo.AllocUndoBuffer())
        return false;
    m_undo.ResetUndoLog();
    m_rcSelBounds.SetRectEmpty();
    SetModifiedFlag(false);

    try {
        if (!m_pObjList)
            m_pObjList = std::make_unique<CObjList>();
        if (!m_pSelList)
            m_pSelList = std::make_unique<CObjList>();
        if (!m_pStapleList)
            m_pStapleList = std::make_unique<CObjList>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!m_moveSet.Init(this))
        return false;

    m_ptViewOrigin = CPoint(0, 0);
    m_fViewScale = 100.0f;
    m_nFigMarginMode = 0;
    m_nFigMarginTop = m_nFigMarginBottom = m_nFigMarginLeft = m_nFigMarginRight = 12;
    m_sizeIcon = CSize(16, 16);
    return true;
}

void CKavoDoc::DeleteAllObjects()
{
    if (!m_pObjList)
        return;
    std::vector<CDiagObj*> objs(m_pObjList->begin(), m_pObjList->end());
    m_pObjList->RemoveAll();
    for (CDiagObj* o : objs)
        delete o;
}

void CKavoDoc::DeleteAllStaples()
{
    if (!m_pStapleList)
        return;
    std::vector<CDiagObj*> staples(m_pStapleList->begin(), m_pStapleList->end());
    m_pStapleList->RemoveAll();
    for (CDiagObj* s : staples)
        delete s;
}

void CKavoDoc::DeleteAllGroups()
{
    for (CGroup* g : m_groupList) {
        g->m_members.clear();
        delete g;
    }
    m_groupList.clear();
}

void CKavoDoc::DeleteContents()
{
    DiagPrintf("STAT  CKavoDoc::DeleteContents()\n");
    // The autosave copy belongs to the contents that go.
    DeleteAutoSaveTempFile();
    m_bHasAutoSaveCopy = 0;
    m_fileOpState[0] = 0;
    m_lastUngroup.m_members.clear();
    m_lastUngroup.m_nId = -1;
    m_editSymbolCopies.clear();

    m_undo.ResetUndoLog();
    if (m_pSelList)
        m_pSelList->RemoveAll();
    if (CObjList* follow = m_moveSet.GetList())
        follow->RemoveAll();
    m_pDragTargetCon = nullptr;
    m_rcSelBounds.SetRectEmpty();
    DeleteAllObjects();

    m_figStyles.RemoveAll();
    m_conStyles.RemoveAll();
    m_endSymbols.RemoveAll();
    m_figSymbols.RemoveAll();
    SetCurFigStyle(-1);
    SetCurConStyle(-1);
    SetCurLblStyle(-1);
    std::fill(std::begin(m_styleSlots), std::end(m_styleSlots), -1);
    m_nLastConStyleShown = -1;
    ResetStyleLayouts();

    DeleteAllStaples();
    // The figures are gone; the pictures they used go with their memory.
    m_graphics.ReleaseAll();
    DeleteAllGroups();

    if (m_hDevMode)
        GlobalFree(m_hDevMode);
    if (m_hDevNames)
        GlobalFree(m_hDevNames);
    m_hDevMode = m_hDevNames = nullptr;
    m_ptViewOrigin = CPoint(0, 0);
    m_fViewScale = 100.0f;
    m_strTemplate.clear();
    m_strAutoLabelStyle.clear();
    m_strConLabelStyle.clear();
    m_strFlowLabelStyle.clear();
    // A link to a parent belongs to the diagram that was there.
    m_strParent.clear();
    m_strPendingMessage.clear();

    BuildBuiltInFigSymbols(m_figSymbols);
    m_endSymbols.BuildLineEnds();
}

bool CKavoDoc::OnNewDocument(const std::string& templatePath)
{
    DiagPrintf("STAT  CKavoDoc::OnNewDocument() cnt=%d\n", m_figStyles.GetCount());
    // A document whose construction ran out of memory has no lists: it is
    // initialised again, and cannot be used when that fails too.
    if (!HasLists() && !InitializeDocument())
        return false;
    DeleteContents();
    SetModifiedFlag(false);
    GiveNewDocAppPrinter(*this);
    m_docWords[1] = 1;
    if (!templatePath.empty())
        return false;
    AddNewDocDefaultStyle(m_figStyles);
    return true;
}

void CKavoDoc::SetPathName(const std::string& path, bool addToRecent)
{
    (void)addToRecent;
    m_strPathName = path;
    if (FullPathCaptions)
        m_strTitle = path.substr(0, kMaxTitle);
    else {
        const size_t slash = path.find_last_of("/\\");
        m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
    }
    if (m_bReadOnly) {
        const char* ro = FindResString(kReadOnlyTitleId);
        m_strTitle += ro ? ro : "";
    }
}

// ---- views

void CKavoDoc::AddView(IDocView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CKavoDoc::RemoveView(IDocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CKavoDoc::UpdateAllViews(IDocView* sender, int hint, const CRect* rect)
{
    // Every change repaints where it was and where it is: what the index
    // must measure again.
    if (rect)
        m_pObjIndex->NoteArea(*rect);
    else
        m_pObjIndex->NoteAll();
    const std::vector<IDocView*> views = m_views;
    for (IDocView* v : views)
        if (v != sender)
            v->OnDocUpdate(sender, hint, rect);
}

void CKavoDoc::InvalidateObj(const CDiagObj* obj)
{
    if (obj)
        m_pObjIndex->NoteObj(obj);
    if (m_nUpdateLock || !obj)
        return;
    CRect rc;
    obj->GetBoundRect(rc, 3, 8);
    // The drop shadow is drawn beside the object; a linked figure's shadow
    // is cast with its whole cluster's.
    if (m_shadowSpec.IsVisible()) {
        if (obj->GetType() == kObjFigure)
            GetLinkedClusterRect(rc, static_cast<const CFigure*>(obj));
        m_shadowSpec.GetShadowRect(rc);
    }
    UpdateAllViews(nullptr, 1, &rc);
}

// ---- current styles

bool CKavoDoc::SetCurFigStyle(int index)
{
    const bool changed = index != m_nCurFigStyle;
    m_nCurFigStyle = index;
    m_curFigStyle.Reset();
    if (const CFigStyle* s = m_figStyles.GetAt(index))
        m_curFigStyle = *s;
    return changed;
}

bool CKavoDoc::SetCurConStyle(int index)
{
    const bool changed = index != m_nCurConStyle;
    m_nCurConStyle = index;
    m_curConStyle.Reset();
    if (const CConStyle* s = m_conStyles.GetAt(index))
        m_curConStyle = *s;
    return changed;
}

bool CKavoDoc::SetCurLblStyle(int index)
{
    const bool changed = index != m_nCurLblStyle;
    if (index == -1) {
        ResetCurLblStyle();
        return changed;
    }
    m_nCurLblStyle = index;
    if (const CFigStyle* s = m_figStyles.GetAt(index))
        m_curLblStyle = *s;
    return changed;
}

void CKavoDoc::ResetCurLblStyle()
{
    m_nCurLblStyle = -1;
    m_curLblStyle.m_strName.clear();
    m_curLblStyle.Category.clear();
    m_curLblStyle.Description.clear();
    m_curLblStyle.DefaultText.clear();
    m_curLblStyle.AutoLabelText.clear();
    m_curLblStyle.TextInits.clear();
    m_curLblStyle.m_nTextInitCount = 0;
    m_curLblStyle.m_textInitBytes.fill(0);
    m_curLblStyle.m_pTextBoxInits.reset();
    m_curLblStyle.Reset();
    SetDocFigFlagsDefault(m_curLblStyle.m_props.Behavior);
    m_curLblStyle.Label = 1;
    m_curLblStyle.m_props.Symbol = 1;
    m_curLblStyle.m_props.m_fill.m_nKind = 0;
}

void CKavoDoc::ClearCurConStyleMark()
{
    m_bCurConStyleChanged = 0;
    m_strCurConStyleName.clear();
}

void CKavoDoc::ShowPendingMessage()
{
    if (m_strPendingMessage.empty())
        return;
    ShowPrompt(m_strPendingMessage, MB_OK | MB_ICONEXCLAMATION);
    m_strPendingMessage.clear();
}

bool CKavoDoc::IsOversizeTextRect() const
{
    return m_bOversizeTextRect != 0;
}

bool CKavoDoc::UseFullColorIcons() const
{
    return FullColorIcons || m_bFullColorIcons;
}

void CKavoDoc::EnterStyleCreateMode(int kind)
{
    switch (kind) {
    case 2:
        EnterUIMode(2, kFigStyleCmdFirst + m_nCurFigStyle);
        break;
    case 3:
        EnterUIMode(2, kLblStyleCmdFirst + m_nCurLblStyle);
        break;
    case 4:
        EnterUIMode(2, kConStyleCmdFirst + m_nCurConStyle);
        break;
    default:
        EnterUIMode(kind, 0);
        break;
    }
}

void CKavoDoc::SetShadowSettings(const CShadowSpec& spec)
{
    m_undo.UndoBeginStep(UDMAC_SETSHADOWS);
    if (spec != m_shadowSpec) {
        const CShadowSpec old = m_shadowSpec;
        if (m_undo.UndoLog(UDOC_SHADOW, [old](UndoStream& s) { s.Raw(&old, sizeof old); })) {
            m_shadowSpec = spec;
            SetAppShadowDefault(spec);
            SetModifiedFlag(true);
            UpdateAllViews(nullptr, 0, nullptr);
        }
    }
    m_undo.UndoEndStep();
}

CKavoDoc* GetActiveKavoDoc()
{
    IAppContext* ctx = GetAppContext();
    return ctx ? dynamic_cast<CKavoDoc*>(ctx->GetActiveDocument()) : nullptr;
}

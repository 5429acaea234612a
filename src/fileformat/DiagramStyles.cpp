// FigureStyle and ConnectorStyle records: their own keys around the shared
// property keys, the conversions of old files at the end of a figure style,
// and the style sections of a save.
#include "document/CKavoDoc.h"
#include "document/OldNames.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "shapes/SymbolRecordWriter.h"

namespace {
constexpr size_t kMaxCategory = 30;
constexpr size_t kMaxDescription = 80;
constexpr size_t kMaxDefaultText = 512;
constexpr size_t kMaxTextInits = 1024;
constexpr size_t kMaxAutoLabelText = 80;
constexpr const char* kNoCategory = "(no category)";
// A label style read from an older file always has this behaviour bit.
constexpr DWORD kLabelStyleBit = 1u << 6;


// Whether a symbol draws an area: it has a fill sub-program.
bool SymbolHasFill(const CFigSymbol* symbol)
{
    return symbol && symbol->m_nFillPos >= 0;
}
} // namespace

int CDiagramLoadObj::ReadStyleKey(const char*& p, CStyle& s)
{
    if (MatchKeyword(p, KW_Category)) {
        if (!ParseDelimitedCString(p, s.Category, kMaxCategory))
            return KWR_FAILED;
        if (s.Category == kNoCategory)
            s.Category.clear();
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_HasButton))
        return ReadFlag(p, s.HasButton);
    if (MatchKeyword(p, KW_InMenu))
        return ReadFlag(p, s.InMenu);
    if (MatchKeyword(p, KW_Description))
        return ReadText(p, s.Description, kMaxDescription);
    return -1;
}

int CDiagramLoadObj::HandleFigureStyleLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    CFigStyle& s = m_figStyle;
    int v = 0;
    auto readBool = [&](int32_t& field) { return ReadFlag(p, field); };
    if (MatchKeyword(p, KW_Label))
        return readBool(s.Label);
    const int common = ReadStyleKey(p, s);
    if (common >= 0)
        return common;
    if (MatchKeyword(p, KW_DisplayText))
        return readBool(s.DisplayText);
    const bool height = MatchKeyword(p, KW_Height);
    if (height || MatchKeyword(p, KW_Width)) {
        if (!ParseShortAsInt(p, v, 0, 25600))
            return KWR_FAILED;
        (height ? s.Height : s.Width) = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_DefaultText)) {
        if (!ParseDelimitedCString(p, s.DefaultText, kMaxDefaultText))
            return KWR_FAILED;
        ConvertOldText(s.DefaultText);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_TextInits)) {
        if (!ParseDelimitedCString(p, s.TextInits, kMaxTextInits))
            return KWR_FAILED;
        ConvertAsIs(s.TextInits);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_AutoLabel))
        return readBool(s.AutoLabel);
    if (MatchKeyword(p, KW_AutoLabelText))
        return ReadText(p, s.AutoLabelText, kMaxAutoLabelText);
    if (MatchKeyword(p, KW_Graphic)) {
        uint32_t id;
        if (!ParseUIntInRange(p, id, 0, 0xFFFFFFFF))
            return KWR_FAILED;
        const CGraphic* g = m_pDoc->m_graphics.FindById(id);
        if (!g)
            return KWR_FAILED;
        TakePicture(s.m_props, g->Type, g->Handle);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Hot))
        return ReadHotZone(p, s.m_hotZone);
    if (MatchKeyword(p, KW_ConnectionPoint))
        return ReadConnectionPoint(p, s.m_conPts, false);
    if (MatchKeyword(p, KW_GraphicData))
        return ReadLegacyGraphicData(p, BT_STYLE_GRAPHIC_DATA, s.m_props, nullptr);
    const int prop = ReadFigPropKey(p, s.m_props, nullptr);
    if (prop >= 0)
        return prop;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::EndFigureStyle()
{
    CFigStyle& s = m_figStyle;
    CFillSpec& fill = s.m_props.m_fill;
    const CFigSymbol* symbol = m_pDoc->m_figSymbols.GetAt(s.m_props.Symbol);
    // Older files: a fill their symbol cannot show is dropped.
    if (m_dVersion < 5.0 && !s.m_props.HasGraphic() && !SymbolHasFill(symbol))
        fill.m_nKind = 0;
    std::string name = s.m_strName;
    if (RenameOldSwimLaneStyle(m_dVersion, name))
        s.SetName(name);
    if (m_dVersion < 5.03 && (s.Label || s.m_props.Symbol <= 0 || !SymbolHasFill(symbol)))
        fill.m_nKind = 0;
    if (m_dVersion < 5.05 && s.Label)
        fill.m_nKind = 0;
    // Files of this version keep the behaviour word exactly as written, so
    // that a label style saved without the bit reads back without it.
    if (s.Label && m_dVersion < KW_FILE_VERSION)
        s.m_props.Behavior.low |= kLabelStyleBit;
    CFigStyle* entry = m_pDoc->m_figStyles.NewEntry();
    if (!entry)
        return KWR_STOP;
    *entry = s;
    if (entry->m_props.HasGraphic())
        m_pDoc->m_graphics.RegisterAlloc(entry->m_props.m_nGraphicType, &entry->m_props.Graphic, false);
    // The picture belongs to the library entry now.
    ReleaseRecordPicture();
    return KWR_DONE;
}

int CDiagramLoadObj::HandleConnectorStyleLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    CConStyle& s = m_conStyle;
    auto readBool = [&](int32_t& field) { return ReadFlag(p, field); };
    auto readInt = [&](int32_t& field) { return ReadInt(p, field); };
    const int common = ReadStyleKey(p, s);
    if (common >= 0)
        return common;
    if (MatchKeyword(p, KW_AutoLabel))
        return readBool(s.AutoLabel);
    if (MatchKeyword(p, KW_AutoLabelText))
        return ReadText(p, s.AutoLabelText, kMaxAutoLabelText);
    if (MatchKeyword(p, KW_AutoLabelPosition))
        return readInt(s.AutoLabelPosition);
    // A switch written TRUE/FALSE (a digit reads as well).
    if (MatchKeyword(p, KW_FragmentCreation))
        return readBool(s.FragmentCreation);
    if (MatchKeyword(p, KW_FragmentLength))
        return readInt(s.FragmentLength);
    if (MatchKeyword(p, KW_FragmentAngle))
        return readInt(s.FragmentAngle);
    const int prop = ReadConPropKey(p, s.m_props, nullptr);
    if (prop >= 0)
        return prop;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::EndConnectorStyle()
{
    CConStyle* entry = m_pDoc->m_conStyles.NewEntry();
    if (!entry)
        return KWR_STOP;
    *entry = m_conStyle;
    return KWR_DONE;
}

// ---- writing

BOOL WriteFigureStyle(CKeywordWriter& w, const CKavoDoc& doc, CFigStyle& s)
{
    auto flag = [&](EKeyword key, int value) { return value == 0 || w.WriteBool(key, true); };
    auto text = [&](EKeyword key, const std::string& value) { return value.empty() || w.WriteString(key, value); };
    return w.OpenNamedBlock(KW_FigureStyle, s.m_strName.c_str(), false) && flag(KW_Label, s.Label) &&
           text(KW_Category, s.Category) && flag(KW_HasButton, s.HasButton) &&
           (s.InMenu == 1 || w.WriteBool(KW_InMenu, s.InMenu != 0)) && flag(KW_DisplayText, s.DisplayText) &&
           w.WriteShort(KW_Height, s.Height) && w.WriteShort(KW_Width, s.Width) &&
           text(KW_Description, s.Description) && text(KW_DefaultText, s.DefaultText) &&
           text(KW_TextInits, s.TextInits) && flag(KW_AutoLabel, s.AutoLabel) &&
           text(KW_AutoLabelText, s.AutoLabelText) && WriteFigProps(w, doc, s.m_props) &&
           WriteHotZone(w, s.m_hotZone) && WriteConnectionPoints(w, s.m_conPts, false) && w.CloseBlock();
}

BOOL WriteConnectorStyle(CKeywordWriter& w, const CKavoDoc& doc, CConStyle& s)
{
    BOOL ok = w.OpenNamedBlock(KW_ConnectorStyle, s.m_strName.c_str(), false) &&
              (s.Category.empty() || w.WriteString(KW_Category, s.Category)) &&
              (s.HasButton == 0 || w.WriteBool(KW_HasButton, true)) &&
              (s.InMenu == 1 || w.WriteBool(KW_InMenu, s.InMenu != 0)) &&
              (s.Description.empty() || w.WriteString(KW_Description, s.Description));
    if (ok && s.AutoLabel)
        ok = w.WriteBool(KW_AutoLabel, true) && w.WriteString(KW_AutoLabelText, s.AutoLabelText) &&
             w.WriteShort(KW_AutoLabelPosition, s.AutoLabelPosition);
    if (ok && s.FragmentCreation)
        ok = w.WriteBool(KW_FragmentCreation, true) && w.WriteShort(KW_FragmentLength, s.FragmentLength) &&
             w.WriteShort(KW_FragmentAngle, s.FragmentAngle);
    return ok && WriteConProps(w, doc, s.m_props) && w.CloseBlock();
}

BOOL WriteStyleSections(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt)
{
    (void)opt;
    BOOL ok = w.WriteText(KW_TEXT_SECTION_FIGURE_STYLES);
    for (int i = 0; ok && i < doc.m_figStyles.GetCount(); ++i)
        ok = WriteFigureStyle(w, doc, *doc.m_figStyles.GetAt(i));
    ok = ok && w.WriteText(KW_TEXT_SECTION_CONNECTOR_STYLES);
    for (int i = 0; ok && i < doc.m_conStyles.GetCount(); ++i)
        ok = WriteConnectorStyle(w, doc, *doc.m_conStyles.GetAt(i));
    return ok;
}

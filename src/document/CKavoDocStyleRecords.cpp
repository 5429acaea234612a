// The undo records that hold a whole figure or connector style, found again
// by name when undone.
#include "document/CKavoDoc.h"

#include <algorithm>
#include <cstring>

namespace {
int Clamp(int n, int limit)
{
    return std::clamp(n, 0, limit);
}

void WriteStyleBase(UndoStream& s, const CStyle& style)
{
    s.String(style.Category);
    s.Int32(style.HasButton);
    s.Int32(style.InMenu);
    s.String(style.Description);
    s.String(style.m_strName);
}

bool ReadStyleBase(UndoReader& r, CStyle& style, std::string& name)
{
    return r.String(name) && r.String(style.Description) && r.Int32(style.InMenu) && r.Int32(style.HasButton) &&
           r.String(style.Category);
}

bool ReadBlobInto(UndoReader& r, BYTE* out, int limit, int32_t& count)
{
    const BYTE* data = nullptr;
    int32_t n = 0;
    if (!r.Blob(data, n) || n > limit)
        return false;
    if (n > 0)
        std::memcpy(out, data, size_t(n));
    count = n;
    return true;
}
} // namespace

int CKavoDoc::LogFigStyleState(const CFigStyle* style)
{
    return m_undo.UndoLog(UDOC_FIGSTYLE, [style](UndoStream& s) {
        s.Int32(style->m_nKeep);
        s.Int32(style->m_nSpare);
        s.Blob(style->m_textInitBytes.data(), Clamp(style->m_nTextInitCount, CFigStyle::kTextInitBytes));
        s.Raw(&style->m_props, sizeof style->m_props);
        s.Int32(style->Label);
        s.Int32(style->DisplayText);
        s.Int32(style->AutoLabel);
        s.String(style->AutoLabelText);
        for (int i = style->m_conPts.GetCount() - 1; i >= 0; --i) {
            const CConPt* p = style->m_conPts.GetAt(i);
            s.Raw(&p->m_pos, sizeof p->m_pos);
            s.Int32(p->m_nFlag);
            s.String(p->m_strName);
            s.Int32(p->m_nId);
        }
        s.Int32(style->m_conPts.GetCount());
        s.Blob(style->m_hotZone.GetPoints(), int32_t(style->m_hotZone.GetCount() * sizeof(CFltPoint)));
        s.Int32(style->Height);
        s.Int32(style->Width);
        s.String(style->DefaultText);
        s.String(style->TextInits);
        WriteStyleBase(s, *style);
    });
}

int CKavoDoc::LogConStyleState(const CConStyle* style)
{
    return m_undo.UndoLog(UDOC_CONSTYLE, [style](UndoStream& s) {
        s.Blob(style->m_bytes.data(), Clamp(style->m_nByteCount, CConStyle::kByteArraySize));
        s.Raw(&style->m_props, sizeof style->m_props);
        s.Int32(style->FragmentAngle);
        s.Int32(style->FragmentLength);
        s.Int32(style->FragmentCreation);
        s.Int32(style->AutoLabelPosition);
        s.String(style->AutoLabelText);
        s.Int32(style->AutoLabel);
        WriteStyleBase(s, *style);
    });
}

bool CKavoDoc::ReplayStyleState(int type, UndoReader& r)
{
    std::string name;
    if (type == UDOC_CONSTYLE) {
        CConStyle saved;
        if (!ReadStyleBase(r, saved, name) || !r.Int32(saved.AutoLabel) || !r.String(saved.AutoLabelText) ||
            !r.Int32(saved.AutoLabelPosition) || !r.Int32(saved.FragmentCreation) || !r.Int32(saved.FragmentLength) ||
            !r.Int32(saved.FragmentAngle) || !r.Raw(&saved.m_props, sizeof saved.m_props) ||
            !ReadBlobInto(r, saved.m_bytes.data(), CConStyle::kByteArraySize, saved.m_nByteCount))
            return false;
        saved.SetName(name);
        const int index = m_conStyles.FindByName(name);
        if (index >= 0)
            *m_conStyles.GetAt(index) = saved;
        m_conStyles.SetChanged();
        return true;
    }
    CFigStyle saved;
    int32_t count = 0;
    const BYTE* zone = nullptr;
    int32_t zoneBytes = 0;
    if (!ReadStyleBase(r, saved, name) || !r.String(saved.TextInits) || !r.String(saved.DefaultText) ||
        !r.Int32(saved.Width) || !r.Int32(saved.Height) || !r.Blob(zone, zoneBytes) || !r.Int32(count) ||
        count < 0 || count > CConPtList::kMaxPoints)
        return false;
    for (int i = 0; i < count; ++i) {
        CConPt p;
        if (!r.Int32(p.m_nId) || !r.String(p.m_strName) || !r.Int32(p.m_nFlag) || !r.Raw(&p.m_pos, sizeof p.m_pos))
            return false;
        saved.m_conPts.AddConPt(p.m_pos, p.m_strName, p.m_nFlag, true, p.m_nId);
    }
    if (!r.String(saved.AutoLabelText) || !r.Int32(saved.AutoLabel) || !r.Int32(saved.DisplayText) ||
        !r.Int32(saved.Label) || !r.Raw(&saved.m_props, sizeof saved.m_props) ||
        !ReadBlobInto(r, saved.m_textInitBytes.data(), CFigStyle::kTextInitBytes, saved.m_nTextInitCount) ||
        !r.Int32(saved.m_nSpare) || !r.Int32(saved.m_nKeep))
        return false;
    if (zoneBytes > 0 && zoneBytes % int32_t(sizeof(CFltPoint)) == 0) {
        std::vector<CFltPoint> pts(size_t(zoneBytes) / sizeof(CFltPoint));
        std::memcpy(pts.data(), zone, size_t(zoneBytes));
        saved.m_hotZone.Set(int(pts.size()), pts.data());
    }
    saved.SetName(name);
    const int index = m_figStyles.FindByName(name);
    if (index >= 0) {
        CFigStyle* live = m_figStyles.GetAt(index);
        // The picture and the shared initial texts stay the live style's.
        saved.m_props.m_nGraphicType = live->m_props.m_nGraphicType;
        saved.m_props.Graphic = live->m_props.Graphic;
        saved.m_pTextBoxInits = live->m_pTextBoxInits;
        *live = saved;
    }
    m_figStyles.SetChanged();
    return true;
}

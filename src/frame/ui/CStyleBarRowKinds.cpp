// The three kinds of style-bar row: which layout, library and current
// style each one shows.
#include "document/CKavoDoc.h"
#include "frame/ui/CStyleBarRows.h"

namespace {

constexpr StyleRowSpec kLabelSpec{kLabelRow, 2119, 489, 2126, 3000, 2635, 37600, 3, 30};
constexpr StyleRowSpec kFigureSpec{kFigureRow, 2116, 430, 2124, 3500, 2633, 36600, 2, 100};
constexpr StyleRowSpec kConnectorSpec{kConnectorRow, 2120, 431, 2125, 4000, 2634, 37100, 4, 100};

// Figure and label styles share one library; the label flag parts them.
const CFigStyle* FigOfKind(CKavoDoc& doc, int index, bool label)
{
    const CFigStyle* s = doc.GetFigStyles()->GetAt(index);
    return s && (s->Label != 0) == label ? s : nullptr;
}

std::vector<int> FigsOfKind(CKavoDoc& doc, bool label)
{
    std::vector<int> out;
    CFigStylesLibrary& lib = *doc.GetFigStyles();
    for (int i = 0; i < lib.GetCount(); ++i)
        if (FigOfKind(doc, i, label))
            out.push_back(i);
    return out;
}

} // namespace

CLblButtonRow::CLblButtonRow() : CStyleButtonRow(kLabelSpec) {}

CStyleMenuLayout& CLblButtonRow::DocLayout(CKavoDoc& doc) const
{
    return doc.m_lblButtons;
}

bool CLblButtonRow::IsStyleOfKind(CKavoDoc& doc, int index) const
{
    return FigOfKind(doc, index, true) != nullptr;
}

const std::string* CLblButtonRow::StyleName(CKavoDoc& doc, int index) const
{
    const CFigStyle* s = FigOfKind(doc, index, true);
    return s ? &s->m_strName : nullptr;
}

int CLblButtonRow::CurrentStyle(const CKavoDoc& doc) const
{
    return doc.m_nCurLblStyle;
}

std::vector<int> CLblButtonRow::StylesOfKind(CKavoDoc& doc) const
{
    return FigsOfKind(doc, true);
}

CFigButtonRow::CFigButtonRow() : CStyleButtonRow(kFigureSpec) {}

CStyleMenuLayout& CFigButtonRow::DocLayout(CKavoDoc& doc) const
{
    return doc.m_figButtons;
}

bool CFigButtonRow::IsStyleOfKind(CKavoDoc& doc, int index) const
{
    return FigOfKind(doc, index, false) != nullptr;
}

const std::string* CFigButtonRow::StyleName(CKavoDoc& doc, int index) const
{
    const CFigStyle* s = FigOfKind(doc, index, false);
    return s ? &s->m_strName : nullptr;
}

int CFigButtonRow::CurrentStyle(const CKavoDoc& doc) const
{
    return doc.m_nCurFigStyle;
}

std::vector<int> CFigButtonRow::StylesOfKind(CKavoDoc& doc) const
{
    return FigsOfKind(doc, false);
}

CConButtonRow::CConButtonRow() : CStyleButtonRow(kConnectorSpec) {}

CStyleMenuLayout& CConButtonRow::DocLayout(CKavoDoc& doc) const
{
    return doc.m_conButtons;
}

bool CConButtonRow::IsStyleOfKind(CKavoDoc& doc, int index) const
{
    return doc.GetConStyles()->GetAt(index) != nullptr;
}

const std::string* CConButtonRow::StyleName(CKavoDoc& doc, int index) const
{
    const CConStyle* s = doc.GetConStyles()->GetAt(index);
    return s ? &s->m_strName : nullptr;
}

int CConButtonRow::CurrentStyle(const CKavoDoc& doc) const
{
    return doc.m_nCurConStyle;
}

std::vector<int> CConButtonRow::StylesOfKind(CKavoDoc& doc) const
{
    std::vector<int> out;
    for (int i = 0; i < doc.GetConStyles()->GetCount(); ++i)
        out.push_back(i);
    return out;
}

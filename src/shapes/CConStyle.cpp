#include "shapes/CConStyle.h"

#include <cstring>

CConStyle& CConStyle::operator=(const CConStyle& o)
{
    if (&o == this)
        return *this;
    CStyle::operator=(o);
    m_props = o.m_props;
    AutoLabel = o.AutoLabel;
    AutoLabelText = o.AutoLabelText;
    AutoLabelPosition = o.AutoLabelPosition;
    FragmentCreation = o.FragmentCreation;
    FragmentLength = o.FragmentLength;
    FragmentAngle = o.FragmentAngle;
    // Only the counted bytes, and never more than the array holds.
    m_nByteCount = o.m_nByteCount;
    const int n = o.m_nByteCount < 0 ? 0 : (o.m_nByteCount > kByteArraySize ? kByteArraySize : o.m_nByteCount);
    std::memcpy(m_bytes.data(), o.m_bytes.data(), static_cast<size_t>(n));
    return *this;
}

void CConStyle::Reset()
{
    // The name goes, so the kind cached from it goes too.
    StockNameKind::Reset();
    m_strName.clear();
    Category.clear();
    Description.clear();
    HasButton = 0;
    InMenu = 1;
    AutoLabel = 0;
    AutoLabelText.clear();
    AutoLabelPosition = 1;
    FragmentCreation = 0;
    FragmentLength = 0;
    FragmentAngle = 90;
    m_nByteCount = 0;
    m_bytes[0] = 0;
    m_props.SetDefaults();
}

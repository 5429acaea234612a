#pragma once
// A connector style: its name and texts, the automatic label, fragment
// creation and the connector properties of connectors made from it.
#include "shapes/CConProps.h"
#include "shapes/CStyle.h"

#include <array>

class CConStyle : public CStyle {
public:
    static constexpr size_t kMaxAutoLabelText = 512;
    static constexpr int kByteArraySize = 36;

    int32_t AutoLabel = 0;
    std::string AutoLabelText;
    int32_t AutoLabelPosition = 1;
    int32_t FragmentCreation = 0;
    int32_t FragmentLength = 0;
    int32_t FragmentAngle = 90;
    int32_t m_nByteCount = 0;     // counted bytes copied with the style
    std::array<BYTE, kByteArraySize> m_bytes{};
    CConProps m_props;

    CConStyle() = default;
    CConStyle(const CConStyle& o) : CStyle() { *this = o; }
    CConStyle& operator=(const CConStyle& o);
    // The defaults, empty texts, no button, in the menu.
    void Reset();

protected:
    int Classify() const override { return ClassifyConStyleName(m_strName); }
};

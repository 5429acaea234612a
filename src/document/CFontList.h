#pragma once
// The fonts named in a diagram file, gathered while loading so that objects
// refer to them by index (the position from 0). At most 256 entries.
#include "shapes/CFontDesc.h"

#include <memory>
#include <vector>

class CFontList {
public:
    static constexpr int kMaxFonts = 256;

    // With reuseEqual, the index of the first equal font when one is listed;
    // else the font is appended. -1 for a full list or when memory runs out.
    int AddUnique(const LOGFONT& lf, bool reuseEqual);
    // Null for a negative or missing index.
    const CFontDesc* GetAt(int index) const;
    int GetCount() const { return int(m_fonts.size()); }
    void RemoveAll() { m_fonts.clear(); }

private:
    std::vector<std::unique_ptr<CFontDesc>> m_fonts;
};

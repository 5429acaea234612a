#pragma once
// The common part of figure, label and connector styles: a named, reusable
// look that the document's style libraries hold and objects refer to by index.
#include "shapes/StockNameKind.h"

#include <cstdint>
#include <string>

class CStyle : public StockNameKind {
public:
    static constexpr size_t kMaxName = 30;
    static constexpr size_t kMaxCategory = 30;
    static constexpr size_t kMaxDescription = 80;

    // Set on every entry that existed before a file is merged into an open
    // diagram, so that the entries the file brought can be told apart.
    int32_t m_nKeep = 0;
    int32_t m_nSpare = 0;         // copied with the style, never written
    std::string m_strName;
    std::string Category;
    int32_t HasButton = 0;
    int32_t InMenu = 0;
    std::string Description;

    // The cached stock kind is not copied: it follows from the name.
    CStyle& operator=(const CStyle& o);
    // Renaming forgets the cached stock kind.
    void SetName(const std::string& name);

protected:
    CStyle() = default;
    CStyle(const CStyle& o) : StockNameKind() { *this = o; }
};

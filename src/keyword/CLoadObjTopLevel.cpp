// The block keywords of the top level of a diagram text: their opening
// values and checks. The records they open are built by the loaders.
#include "keyword/CLoadObj.h"

#include <cstdint>
#include <string>

namespace {
constexpr size_t kMaxRecordName = 30;
// Largest size of a DevMode or DevNames block.
constexpr int kMaxDeviceBlock = 400000;

enum class Opening { ObjectId, IdPositive, Id32, Name, None, DevMode, DevNames, Preview };

struct TopLevelBlock {
    EKeyword key;
    int blockType;
    Opening opening;
    bool endsStylesOnly; // the load of styles ends here
};

constexpr TopLevelBlock g_blocks[] = {
    {KW_Figure, BT_FIGURE, Opening::ObjectId, true},
    {KW_Connector, BT_CONNECTOR, Opening::ObjectId, true},
    {KW_FigureSymbol, BT_FIGURE_SYMBOL, Opening::Name, false},
    {KW_EndSymbol, BT_END_SYMBOL, Opening::Name, false},
    {KW_FigureStyle, BT_FIGURE_STYLE, Opening::Name, false},
    {KW_ConnectorStyle, BT_CONNECTOR_STYLE, Opening::Name, false},
    {KW_Graphic, BT_GRAPHIC, Opening::Id32, false},
    {KW_Font, BT_FONT, Opening::None, true},
    {KW_Staple, BT_STAPLE, Opening::IdPositive, true},
    {KW_Group, BT_GROUP, Opening::IdPositive, false},
    {KW_LabelMenu, BT_LABEL_MENU, Opening::None, false},
    {KW_FigureMenu, BT_FIGURE_MENU, Opening::None, false},
    {KW_ConnectorMenu, BT_CONNECTOR_MENU, Opening::None, false},
    {KW_LabelButtons, BT_LABEL_BUTTONS, Opening::None, false},
    {KW_FigureButtons, BT_FIGURE_BUTTONS, Opening::None, false},
    {KW_ConnectorButtons, BT_CONNECTOR_BUTTONS, Opening::None, false},
    {KW_LabelButtonsRestore, BT_LABEL_BUTTONS_RESTORE, Opening::None, false},
    {KW_FigureButtonsRestore, BT_FIGURE_BUTTONS_RESTORE, Opening::None, false},
    {KW_ConnectorButtonsRestore, BT_CONNECTOR_BUTTONS_RESTORE, Opening::None, false},
    {KW_DevMode, BT_DEVMODE_DATA, Opening::DevMode, false},
    {KW_DevNames, BT_DEVNAMES_DATA, Opening::DevNames, false},
    {KW_Preview, BT_PREVIEW_DATA, Opening::Preview, false},
};
} // namespace

int CLoadObj::OpenTopLevelBlock(const char* p, bool* pbMatched)
{
    const TopLevelBlock* block = nullptr;
    for (const auto& b : g_blocks) {
        if (MatchKeyword(p, b.key)) {
            block = &b;
            break;
        }
    }
    *pbMatched = block != nullptr;
    if (!block)
        return KWR_FAILED;
    if (block->endsStylesOnly && m_bStylesOnly)
        return KWR_END;

    int result = KWR_DONE;
    switch (block->opening) {
    case Opening::ObjectId:
    case Opening::IdPositive: {
        int id;
        const bool ok = block->opening == Opening::ObjectId ? ParseObjectId(p, id, -32768)
                                                            : ParseShortAsInt(p, id, 0, 32767);
        if (!ok)
            return KWR_SKIP_BLOCK;
        result = BeginIdRecord(block->blockType, id);
        break;
    }
    case Opening::Id32: {
        uint32_t id;
        if (!ParseUIntInRange(p, id, 0, 0xFFFFFFFF))
            return KWR_SKIP_BLOCK;
        result = BeginIdRecord(block->blockType, id);
        break;
    }
    case Opening::Name: {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxRecordName) || name.empty())
            return KWR_SKIP_BLOCK;
        result = BeginNamedRecord(block->blockType, name);
        break;
    }
    case Opening::None: result = BeginPlainRecord(block->blockType); break;
    case Opening::DevMode:
    case Opening::DevNames: {
        // The block read replaces the document's one only when its closing
        // line is read (EndBinaryData), never here.
        int size;
        if (!ParseIntInRange(p, size, 0, kMaxDeviceBlock))
            return KWR_SKIP_BLOCK;
        if (size == 0) {
            if (block->opening == Opening::DevNames)
                return KWR_DONE;
            m_nErrorCode = KWE_OUT_OF_RANGE;
            return KWR_SKIP_BLOCK;
        }
        return BeginBinaryData(block->blockType, size_t(size)) ? KWR_DONE : KWR_STOP;
    }
    case Opening::Preview: return BeginBinaryData(block->blockType, 0) ? KWR_DONE : KWR_STOP;
    }
    if (result == KWR_DONE)
        SetBlockType(block->blockType);
    return result;
}

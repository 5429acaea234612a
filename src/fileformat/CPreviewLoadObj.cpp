#include "fileformat/CPreviewLoadObj.h"

#include "fileformat/CDiagramLoadObj.h"
#include "keyword/BlockPacking.h"
#include "keyword/KeywordStreams.h"
#include "keyword/KeywordTable.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Preview blocks are packed from this version on.
constexpr double kPackedPreviewVersion = 3.01;
constexpr int kMaxPreviewSize = 4000000;
} // namespace

CPreviewLoadObj::~CPreviewLoadObj()
{
    if (m_hPreview)
        GlobalFree(m_hPreview);
}

HGLOBAL CPreviewLoadObj::TakePreview()
{
    HGLOBAL h = m_hPreview;
    m_hPreview = nullptr;
    return h;
}

int CPreviewLoadObj::HandleTopLevelLine(const char* p)
{
    const EKeyword key = LeadingKeyword(p);
    // A preview file written without the header lines starts with its
    // Preview block: it is read as this version's.
    if (m_nLineNo == 1 && key == KW_Preview)
        m_dVersion = KW_FILE_VERSION;
    else if (m_nLineNo <= 2) {
        const int result = HandleHeaderLine(p);
        return result == KWR_DONE_ASK ? KWR_STOP : result;
    }
    if (m_hPreview || key == KW_FigureSymbol)
        return KWR_END;
    if (key != KW_Preview || !MatchKeyword(p, KW_Preview))
        return KWR_DONE;
    int size = 0;
    if (!ParseIntInRange(p, size, 0, kMaxPreviewSize) || size == 0)
        return KWR_SKIP_BLOCK;
    if (!BeginBinaryData(BT_PREVIEW_DATA, size_t(size)))
        return KWR_STOP;
    SetBlockType(BT_PREVIEW_DATA);
    return KWR_DONE;
}

int CPreviewLoadObj::EndBinaryData(int blockType, HGLOBAL data)
{
    if (blockType != BT_PREVIEW_DATA || !data) {
        if (data)
            GlobalFree(data);
        return KWR_DONE;
    }
    if (m_dVersion >= kPackedPreviewVersion) {
        HGLOBAL unpacked = UnpackRuns(data);
        GlobalFree(data);
        data = unpacked;
        if (!data)
            return KWR_STOP;
    }
    if (m_hPreview)
        GlobalFree(m_hPreview);
    m_hPreview = data;
    return KWR_DONE;
}

HGLOBAL LoadPreviewFromFile(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext != "KVD" && ext != "BAK" && ext != "PRV")
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    CDeviceKeywordSource source(&file);
    CPreviewLoadObj loader;
    if (!loader.Load(source))
        return nullptr;
    return loader.TakePreview();
}

#include "KvdTool.h"

#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/CLockedFile.h"

#include <cstring>

namespace {
// The full reader with every error recorded and answered OK.
class CReportingLoader : public CDiagramLoadObj {
public:
    CReportingLoader(CKavoDoc* doc, LoadReport& report) : CDiagramLoadObj(doc), m_report(report) {}

protected:
    int ReportLineError() override
    {
        const char* text = ErrorText(m_nErrorCode);
        m_report.errors.push_back({m_nLineNo, m_nErrorCode, text ? text : ""});
        return 1;
    }
    void ReportUnreported(int count) override { m_report.errors.push_back({0, 0, UnreportedText(count)}); }
    // An error that stopped the load keeps the line it stood on (the header's
    // lines 1 and 2), as the editor shows it; a read error and a file of the
    // old format have none there either.
    void ReportEndOfLoad() override
    {
        if (!m_nErrorCode)
            return;
        const char* text = ErrorText(m_nErrorCode);
        const bool onLine = text && m_nErrorCode != KWE_NEEDS_CONVERSION;
        m_report.errors.push_back({onLine ? m_nLineNo : 0, m_nErrorCode, text ? text : ""});
    }

private:
    LoadReport& m_report;
};
} // namespace

LoadReport CheckDiagram(CKavoDoc& doc, const std::string& path)
{
    LoadReport report;
    // The path is the file system's bytes, whatever the locale makes of them.
    std::string bytes;
    int error = 0;
    if (!CLockedFile::ReadFile(path, bytes, &error)) {
        report.errors.push_back({0, -1, std::string("cannot open the file: ") + std::strerror(error)});
        return report;
    }
    doc.DeleteContents();
    CMemoryKeywordSource source(bytes);
    double version = 0;
    {
        CReportingLoader loader(&doc, report);
        report.loaded = loader.Load(source) != 0;
        version = loader.GetFileVersion();
    }
    if (!report.loaded)
        return report;
    if (version != 0 && version < 5 && GetDocFileHooks().recomputeHotZones)
        GetDocFileHooks().recomputeHotZones(doc);
    RelinkDocument(doc, true);
    report.validated = doc.Validate();
    doc.PostLoad();
    return report;
}

#include "KvdTool.h"

#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/KeywordStreams.h"

#include <QFile>

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
    void ReportEndOfLoad() override
    {
        if (m_nErrorCode) {
            const char* text = ErrorText(m_nErrorCode);
            m_report.errors.push_back({0, m_nErrorCode, text ? text : ""});
        }
    }

private:
    LoadReport& m_report;
};
} // namespace

LoadReport CheckDiagram(CKavoDoc& doc, const std::string& path)
{
    LoadReport report;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        report.errors.push_back({0, -1, "cannot open the file"});
        return report;
    }
    const QByteArray bytes = file.readAll();
    doc.DeleteContents();
    CMemoryKeywordSource source(std::string_view(bytes.constData(), size_t(bytes.size())));
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

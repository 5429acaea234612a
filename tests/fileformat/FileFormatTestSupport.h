#pragma once
// Shared by the file-format tests: a document ready to be loaded into, a
// sample document that uses every kind of record, writing and reading text.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"

#include "common/TestSupport.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <string>
#include <utility>
#include <vector>

// Records the file-format trace lines for its lifetime.
class TraceRecorder {
public:
    TraceRecorder() : m_old(g_pfnKwTrace)
    {
        Lines().clear();
        g_pfnKwTrace = &Record;
    }
    ~TraceRecorder() { g_pfnKwTrace = m_old; }
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }

private:
    static int Record(const char* format, ...)
    {
        va_list args;
        va_start(args, format);
        char buf[512];
        vsnprintf(buf, sizeof buf, format, args);
        va_end(args);
        Lines().emplace_back(buf);
        return 0;
    }
    int (*m_old)(const char*, ...);
};

// A file's bytes ("<missing>" when it cannot be read), and writing them.
inline std::string ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

inline void WriteFile(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

// A fresh folder for the files of one test, prompts recorded, no preview
// written unless a test asks for one.
class FileFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        PreviewSave = 0;
    }
    std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    QString QPath(const char* name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    CRecordingPrompt prompt;
};

// An empty document with only the built-in symbols and line ends.
inline void PrepareForLoad(CKavoDoc& doc)
{
    ASSERT_TRUE(doc.OnNewDocument());
    doc.DeleteContents();
}

inline std::string WriteDoc(CKavoDoc& doc, const DiagramWriteOptions& opt = {})
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, opt));
    return sink.text;
}

// A loader that records each error (line, code) instead of showing it.
class RecordingDiagramLoader : public CDiagramLoadObj {
public:
    using CDiagramLoadObj::CDiagramLoadObj;
    std::vector<std::pair<int, int>> errors;

protected:
    int ReportLineError() override
    {
        errors.emplace_back(m_nLineNo, m_nErrorCode);
        return 1;
    }
    void ReportEndOfLoad() override
    {
        if (m_nErrorCode)
            errors.emplace_back(0, m_nErrorCode);
    }
};

// Loads text into a prepared document and finishes the load.
inline bool LoadText(CKavoDoc& doc, const std::string& text, std::vector<std::pair<int, int>>* errors = nullptr)
{
    RecordingDiagramLoader loader(&doc);
    CMemoryKeywordSource src(text);
    const bool ok = loader.Load(src) != 0;
    FinishDiagramLoad(doc);
    if (errors)
        *errors = loader.errors;
    return ok;
}

// A small picture block of kind 9: 2 x 1 ARGB pixels.
inline HGLOBAL MakePicture(uint32_t pixel)
{
    HGLOBAL h = GlobalAlloc(GHND, 16);
    CGlobalLock lock(h);
    const uint32_t words[4] = {2, 1, pixel, 0xFF000000};
    std::memcpy(lock.data(), words, sizeof words);
    return h;
}

// Fills a prepared document with one of every kind of record.
void BuildSampleDoc(CKavoDoc& doc);

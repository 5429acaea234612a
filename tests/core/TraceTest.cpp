#include "common/TestEnvironment.h"
#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "platform/CProfileStore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <ctime>

namespace {
class TraceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramFolderForTest(m_dir.path());
    }
    QString LogPath() const { return m_dir.path() + "/Diags.log"; }
    QByteArray ReadLog() const
    {
        QFile f(LogPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteLog(const QByteArray& bytes) const
    {
        QFile f(LogPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(TraceTest, OffWritesNothingAndLeavesAnOldTraceAlone)
{
    WriteLog("old trace\n");
    InitDiagnostics();
    EXPECT_EQ(g_szDiagPath[0], '\0');
    EXPECT_EQ(DiagPrintf("USER  New %d\n", 5), int(std::strlen("USER  New %d\n")));
    EXPECT_EQ(ReadLog(), QByteArray("old trace\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Diags.log"});
    EXPECT_EQ(WithDiagnosticSuffix("KAVO Diagrammer"), "KAVO Diagrammer");
}

TEST_F(TraceTest, EachStartBeginsAFreshTraceWithTheBanner)
{
    WriteLog("a previous run\n");
    g_bDiagnostics = true;
    InitDiagnostics();
    EXPECT_EQ(QString::fromUtf8(g_szDiagPath), LogPath());
    EXPECT_EQ(DiagPrintf("INIT  Step %d: %s\n", 1, "InitDiagnostics()"), 32);
    const QString log = QString::fromLatin1(ReadLog());
    const QRegularExpression banner(
        "^\\*{27}\nKAVO Diagrammer Diagnostics\n\\*{27}\n"
        "TIME  [A-Z][a-z]{2} [A-Z][a-z]{2} [ 123]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}\n"
        "INIT  Step 1: InitDiagnostics\\(\\)\n$");
    EXPECT_TRUE(banner.match(log).hasMatch()) << log.toStdString();
    EXPECT_EQ(WithDiagnosticSuffix("KAVO Diagrammer"), "KAVO Diagrammer DIAGNOSTIC");
}

// The settings are read before the trace starts: a damaged settings file is
// reported in the trace the start opens, after its banner.
TEST_F(TraceTest, SettingsReadBeforeTheTraceAreReportedInIt)
{
    const QString settings = m_dir.path() + "/settings.ini";
    {
        QFile f(settings);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a settings line\n[A]\nk=v\n");
    }
    CProfileStore store(settings);
    ASSERT_TRUE(store.Load());
    g_bDiagnostics = true;
    InitDiagnostics();
    const QString log = QString::fromLatin1(ReadLog());
    const QString line = "\nERR!  Settings file " + settings +
                         " could not be read whole (unread lines: 1); a copy is kept as " + settings + ".bad\n";
    EXPECT_TRUE(log.startsWith("***") && log.endsWith(line)) << log.toStdString();
}

TEST(Trace, AsctimeTextMatchesTheRuntimeLayout)
{
    struct tm t {};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_wday = 3;
    t.tm_hour = 21;
    t.tm_min = 8;
    t.tm_sec = 4;
    EXPECT_EQ(AsctimeText(t), "Wed Dec  9 21:08:04 2026\n");
    t.tm_mday = 19;
    t.tm_year = 12000 - 1900; // past the runtime's fixed 26-character buffer
    EXPECT_EQ(AsctimeText(t), "Wed Dec 19 21:08:04 12000\n");
}

TEST_F(TraceTest, NumbersIgnoreTheUserLocaleAndLongTextIsCut)
{
    g_bDiagnostics = true;
    InitDiagnostics();
    WriteLog("");
    {
        const CCommaDecimalLocale german;
        ASSERT_TRUE(german.Active());
        DiagPrintf("INFO  %.3f\n", 1.25);
    }
    const std::string longText(kDiagLineMax + 100, 'x');
    EXPECT_EQ(DiagPrintf("%s", longText.c_str()), kDiagLineMax);
    const QByteArray log = ReadLog();
    EXPECT_TRUE(log.startsWith("INFO  1.250\n"));
    EXPECT_EQ(log.size(), qsizetype(std::strlen("INFO  1.250\n")) + kDiagLineMax);
}

TEST_F(TraceTest, AnUnwritableTraceLosesLinesSilently)
{
    SetProgramFolderForTest(m_dir.path() + "/missing");
    g_bDiagnostics = true;
    InitDiagnostics();
    EXPECT_EQ(DiagPrintf("ERR!  lost %d\n", 1), 0);
    EXPECT_FALSE(QFile::exists(m_dir.path() + "/missing"));

    // A program folder too long for the path buffer gives no trace at all
    // rather than a trace in a truncated (different) path.
    SetProgramFolderForTest(m_dir.path() + "/" + QString(kDiagPathSize, 'd'));
    InitDiagnostics();
    EXPECT_EQ(g_szDiagPath[0], '\0');
    EXPECT_EQ(DiagPrintf("ERR!  lost\n"), 0);
}

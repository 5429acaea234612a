#include "core/ProgramFolders.h"
#include "core/Trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Points the program folder at one temporary folder and offers another as the
// shared content folder; restores the environment afterwards.
class ProgramFoldersTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.isValid() && m_common.isValid());
        SetProgramFolderForTest(m_program.path());
        qunsetenv(kCommonFolderVariable);
    }
    void TearDown() override { qunsetenv(kCommonFolderVariable); }

    QString Program() const { return m_program.path() + "/"; }
    QString Common() const { return m_common.path() + "/"; }
    void MarkCommon() const
    {
        QFile marker(Common() + "log.txt");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_program;
    QTemporaryDir m_common;
};
} // namespace

TEST(ProgramFolders, TheProgramFolderHoldsTheRunningExecutable)
{
    const QString folder = GetProgramFolder();
    ASSERT_TRUE(folder.endsWith('/'));
    const QString exe = QFileInfo("/proc/self/exe").symLinkTarget();
    EXPECT_EQ(folder, QFileInfo(exe).absolutePath() + "/");
    SetProgramFolderForTest("/opt/kavo");
    EXPECT_EQ(GetProgramFolder(), "/opt/kavo/");
}

TEST_F(ProgramFoldersTest, ContentFoldersLieBesideTheProgram)
{
    EXPECT_EQ(GetTemplatesFolder(), Program() + "Template/");
    EXPECT_EQ(GetSamplesFolder(), Program() + "Samples/");
    EXPECT_EQ(GetSymbolsFolder(), Program() + "Symbols/");
    EXPECT_EQ(GetClipartFolder(), Program() + "Clipart/");
    EXPECT_EQ(GetVariantsFolder(), Program() + "Template/Variants/");
}

TEST_F(ProgramFoldersTest, SharedFolderMovesContentOnlyWhenNamedAndMarked)
{
    // A marker file alone (the old fixed location) no longer redirects anything.
    qputenv(kCommonFolderVariable, m_common.path().toUtf8());
    EXPECT_EQ(GetSymbolsFolder(), Program() + "Symbols/") << "no log.txt yet";

    MarkCommon();
    EXPECT_EQ(GetTemplatesFolder(), Common() + "Template/");
    EXPECT_EQ(GetSamplesFolder(), Common() + "Samples/");
    EXPECT_EQ(GetSymbolsFolder(), Common() + "Symbols/");
    EXPECT_EQ(GetClipartFolder(), Common() + "Clipart/");
    EXPECT_EQ(GetVariantsFolder(), Common() + "Template/Variants/");

    // The trace stays beside the program.
    g_bDiagnostics = true;
    InitDiagnostics();
    EXPECT_EQ(QString::fromUtf8(g_szDiagPath), Program() + "Diags.log");
    EXPECT_TRUE(QFile::exists(Program() + "Diags.log"));
    EXPECT_FALSE(QFile::exists(Common() + "Diags.log"));

    qunsetenv(kCommonFolderVariable);
    EXPECT_EQ(GetClipartFolder(), Program() + "Clipart/");
}

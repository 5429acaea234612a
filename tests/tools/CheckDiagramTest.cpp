// kvdtool's check: what it reports for files that do not load, and file
// names that are not valid text.
#include "common/TestSupport.h"
#include "document/CKavoDoc.h"
#include "keyword/CLoadObj.h"
#include "kvdtool/KvdTool.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {
class CheckDiagramTest : public testing::Test {
protected:
    std::string Native(const char* name) const { return NativePath(dir.path()) + "/" + name; }
    void Write(const std::string& native, const std::string& bytes) const
    {
        std::ofstream(native, std::ios::binary) << bytes;
    }
    LoadReport Check(const std::string& native)
    {
        CKavoDoc doc;
        return CheckDiagram(doc, native);
    }

    QTemporaryDir dir;
    CRecordingPrompt prompt;
};
} // namespace

TEST_F(CheckDiagramTest, HeaderErrorsStandOnTheLineThatHoldsThem)
{
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"hello\r\n", 1},
        {"KAVO Diagram File\r\nhello\r\n", 2},
    };
    for (const auto& c : cases) {
        Write(Native("h.kvd"), c.text);
        const LoadReport r = Check(Native("h.kvd"));
        EXPECT_FALSE(r.loaded) << c.text;
        ASSERT_EQ(r.errors.size(), 1u) << c.text;
        EXPECT_EQ(r.errors[0].line, c.line) << c.text;
        EXPECT_EQ(r.errors[0].code, KWE_NOT_DIAGRAM) << c.text;
    }
}

TEST_F(CheckDiagramTest, AFileThatCannotBeReadSaysWhy)
{
    QDir(dir.path()).mkdir("folder.kvd");
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"missing.kvd", "No such file or directory"},
        {"folder.kvd", "Is a directory"},
    };
    for (const auto& c : cases) {
        const LoadReport r = Check(Native(c.name));
        EXPECT_FALSE(r.loaded);
        ASSERT_EQ(r.errors.size(), 1u);
        EXPECT_NE(r.errors[0].text.find(c.reason), std::string::npos) << r.errors[0].text;
    }
}

TEST_F(CheckDiagramTest, ANameThatIsNotValidTextLoads)
{
    QFile sample(TestDataPath("fileformat/sample.kvd"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const std::string name = Native("caf\xe9\xff.kvd");
    Write(name, sample.readAll().toStdString());
    const LoadReport r = Check(name);
    EXPECT_TRUE(r.loaded);
    EXPECT_TRUE(r.errors.empty());
    // Qt cannot name the file to remove it with its folder.
    EXPECT_EQ(std::remove(name.c_str()), 0);
}

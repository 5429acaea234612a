#include "core/FileHelpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
// A source whose open succeeds but whose read fails (EIO at address 0), even
// for root, for whom permission bits do not stop a read.
const QString kUnreadable = QStringLiteral("/proc/self/mem");

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

class FileHelpersTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }
    void Write(const QString& path, const QByteArray& bytes) const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Nothing but the named files: no temporary left behind.
    void ExpectOnlyFiles(const QTemporaryDir& dir, QStringList names) const
    {
        QStringList found = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        found.sort();
        names.sort();
        EXPECT_EQ(found, names);
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(FileHelpersTest, ExistenceAndEnterableFolders)
{
    Write(Path("a.kvd"), "x");
    EXPECT_TRUE(FileExists(Path("a.kvd")));
    EXPECT_TRUE(FileExists(m_dir.path()));
    EXPECT_FALSE(FileExists(Path("b.kvd")));
    EXPECT_FALSE(FileExists(QString()));

    const QString before = QDir::currentPath();
    EXPECT_TRUE(IsEnterableDirectory(m_dir.path()));
    EXPECT_TRUE(IsEnterableDirectory(m_dir.path() + "/"));
    EXPECT_FALSE(IsEnterableDirectory(Path("a.kvd")));
    EXPECT_FALSE(IsEnterableDirectory(Path("none")));
    EXPECT_FALSE(IsEnterableDirectory(QString()));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(FileHelpersTest, FileTimes)
{
    Write(Path("t.kvd"), "x");
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1600000000);
    {
        QFile f(Path("t.kvd"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(FileModifiedTime(Path("t.kvd")), 1600000000);
    const std::time_t created = FileCreationTime(Path("t.kvd"));
    EXPECT_GT(created, 0);
    // The file system's clock may run a tick ahead of time()'s whole seconds.
    EXPECT_LE(created, std::time(nullptr) + 1);
    EXPECT_EQ(FileModifiedTime(Path("none")), 0);
    EXPECT_EQ(FileCreationTime(Path("none")), 0);
}

TEST_F(FileHelpersTest, CopyReplacesTheTargetWithTheWholeSource)
{
    const QByteArray data = Pattern(200 * 1024 + 3); // several copy chunks
    Write(Path("src.kvd"), data);
    Write(Path("dst.kvd"), "an older and different diagram");
    ASSERT_TRUE(CopyFileData(Path("src.kvd"), Path("dst.kvd")));
    EXPECT_EQ(Read(Path("dst.kvd")), data);
    EXPECT_EQ(Read(Path("src.kvd")), data);

    ASSERT_TRUE(CopyFileData(Path("src.kvd"), Path("new.kvd")));
    EXPECT_EQ(Read(Path("new.kvd")), data);
    Write(Path("empty"), "");
    ASSERT_TRUE(CopyFileData(Path("empty"), Path("new.kvd")));
    EXPECT_EQ(Read(Path("new.kvd")), QByteArray());
    ExpectOnlyFiles(m_dir, {"src.kvd", "dst.kvd", "new.kvd", "empty"});
}

TEST_F(FileHelpersTest, FailedCopyKeepsTheOldTarget)
{
    Write(Path("dst.kvd"), "keep me");
    Write(Path("src.kvd"), "new data");
    EXPECT_FALSE(CopyFileData(Path("missing.kvd"), Path("dst.kvd")));
    EXPECT_FALSE(CopyFileData(m_dir.path(), Path("dst.kvd"))) << "a folder is no source";
    if (QFile::exists(kUnreadable)) {
        EXPECT_FALSE(CopyFileData(kUnreadable, Path("dst.kvd"))) << "read error";
    }
    EXPECT_EQ(Read(Path("dst.kvd")), QByteArray("keep me"));
    EXPECT_FALSE(CopyFileData(Path("src.kvd"), Path("no/such/folder.kvd")));
    EXPECT_FALSE(CopyFileData(Path("src.kvd"), QString()));
    ExpectOnlyFiles(m_dir, {"dst.kvd", "src.kvd"});
}

TEST_F(FileHelpersTest, CopyOrMoveOntoItselfKeepsTheFile)
{
    Write(Path("same.kvd"), "precious");
    EXPECT_TRUE(CopyFileData(Path("same.kvd"), Path("same.kvd")));
    EXPECT_EQ(Read(Path("same.kvd")), QByteArray("precious"));
    EXPECT_TRUE(MoveFileReplacing(Path("same.kvd"), Path("same.kvd")));
    EXPECT_EQ(Read(Path("same.kvd")), QByteArray("precious"));
    ExpectOnlyFiles(m_dir, {"same.kvd"});
}

TEST_F(FileHelpersTest, MoveReplacesTheTargetAtOnce)
{
    Write(Path("src.kvd"), "new");
    Write(Path("dst.kvd"), "old");
    ASSERT_TRUE(MoveFileReplacing(Path("src.kvd"), Path("dst.kvd")));
    EXPECT_EQ(Read(Path("dst.kvd")), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(Path("src.kvd")));

    // Failures change nothing.
    EXPECT_FALSE(MoveFileReplacing(Path("src.kvd"), Path("dst.kvd")));
    EXPECT_EQ(Read(Path("dst.kvd")), QByteArray("new"));
    Write(Path("src.kvd"), "other");
    EXPECT_FALSE(MoveFileReplacing(Path("src.kvd"), Path("no/such/folder.kvd")));
    EXPECT_EQ(Read(Path("src.kvd")), QByteArray("other"));
    ExpectOnlyFiles(m_dir, {"dst.kvd", "src.kvd"});
}

TEST_F(FileHelpersTest, MoveAcrossFileSystemsCopiesBesideTheTarget)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/kavo-move-XXXXXX"));
    struct stat here {}, there {};
    if (!other.isValid() || ::stat(QFile::encodeName(m_dir.path()), &here) != 0 ||
        ::stat(QFile::encodeName(other.path()), &there) != 0 || here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system to move across";

    const QString from = other.path() + "/src.kvd";
    Write(from, Pattern(100 * 1024));
    Write(Path("dst.kvd"), "old");
    ASSERT_TRUE(MoveFileReplacing(from, Path("dst.kvd")));
    EXPECT_EQ(Read(Path("dst.kvd")), Pattern(100 * 1024));
    EXPECT_FALSE(QFile::exists(from));
    ExpectOnlyFiles(m_dir, {"dst.kvd"});
    ExpectOnlyFiles(other, {});

    // A copy that fails half-way (read error) keeps the old target.
    if (QFile::exists(kUnreadable)) {
        EXPECT_FALSE(MoveFileReplacing(kUnreadable, Path("dst.kvd")));
        EXPECT_EQ(Read(Path("dst.kvd")), Pattern(100 * 1024));
        ExpectOnlyFiles(m_dir, {"dst.kvd"});
    }
}

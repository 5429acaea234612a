// The single-instance channel lives where only the user can reach it.
#include "platform/ui/CSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
QString MakeFolder(const QTemporaryDir& dir, const char* name, mode_t mode)
{
    const QString path = dir.path() + "/" + name;
    QDir().mkpath(path);
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}
} // namespace

TEST(SingleInstance, ChannelFolderIsPrivateToTheUser)
{
    QTemporaryDir dir;
    const QString runtime = MakeFolder(dir, "runtime", 0700);
    const QString open = MakeFolder(dir, "open", 0777);
    const QString temp = MakeFolder(dir, "tmp", 01777);
    const QString fallback = temp + QString("/kavo-diagrammer-%1").arg(::getuid());

    // The user's runtime folder.
    EXPECT_EQ(CSingleInstance::PrivateChannelFolder(runtime, temp), runtime);
    // A runtime folder others may enter, or none: a 0700 folder of our own in the
    // temporary folder.
    for (const QString& unusable : {open, QString(), dir.path() + "/missing"}) {
        EXPECT_EQ(CSingleInstance::PrivateChannelFolder(unusable, temp), fallback) << unusable.toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(fallback).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    // A fallback folder that others may enter (made by someone else first) is not used.
    ::chmod(QFile::encodeName(fallback).constData(), 0777);
    EXPECT_EQ(CSingleInstance::PrivateChannelFolder(QString(), temp), QString());
    // A link in its place is not followed.
    QDir(fallback).removeRecursively();
    ASSERT_EQ(::symlink(QFile::encodeName(runtime).constData(), QFile::encodeName(fallback).constData()), 0);
    EXPECT_EQ(CSingleInstance::PrivateChannelFolder(QString(), temp), QString());

    // The default channel: a socket in the test's private runtime folder.
    const QString key = CSingleInstance::DefaultKey();
    EXPECT_EQ(key, qEnvironmentVariable("XDG_RUNTIME_DIR") + "/kavo-diagrammer");
}

TEST(SingleInstance, NoChannelNeitherForwardsNorListens)
{
    CSingleInstance none{QString()};
    EXPECT_FALSE(none.ForwardToRunning("activate"));
    EXPECT_FALSE(none.Listen());
}

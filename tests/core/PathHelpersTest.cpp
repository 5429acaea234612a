#include "core/PathHelpers.h"

#include <gtest/gtest.h>

TEST(PathHelpers, SplitsWindowsAndPosixPaths)
{
    EXPECT_EQ(GetPathFolder("C:\\dir\\sub\\a.b.kvd"), "C:\\dir\\sub\\");
    EXPECT_EQ(GetPathFolder("/home/u/a.kvd"), "/home/u/");
    EXPECT_EQ(GetPathFolder("C:a.kvd"), "C:");
    EXPECT_EQ(GetPathFolder("a.kvd"), "");
    EXPECT_EQ(GetPathFileName("C:\\dir/sub\\a.b.kvd"), "a.b.kvd");
    EXPECT_EQ(GetPathTitle("C:\\dir\\a.b.kvd"), "a.b");
    EXPECT_EQ(GetPathExt("C:\\dir\\a.b.kvd"), "KVD");
    EXPECT_EQ(GetPathExt("C:\\dir.x\\name"), "");
    std::string p = "/home/u/a.b.kvd";
    ChangePathExt(p, "bak");
    EXPECT_EQ(p, "/home/u/a.b.bak");
}

TEST(PathHelpers, AbsoluteAndSameFolder)
{
    for (const char* abs : {"C:\\x", "c:/x", "\\\\srv\\x", "//srv/x", "/x", "/"})
        EXPECT_TRUE(IsAbsolutePath(abs)) << abs;
    for (const char* rel : {"", "C:", "C:x", "x\\y", "..\\x", "\\x", "ab"})
        EXPECT_FALSE(IsAbsolutePath(rel)) << rel;
    EXPECT_TRUE(IsSameFolder("C:\\Dir\\a.kvd", "c:/dir/b.kvd"));
    EXPECT_FALSE(IsSameFolder("C:\\Dir\\a.kvd", "C:\\Dir\\sub\\b.kvd"));
    // POSIX folders that differ only by case are different folders.
    EXPECT_FALSE(IsSameFolder("/home/Dir/a.kvd", "/home/dir/b.kvd"));
}

TEST(ResolveRelativePath, ClimbsStripsAndAppends)
{
    struct Case {
        const char* base;
        const char* rel;
        const char* out;
        bool ok;
    };
    const Case cases[] = {
        {"C:\\a\\b\\c\\f.kvd", "..\\..\\x.kvd", "C:\\a\\x.kvd", true},
        {"C:\\a\\b\\f.kvd", ".\\x.kvd", "C:\\a\\b\\x.kvd", true},
        {"C:\\a\\b\\f.kvd", "sub\\x.kvd", "C:\\a\\b\\sub\\x.kvd", true},
        {"/home/u/d/f.kvd", "../x.kvd", "/home/u/x.kvd", true},
        // A stored Windows relative path resolves in a POSIX base's style.
        {"/home/u/d/f.kvd", "..\\e\\x.kvd", "/home/u/e/x.kvd", true},
        // A climb past the root or a relative base keeps the remaining "..".
        {"C:\\f.kvd", "..\\x.kvd", "C:\\..\\x.kvd", true},
        {"d\\f.kvd", "..\\..\\x.kvd", "d\\..\\..\\x.kvd", true},
        {"C:\\a\\f.kvd", "\\x.kvd", "C:\\x.kvd", true},
        {"", "x.kvd", "x.kvd", false},
        {"C:\\a\\f.kvd", "", "", false},
        {"C:\\a\\f.kvd", "D:\\x.kvd", "D:\\x.kvd", false},
        {"C:\\a\\f.kvd", "/x.kvd", "/x.kvd", false},
        {"f.kvd", "x.kvd", "x.kvd", false},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(ResolveRelativePath(c.base, c.rel, out), c.ok) << c.base << " + " << c.rel;
        EXPECT_EQ(out, c.out) << c.base << " + " << c.rel;
    }
}

// Short names and names beginning with '.' lie in the base's folder too, not
// in the process's current directory.
TEST(ResolveRelativePath, ShortAndDotNamesResolveAgainstTheBase)
{
    std::string out;
    EXPECT_TRUE(ResolveRelativePath("C:\\a\\f.kvd", "ab", out));
    EXPECT_EQ(out, "C:\\a\\ab");
    EXPECT_TRUE(ResolveRelativePath("C:\\a\\f.kvd", ".notes.kvd", out));
    EXPECT_EQ(out, "C:\\a\\.notes.kvd");
    EXPECT_TRUE(ResolveRelativePath("/a/f.kvd", "x", out));
    EXPECT_EQ(out, "/a/x");
}

TEST(MakeRelativePath, ClimbsDescendsAndRefuses)
{
    struct Case {
        const char* base;
        const char* target;
        const char* out;
        bool ok;
    };
    const Case cases[] = {
        {"C:\\a\\b.kvd", "c:\\A\\x.kvd", "x.kvd", true},
        {"C:\\a\\b\\f.kvd", "C:\\a\\x.kvd", "..\\x.kvd", true},
        {"C:\\a\\f.kvd", "C:\\a\\sub\\x.kvd", ".\\sub\\x.kvd", true},
        {"C:\\a\\b\\c\\f.kvd", "C:\\a\\d\\x.kvd", "..\\..\\d\\x.kvd", true},
        // Folder names that share their beginning: climb out of the whole name.
        {"C:\\abc\\f.kvd", "C:\\abd\\x.kvd", "..\\abd\\x.kvd", true},
        {"C:\\dir\\f.kvd", "C:\\dir2\\x.kvd", "..\\dir2\\x.kvd", true},
        {"/home/u/d/f.kvd", "/home/u/e/x.kvd", "../e/x.kvd", true},
        {"/home/u/f.kvd", "/home/u/s/x.kvd", "./s/x.kvd", true},
        {"C:\\a\\f.kvd", "D:\\a\\x.kvd", "D:\\a\\x.kvd", false},
        {"C:\\a\\f.kvd", "   ", "   ", false},
        {"", "C:\\x.kvd", "C:\\x.kvd", false},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(MakeRelativePath(c.base, c.target, out), c.ok) << c.base << " -> " << c.target;
        EXPECT_EQ(out, c.out) << c.base << " -> " << c.target;
    }
}

TEST(MakeRelativePath, ResolvesBackToTheTarget)
{
    const char* targets[] = {"C:\\a\\b\\x.kvd", "C:\\a\\x.kvd", "C:\\x.kvd", "C:\\ab\\c\\x.kvd",
                             "C:\\a\\bc\\x.kvd", "C:\\a\\b\\c\\d\\x.kvd"};
    for (const char* t : targets) {
        std::string rel, back;
        ASSERT_TRUE(MakeRelativePath("C:\\a\\b\\c\\base.kvd", t, rel)) << t;
        ResolveRelativePath("C:\\a\\b\\c\\base.kvd", rel, back);
        EXPECT_EQ(back, t) << rel;
    }
}

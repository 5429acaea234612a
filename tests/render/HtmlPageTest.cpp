#include "render/HtmlPage.h"

#include <gtest/gtest.h>

#include <set>

TEST(HtmlPage, NamesKeepTitlesApartAndBlanksBecomeUnderscores)
{
    HtmlNames names;
    EXPECT_EQ(names.MakeOutputName("/a/My Chart.kvd", "htm"), "My_Chart.htm");
    EXPECT_EQ(names.MakeOutputName("/a/My Chart.kvd", "jpg"), "My_Chart.jpg");
    // The same title from another folder must not overwrite the first one's files.
    EXPECT_EQ(names.MakeOutputName("/b/My Chart.kvd", "htm"), "My_Chart_2.htm");
    EXPECT_EQ(names.MakeOutputName("/a/My Chart.kvd", "htm"), "My_Chart.htm");
}

TEST(HtmlPage, PolygonAreasBreakLinesAndCloseOnTheFirstPoint)
{
    HtmlArea area;
    area.href = "next.htm";
    for (int i = 0; i < 20; ++i)
        area.outline.push_back(POINT{i, 100 + i});
    area.outline.push_back(area.outline.front());  // a closed outline: the repeat is dropped
    const std::string text = HtmlAreaText(area);
    EXPECT_EQ(text.substr(0, 31), "  <area href=\"next.htm\"\n    sha");
    EXPECT_NE(text.find("5,105,\n6,106,"), std::string::npos);
    EXPECT_NE(text.find("14,114,\n15,115,"), std::string::npos);
    EXPECT_NE(text.find("19,119,0,100\">\n"), std::string::npos);
    EXPECT_EQ(text.find("</a>"), std::string::npos);

    HtmlArea rect;
    rect.href = "x";
    rect.rect = CRect(1, 2, 30, 40);
    EXPECT_NE(HtmlAreaText(rect).find(" shape=\"rect\" coords=\"1,2,30,40\">"), std::string::npos);
}

TEST(HtmlPage, PageWithAndWithoutMapEscapesWhatItWrites)
{
    const std::string plain = BuildHtmlPage("My Chart", "My_Chart.jpg", {});
    EXPECT_EQ(plain,
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
              "<html>\n<head>\n<TITLE>My Chart</title>\n</head>\n<body>\n"
              "<p><img src=\"My_Chart.jpg\" border=\"0\">\n</body>\n</html>\n");
    HtmlArea a;
    a.href = "http://x/?a=1&b=\"2\"";
    a.rect = CRect(0, 0, 5, 5);
    const std::string page = BuildHtmlPage("R&D <1>", "R&D.png", {HtmlArea{}, a});
    EXPECT_NE(page.find("<TITLE>R&amp;D &lt;1&gt;</title>"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"R&amp;D.png\" usemap=\"#linkmap\" border=\"0\">\n<map name=\"linkmap\">\n"),
              std::string::npos);
    EXPECT_NE(page.find("href=\"http://x/?a=1&amp;b=%222%22\""), std::string::npos);
    EXPECT_NE(page.find("</map>\n</body>\n</html>\n"), std::string::npos);
    EXPECT_EQ(UrlEncode("a b%20c%zz"), "a%20b%20c%25zz");
}

TEST(HtmlPage, LinkResolution)
{
    std::set<QString> files = {"/d/other.kvd", "/d/spec.pdf"};
    std::set<std::string> listed;
    int exports = 0;
    std::string copied;
    HtmlLinkServices s;
    s.exists = [&](const QString& p) { return files.count(p) > 0; };
    s.looksLikeUrl = [](const std::string& t) { return t.rfind("www.", 0) == 0 || t.find("://") != std::string::npos; };
    s.exportDiagram = [&](const QString&, const std::string& page) { ++exports; listed.insert(page); return true; };
    s.alreadyListed = [&](const std::string& page) { return listed.count(page) > 0; };
    s.copyDocument = [&](const QString&, const std::string& name) { copied = name; return true; };
    HtmlNames names;
    HtmlLinkOptions opt;
    EXPECT_EQ(ResolveHtmlLink("other.kvd", "/d", "htm", opt, names, s), "other.htm");
    EXPECT_EQ(ResolveHtmlLink("other.kvd", "/d", "htm", opt, names, s), "other.htm");
    EXPECT_EQ(exports, 1);  // the second link finds the page already listed
    EXPECT_EQ(ResolveHtmlLink("gone.kvd", "/d", "htm", opt, names, s), "gone.kvd");
    EXPECT_EQ(ResolveHtmlLink("spec.pdf", "/d", "htm", opt, names, s), "");
    opt.includeDocuments = true;
    EXPECT_EQ(ResolveHtmlLink("spec.pdf", "/d", "htm", opt, names, s), "spec.pdf");
    EXPECT_EQ(copied, "spec.pdf");
    EXPECT_EQ(ResolveHtmlLink("www.example.org", "/d", "htm", opt, names, s), "http://www.example.org");
    opt.includeUrls = false;
    EXPECT_EQ(ResolveHtmlLink("www.example.org", "/d", "htm", opt, names, s), "");
    opt.includeDiagrams = false;
    EXPECT_EQ(ResolveHtmlLink("other.kvd", "/d", "htm", opt, names, s), "");
}

// Web addresses: "www." and "ftp." get "http://" in front (in any case),
// others are kept as they are.
TEST(HtmlPage, WebAddressesGetASchemeWhenTheyLackOne)
{
    HtmlLinkServices s;
    s.exists = [](const QString&) { return false; };
    s.looksLikeUrl = [](const std::string&) { return true; };
    HtmlNames names;
    const HtmlLinkOptions opt;
    struct Case { const char* link; const char* href; };
    for (const Case& c : {Case{"www.example.org", "http://www.example.org"},
                          Case{"ftp.example.org", "http://ftp.example.org"},
                          Case{"WWW.Example.org", "http://WWW.Example.org"},
                          Case{"https://example.org", "https://example.org"},
                          Case{"mailto:a@example.org", "mailto:a@example.org"}})
        EXPECT_EQ(ResolveHtmlLink(c.link, "/d", "htm", opt, names, s), c.href) << c.link;
}

#include "keyword/CKeywordParser.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
// Records every line with its number; the handler's results come from a
// callback so that the loop's handling of each result can be driven.
class CLineRecorder : public CKeywordParser {
public:
    struct Line {
        int number;
        std::string text;
    };
    std::vector<Line> lines;
    std::function<int(const std::string&)> onLine;
    std::function<void(CLineRecorder&)> setError;
    int reports = 0;
    int endReports = 0;

    int Run(std::string_view bytes)
    {
        CMemoryKeywordSource src(bytes);
        return Parse(src);
    }
    void SetError(int code) { m_nErrorCode = code; }
    using CKeywordParser::m_bSkip;
    using CKeywordParser::m_nSkipDepth;

protected:
    int HandleLine(char* line) override
    {
        std::string text(line);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        text.pop_back();
        lines.push_back({m_nLineNo, text});
        return onLine ? onLine(text) : KWR_DONE;
    }
    void ReportEndOfLoad() override { ++endReports; }
    int ReportLineError() override
    {
        ++reports;
        const char* text = KeywordErrorText(m_nErrorCode);
        if (!text)
            return 0;
        ShowLoadError(text, m_nLineNo);
        return 1;
    }
};

std::vector<std::string> Texts(const CLineRecorder& r)
{
    std::vector<std::string> out;
    for (const auto& l : r.lines)
        out.push_back(l.text);
    return out;
}

// A source whose reads fail after some bytes.
class CFailingSource : public IKeywordSource {
public:
    explicit CFailingSource(std::string first) : m_first(std::move(first)) {}
    long long Read(char* buffer, size_t size) override
    {
        if (m_done)
            return -1;
        m_done = true;
        size_t n = std::min(size, m_first.size());
        std::copy_n(m_first.data(), n, buffer);
        return static_cast<long long>(n);
    }

private:
    std::string m_first;
    bool m_done = false;
};
} // namespace

TEST(KeywordParserLoop, LineEndsContinuationsAndLeadingEmptyLines)
{
    struct Case {
        const char* name;
        std::string input;
        std::vector<std::string> lines;
        int firstNumber;
    };
    const Case cases[] = {
        {"crlf, lf, cr", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, 1},
        {"lf then cr gives an empty line", "a\n\rb", {"a", "", "b"}, 1},
        {"leading empty lines are not counted", "\r\n\n\r\nfirst\nsecond", {"first", "second"}, 1},
        {"hyphen joins with the next line", "ab-\ncd\nef", {"abcd", "ef"}, 2},
        {"a lone hyphen joins", "-\nxy", {"xy"}, 2},
        {"several continuations", "a-\nb-\r\nc", {"abc"}, 3},
        {"a hyphen that is not last stays", "a-b\nc", {"a-b", "c"}, 1},
        {"no final line end", "abc", {"abc"}, 1},
        {"text after an embedded NUL is dropped", std::string("ab\0cd\nef", 8), {"ab", "ef"}, 1},
    };
    for (const auto& c : cases) {
        CLineRecorder r;
        EXPECT_EQ(r.Run(c.input), KWR_END) << c.name;
        EXPECT_EQ(Texts(r), c.lines) << c.name;
        ASSERT_FALSE(r.lines.empty()) << c.name;
        EXPECT_EQ(r.lines[0].number, c.firstNumber) << c.name;
    }
}

TEST(KeywordParserLoop, ShortReadsGiveTheSameLines)
{
    // A source that hands out a few bytes a read: line ends split between
    // reads (CR in one, LF in the next) still end one line.
    class CTrickleSource : public IKeywordSource {
    public:
        explicit CTrickleSource(std::string_view bytes, size_t step) : m_bytes(bytes), m_step(step) {}
        long long Read(char* buffer, size_t size) override
        {
            size_t n = std::min({size, m_step, m_bytes.size() - m_pos});
            std::copy_n(m_bytes.data() + m_pos, n, buffer);
            m_pos += n;
            return static_cast<long long>(n);
        }

    private:
        std::string_view m_bytes;
        size_t m_step;
        size_t m_pos = 0;
    };
    std::string input;
    for (int i = 0; i < 3000; ++i)
        input += "line " + std::to_string(i) + (i % 3 == 0 ? "-\r\n" : i % 3 == 1 ? "\r\n" : "\n\r\n");
    input += std::string(CKeywordParser::kMaxLine - 1, 'z') + "\r\nlast";
    CLineRecorder whole;
    whole.Run(input);
    for (size_t step : {1u, 2u, 7u, 4096u}) {
        CLineRecorder trickle;
        CTrickleSource src(input, step);
        EXPECT_EQ(trickle.Parse(src), KWR_END);
        EXPECT_EQ(Texts(trickle), Texts(whole)) << step;
        EXPECT_EQ(trickle.GetLineNumber(), whole.GetLineNumber()) << step;
    }
}

TEST(KeywordParserLoop, ContinuationLinesCountInTheLineNumber)
{
    CLineRecorder r;
    r.Run("\n\nx-\ny\nz\n");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].number, 2); // "x-" is line 1, "y" line 2
    EXPECT_EQ(r.lines[1].number, 3);
}

TEST(KeywordParserLoop, NulAtLineStartEndsTheData)
{
    CLineRecorder r;
    EXPECT_EQ(r.Run(std::string("a\n\0\0\0", 5)), KWR_END);
    EXPECT_EQ(Texts(r), std::vector<std::string>{"a"});
    EXPECT_TRUE(r.DataEnded());
    EXPECT_FALSE(r.NulBeforeEnd()); // zero padding only

    CLineRecorder damaged;
    EXPECT_EQ(damaged.Run(std::string("a\n\0b\n", 5)), KWR_END);
    EXPECT_TRUE(damaged.NulBeforeEnd());
}

TEST(KeywordParserLoop, DataEndingInAContinuedLineIsNoted)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
        bool insideLine;
    } cases[] = {
        {"a\nb-\n", {"a"}, true},
        {"a\nb-", {"a"}, true},
        {"a\n-\n", {"a"}, true},
        {std::string("a\nb-\n\0\0", 7), {"a"}, true},
        {"a\nb-\nc\n", {"a", "bc"}, false},
        {"a\nb\n", {"a", "b"}, false},
    };
    for (const Case& c : cases) {
        CLineRecorder r;
        EXPECT_EQ(r.Run(c.bytes), KWR_END);
        EXPECT_EQ(Texts(r), c.lines) << c.bytes;
        EXPECT_EQ(r.EndedInsideLine(), c.insideLine) << c.bytes;
    }
}

TEST(KeywordParserLoop, LongLinesAreSplitAndJoinedLinesMayGrow)
{
    // A physical line longer than the limit is cut; the rest is a line of its own.
    std::string longLine(CKeywordParser::kMaxLine + 10, 'x');
    CLineRecorder r;
    r.Run(longLine + "\nnext");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0].text.size(), CKeywordParser::kMaxLine);
    EXPECT_EQ(r.lines[1].text, std::string(10, 'x'));
    EXPECT_EQ(r.lines[2].text, "next");

    // A point list continued over many physical lines joins beyond one line's
    // length, so that long lists read back whole.
    std::string joined, input;
    for (int i = 0; i < 3000; ++i) {
        std::string piece = " " + std::to_string(i) + ",12345";
        joined += piece;
        input += piece + "-\r\n";
    }
    input += "end\r\n";
    CLineRecorder big;
    big.Run(input);
    ASSERT_EQ(big.lines.size(), 1u);
    EXPECT_EQ(big.lines[0].text, joined + "end");
    EXPECT_GT(big.lines[0].text.size(), CKeywordParser::kMaxLine);
}

TEST(KeywordParserLoop, EndlessContinuationIsCappedNotUnbounded)
{
    std::string input;
    for (size_t i = 0; i < CKeywordParser::kMaxJoinedLine + 100; ++i)
        input += "a-\n";
    CLineRecorder r;
    EXPECT_EQ(r.Run(input), KWR_END);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_LE(r.lines[0].text.size(), CKeywordParser::kMaxJoinedLine);
}

TEST(KeywordParserLoop, ResultCodesDriveReportsSkipAndStop)
{
    CRecordingPrompt prompt;
    struct Case {
        int result;
        int code;
        int reports;
        int skip;
        int depth;
    };
    const Case cases[] = {
        {KWR_FAILED, 0, 1, 0, 0},      {KWR_DONE, 0, 0, 0, 0},
        {KWR_DONE, KWE_BAD_BOOLEAN, 1, 0, 0}, {KWR_SKIP_BLOCK, KWE_OUT_OF_RANGE, 1, 1, 0},
        {KWR_SKIP_REST, 0, 1, 1, 1},   {KWR_SKIP_QUIET, 0, 0, 1, 0},
        {9, KWE_BAD_BOOLEAN, 0, 0, 0}, // above 7: done, unchecked
    };
    for (const auto& c : cases) {
        CLineRecorder r;
        r.onLine = [&](const std::string&) {
            r.SetError(c.code);
            return c.result;
        };
        EXPECT_EQ(r.Run("only\n"), KWR_END);
        EXPECT_EQ(r.reports, c.reports) << c.result;
        EXPECT_EQ(r.m_bSkip, c.skip) << c.result;
        EXPECT_EQ(r.m_nSkipDepth, c.depth) << c.result;
        EXPECT_EQ(r.GetErrorCode(), 0);
    }
    CLineRecorder stop;
    stop.onLine = [](const std::string&) { return KWR_STOP; };
    EXPECT_EQ(stop.Run("a\nb\n"), KWR_STOP);
    EXPECT_EQ(stop.lines.size(), 1u);
}

TEST(KeywordParserLoop, UnknownCodeIsReportedAsSyntaxError)
{
    CRecordingPrompt prompt;
    CLineRecorder r;
    r.onLine = [&](const std::string&) {
        r.SetError(42);
        return KWR_FAILED;
    };
    r.Run("bad line\n");
    EXPECT_EQ(r.reports, 2);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].text.find("Syntax Error"), std::string::npos);
}

TEST(KeywordParserLoop, ReadErrorStopsWithCodeMinus10)
{
    CLineRecorder r;
    CFailingSource src(std::string(100000, 'a'));
    EXPECT_EQ(r.Parse(src), KWR_STOP);
    EXPECT_EQ(r.GetErrorCode(), KWE_READ_ERROR);
}

TEST(KeywordParserReport, TextQuotesTheLineAndEndsWithTheResultSuffix)
{
    CRecordingPrompt prompt;
    CLineRecorder r;
    const std::string longLine = "Key %s%n " + std::string(80, 'z');
    r.onLine = [&](const std::string&) {
        r.SetError(KWE_UNRECOGNIZED);
        return KWR_SKIP_REST;
    };
    r.Run("\n" + longLine + "\n");
    ASSERT_EQ(prompt.shown.size(), 1u);
    const std::string expected = "Error Loading Diagram - Line 1\n\"" + longLine.substr(0, 60) +
                                 "...\"\n\nUnrecognized Keyword\nSkipping the section containing the line.";
    EXPECT_EQ(prompt.shown[0].text, expected);
    EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
}

TEST(KeywordParserReport, WarningCancelStopsAndDontShowSilencesLaterWarnings)
{
    {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(IDCANCEL);
        CLineRecorder r;
        r.onLine = [](const std::string&) { return KWR_FAILED; };
        EXPECT_EQ(r.Run("a\nb\n"), KWR_STOP);
        EXPECT_EQ(r.lines.size(), 1u);
    }
    {
        int shown = 0;
        auto* old = g_pfnKwWarningDlg;
        g_pfnKwWarningDlg = [](const std::string&, bool* dontShow) {
            *dontShow = true;
            return IDOK;
        };
        CLineRecorder r;
        r.onLine = [&](const std::string&) {
            ++shown;
            return KWR_FAILED;
        };
        EXPECT_EQ(r.Run("a\nb\nc\n"), KWR_END);
        g_pfnKwWarningDlg = old;
        EXPECT_EQ(shown, 3);
        EXPECT_TRUE(r.IsQuiet());
    }
}

TEST(KeywordParserReport, AskResultOkGoesOnQuietlyCancelStops)
{
    for (int answer : {IDOK, IDCANCEL}) {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(answer);
        CLineRecorder r;
        r.onLine = [&](const std::string& t) {
            if (t == "newer") {
                r.SetError(KWE_UNRECOGNIZED);
                return KWR_DONE_ASK;
            }
            return KWR_FAILED;
        };
        const int result = r.Run("newer\nbad\n");
        if (answer == IDOK) {
            EXPECT_EQ(result, KWR_END);
            EXPECT_TRUE(r.IsQuiet());
            EXPECT_EQ(prompt.shown.size(), 1u); // the later failure is not shown
        } else {
            EXPECT_EQ(result, KWR_STOP);
        }
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
        EXPECT_NE(prompt.shown[0].text.find("Click OK to attempt to load the file ignoring unrecognized\nobjects "
                                            "or properties."),
                  std::string::npos);
    }
}

TEST(KeywordParserReport, LineZeroShowsTheMessageAlone)
{
    CRecordingPrompt prompt;
    CLineRecorder r;
    r.ShowLoadError("Unable to access diagram.", 0);
    r.ShowLoadError(nullptr, 3);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to access diagram.");
    EXPECT_EQ(prompt.shown[0].type, MB_OK | MB_ICONEXCLAMATION);
}

TEST(KeywordParserReport, ErrorsPastTheFirstHundredAreSummedUpOnce)
{
    static int warnings;
    warnings = 0;
    auto* old = g_pfnKwWarningDlg;
    g_pfnKwWarningDlg = [](const std::string&, bool*) {
        ++warnings;
        return IDOK;
    };
    CRecordingPrompt prompt;
    CLineRecorder r;
    r.onLine = [](const std::string&) { return KWR_FAILED; };
    std::string bad;
    for (int i = 0; i < 250; ++i)
        bad += "bad\n";
    EXPECT_EQ(r.Run(bad), KWR_END);
    EXPECT_EQ(r.lines.size(), 250u) << "every line is still read";
    EXPECT_EQ(r.reports, CKeywordParser::kMaxLineReports);
    EXPECT_EQ(warnings, CKeywordParser::kMaxLineReports);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "150 more errors in this file were not reported one by one.");
    EXPECT_EQ(prompt.shown[0].type, MB_OK | MB_ICONEXCLAMATION);

    // The count starts afresh with the next load; a load within the limit
    // has no summary.
    r.reports = 0;
    EXPECT_EQ(r.Run("bad\nbad\n"), KWR_END);
    EXPECT_EQ(r.reports, 2);
    EXPECT_EQ(prompt.shown.size(), 1u);
    g_pfnKwWarningDlg = old;
}

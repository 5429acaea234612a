#include "keyword/CKeywordParser.h"

#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"

#include <algorithm>
#include <cstring>

namespace {
// The read buffer keeps room for a whole physical line with its CR LF, plus
// slack so that it is topped up (and its bytes moved) only every few lines.
constexpr size_t kReadBufferSize = 4 * CKeywordParser::kReadChunk;
// Longest piece of a failing line quoted in the error report.
constexpr size_t kQuotedLineMax = 60;

struct ErrorText {
    int code;
    const char* text;
};
constexpr ErrorText g_errorTexts[] = {
    {KWE_PREMATURE_EOL, "Premature End of Line"},
    {KWE_INVALID_STRING, "Invalid String"},
    {KWE_INVALID_CHAR, "Invalid Character"},
    {KWE_OUT_OF_RANGE, "Value Out of Range"},
    {KWE_TOO_MANY_VERTICES, "Too Many Vertices"},
    {KWE_BAD_BOOLEAN, "Bad Boolean Expression"},
    {KWE_UNRECOGNIZED, "Unrecognized Keyword"},
    {KWE_NO_ACCESS, "Unable to access diagram."},
    {KWE_READ_ERROR, "Error while attempting to read from file."},
    {KWE_SYNTAX, "Syntax Error"},
};

const char* ResultSuffix(int result)
{
    switch (result) {
    case KWR_FAILED: return "Ignoring this line.";
    case KWR_STOP: return "File could not be loaded.";
    case KWR_SKIP_BLOCK: return "Skipping the section following this line.";
    case KWR_SKIP_REST: return "Skipping the section containing the line.";
    case KWR_DONE_ASK:
        return "Click OK to attempt to load the file ignoring unrecognized\nobjects or properties.";
    default: return "";
    }
}
} // namespace

const char* KeywordErrorText(int code)
{
    for (const auto& e : g_errorTexts)
        if (e.code == code)
            return e.text;
    return nullptr;
}

CKeywordParser::CKeywordParser() = default;
CKeywordParser::~CKeywordParser() = default;

std::string CKeywordParser::CurrentLineText() const
{
    if (m_line.empty())
        return {};
    const char* p = m_line.data();
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', m_line.size()));
    return std::string(p, lf ? size_t(lf - p) : std::strlen(p));
}

// Moves the unread bytes to the front and fills the rest of the buffer.
bool CKeywordParser::TopUp()
{
    if (m_nBegin > 0) {
        std::memmove(m_read.data(), m_read.data() + m_nBegin, m_nEnd - m_nBegin);
        m_nEnd -= m_nBegin;
        m_nBegin = 0;
    }
    while (!m_bEof && m_nEnd < m_read.size()) {
        long long n = m_pSource->Read(m_read.data() + m_nEnd, m_read.size() - m_nEnd);
        if (n < 0)
            return false;
        if (n == 0)
            m_bEof = true;
        m_nEnd += size_t(n);
    }
    return true;
}

// A NUL at a line start ends the data. Zero bytes after it are padding (as in a
// clipboard block); anything else after it means the text was damaged. In a
// whole file any zero byte is damage.
void CKeywordParser::NoteNulEnd()
{
    m_bDataEnded = true;
    if (m_pSource && m_pSource->IsWholeFile()) {
        NoteDamagingNul(m_nLineNo + 1);
        return;
    }
    for (;;) {
        for (size_t i = m_nBegin; i < m_nEnd; ++i)
            if (m_read[i] != '\0') {
                NoteDamagingNul(m_nLineNo + 1);
                return;
            }
        m_nBegin = m_nEnd;
        if (m_bEof || !TopUp() || m_nBegin == m_nEnd)
            return;
    }
}

void CKeywordParser::NoteDamagingNul(int line)
{
    if (!m_bNulBeforeEnd)
        m_nNulLine = line;
    m_bNulBeforeEnd = true;
}

namespace {
// Bytes up to the first CR or LF, at most `limit`: the library's vectorised
// searches, since a large diagram's load spends much of its time here.
size_t LineLength(const char* src, size_t limit)
{
    const void* lf = std::memchr(src, '\n', limit);
    const size_t toLf = lf ? size_t(static_cast<const char*>(lf) - src) : limit;
    const void* cr = std::memchr(src, '\r', toLf);
    return cr ? size_t(static_cast<const char*>(cr) - src) : toLf;
}
} // namespace

// Reads the next logical line into m_line, joining continued lines.
CKeywordParser::Fetch CKeywordParser::FetchLine()
{
    size_t w = 0; // where the next physical line is written
    bool continued = false; // a line ending in "-" waits for the next one
    for (;;) {
        if (!m_bEof && m_nEnd - m_nBegin < kMaxLine + 2 && !TopUp()) {
            m_nErrorCode = KWE_READ_ERROR;
            return Fetch::Error;
        }
        if (m_nBegin == m_nEnd || m_read[m_nBegin] == '\0') {
            m_bEndedInLine = continued;
            if (m_nBegin == m_nEnd)
                m_bDataEnded = true;
            else
                NoteNulEnd();
            return Fetch::End;
        }
        const size_t limit = std::min({kMaxLine, kMaxJoinedLine - w, m_nEnd - m_nBegin});
        const char* src = m_read.data() + m_nBegin;
        size_t n = LineLength(src, limit);
        if (m_line.size() < w + n + 2)
            m_line.resize(w + n + 2);
        std::memcpy(m_line.data() + w, src, n);
        m_nBegin += n;
        ++m_nLineNo;
        if (m_nBegin < m_nEnd && m_read[m_nBegin] == '\r')
            ++m_nBegin;
        if (m_nBegin < m_nEnd && m_read[m_nBegin] == '\n')
            ++m_nBegin;
        // Text after an embedded NUL is not part of the line.
        const char* nul = static_cast<const char*>(std::memchr(m_line.data() + w, '\0', n));
        if (nul) {
            n = size_t(nul - (m_line.data() + w));
            if (m_pSource->IsWholeFile())
                NoteDamagingNul(m_nLineNo);
        }
        m_line[w + n] = '\n';
        m_line[w + n + 1] = '\0';
        if (n >= 1 && m_line[w + n - 1] == '-') {
            w += n - 1; // the next line overwrites the hyphen
            continued = true;
            continue;
        }
        if (m_nLineNo == 1 && w + n == 0) {
            m_nLineNo = 0; // empty lines before the first line are not counted
            continue;
        }
        return Fetch::Line;
    }
}

int CKeywordParser::Parse(IKeywordSource& source)
{
    m_nReports = m_nUnreported = 0;
    const int result = ParseLines(source);
    if (m_nUnreported > 0)
        ReportUnreported(m_nUnreported);
    return result;
}

std::string CKeywordParser::UnreportedText(int count)
{
    return StrPrintf("%d more errors in this file were not reported one by one.", count);
}

void CKeywordParser::ReportUnreported(int count)
{
    // The user who asked for no more warnings gets no summary of them either.
    if (!m_bQuiet)
        ShowLoadError(UnreportedText(count).c_str(), 0);
}

int CKeywordParser::ParseLines(IKeywordSource& source)
{
    m_pSource = &source;
    m_bAnchorSyntax = 1;
    m_bQuiet = 0;
    m_nLineNo = 0;
    m_bEof = false;
    m_bDataEnded = false;
    m_bNulBeforeEnd = false;
    m_nNulLine = 0;
    m_bEndedInLine = false;
    m_read.assign(kReadBufferSize, '\0');
    m_nBegin = m_nEnd = 0;
    m_line.assign(kMaxLine + 2, '\0');
    for (;;) {
        switch (FetchLine()) {
        case Fetch::Error: return KWR_STOP;
        case Fetch::End: return KWR_END;
        case Fetch::Line: break;
        }
        m_nErrorCode = 0;
        m_nLastResult = HandleLine(m_line.data());
        switch (m_nLastResult) {
        case KWR_STOP: return KWR_STOP;
        case KWR_END: return KWR_END;
        default: break;
        }
        ActOnResult();
        m_nErrorCode = 0;
        if (m_nLastResult == KWR_STOP)
            return KWR_STOP;
    }
}

// Step 7 of the loop for results other than stop and end.
void CKeywordParser::ActOnResult()
{
    bool report = false;
    switch (m_nLastResult) {
    case KWR_FAILED: report = true; break;
    case KWR_SKIP_BLOCK:
    case KWR_SKIP_QUIET:
        m_bSkip = 1;
        m_nSkipDepth = 0;
        report = m_nLastResult == KWR_SKIP_BLOCK;
        break;
    case KWR_SKIP_REST:
        m_bSkip = 1;
        m_nSkipDepth = 1;
        report = true;
        break;
    case KWR_DONE:
    case KWR_DONE_ASK: report = m_nErrorCode != 0; break;
    default: break; // other codes count as done, unchecked
    }
    if (!report)
        return;
    if (!m_nErrorCode)
        m_nErrorCode = KWE_SYNTAX;
    // A damaged file may hold millions of bad lines, each of which would be
    // a dialog: past the first reports the rest are only counted.
    if (m_nReports >= kMaxLineReports) {
        ++m_nUnreported;
        return;
    }
    ++m_nReports;
    if (!ReportLineError()) {
        m_nErrorCode = KWE_SYNTAX;
        ReportLineError();
    }
}

void CKeywordParser::ShowLoadError(const char* message, int line)
{
    if (!message)
        return;
    if (line == 0) {
        ShowPrompt(message, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string quoted = CurrentLineText();
    if (quoted.size() > kQuotedLineMax)
        quoted = quoted.substr(0, kQuotedLineMax) + "...";
    std::string text = StrPrintf("Error Loading Diagram - Line %d", line);
    text += "\n\"" + quoted + "\"\n\n" + message + "\n" + ResultSuffix(m_nLastResult);

    switch (m_nLastResult) {
    case KWR_STOP:
    case KWR_END:
        if (ShowPrompt(text, MB_OK | MB_ICONEXCLAMATION) != IDOK)
            m_nLastResult = KWR_STOP;
        break;
    case KWR_DONE_ASK:
        if (ShowPrompt(text, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
            m_nLastResult = KWR_FAILED;
            m_nErrorCode = 0;
            m_bQuiet = 1;
        } else {
            m_nLastResult = KWR_STOP;
        }
        break;
    case KWR_FAILED:
    case KWR_SKIP_BLOCK:
    case KWR_SKIP_REST: {
        if (m_bQuiet)
            break;
        bool dontShow = false;
        int answer = ShowLoadWarning(text, &dontShow);
        if (dontShow)
            m_bQuiet = 1;
        if (answer != IDOK)
            m_nLastResult = KWR_STOP;
        break;
    }
    default: break;
    }
}

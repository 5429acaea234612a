#pragma once
// The reader under every loader of the keyword text format: reads a byte
// stream as text lines, joins continued lines, hands each line to the virtual
// line handler, acts on its result code and reports errors with the line
// number. The value readers take a line apart with a moving cursor.
#include "keyword/KeywordTable.h"
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class IKeywordSource;

// Result codes of a line handler.
enum EKwResult : int {
    KWR_FAILED = 0,      // the line failed: report, then go on
    KWR_DONE = 1,        // the line is done
    KWR_STOP = 2,        // stop, the load fails
    KWR_END = 3,         // end of data
    KWR_SKIP_BLOCK = 4,  // failed; skip the block this line opens
    KWR_SKIP_REST = 5,   // failed; skip the rest of the current block
    KWR_DONE_ASK = 6,    // done; the error set asks OK/Cancel
    KWR_SKIP_QUIET = 7,  // skip the block this line opens, no error
};

// Error codes of the parser and its readers (loaders add positive ones).
enum EKwError : int {
    KWE_NONE = 0,
    KWE_PREMATURE_EOL = -1,
    KWE_INVALID_STRING = -2,
    KWE_INVALID_CHAR = -3,
    KWE_OUT_OF_RANGE = -4,
    KWE_TOO_MANY_VERTICES = -5,
    KWE_BAD_BOOLEAN = -6,
    KWE_UNRECOGNIZED = -7,
    KWE_NO_ACCESS = -9,
    KWE_READ_ERROR = -10,
    KWE_SYNTAX = -11,
};

// The text of a parser error code (-1 .. -11), or null for other codes.
const char* KeywordErrorText(int code);

// A symbol coordinate: a real with its anchor kind (0 none, 1 ">", 2 "<").
struct CKwCoord {
    float value = 0;
    int nAnchor = 0;
};
struct CKwCoordPoint {
    CKwCoord x, y;
};

class CKeywordParser {
public:
    // The largest figure or connector id read, far below INT_MAX: the
    // document counts on from the largest id it read.
    static constexpr int kMaxObjectId = 0x3FFFFFFF;
    // Bytes read from the source at a time, and the longest physical line.
    static constexpr size_t kReadChunk = 16384;
    static constexpr size_t kMaxLine = 16383;
    // Continued lines are joined into one logical line of at most this many
    // characters (point lists of thousands of points span many physical lines).
    static constexpr size_t kMaxJoinedLine = 1 << 20;
    // Line errors reported one by one in a load; the rest are counted and
    // summed up in one report at the end (ReportUnreported).
    static constexpr int kMaxLineReports = 100;

    CKeywordParser();
    virtual ~CKeywordParser();
    CKeywordParser(const CKeywordParser&) = delete;
    CKeywordParser& operator=(const CKeywordParser&) = delete;

    // Runs the line loop: 2 when the load failed or was cancelled, 3 at the end
    // of the data.
    int Parse(IKeywordSource& source);

    // The error display: the message (null shows nothing) under the heading of
    // the line, or alone when the line number is 0.
    virtual void ShowLoadError(const char* message, int line);

    int GetLineNumber() const { return m_nLineNo; }
    int GetErrorCode() const { return m_nErrorCode; }
    int GetLastResult() const { return m_nLastResult; }
    bool IsQuiet() const { return m_bQuiet != 0; }
    // True when the data ended at the physical end (or a NUL), not by a handler.
    bool DataEnded() const { return m_bDataEnded; }
    // True when a NUL byte ended the data with other bytes after it: a
    // damaged file rather than a padded buffer. In a whole file (the
    // source's IsWholeFile) every zero byte counts, even in a zero tail.
    bool NulBeforeEnd() const { return m_bNulBeforeEnd; }
    // The line where the first such zero byte stands.
    int NulLine() const { return m_nNulLine; }
    // True when the data ended after a line that asked to be continued: that
    // line was never handed over.
    bool EndedInsideLine() const { return m_bEndedInLine; }
    // The logical line in hand (text without its LF).
    std::string CurrentLineText() const;

protected:
    // The line handler: `line` holds the text, an LF and a terminating zero.
    virtual int HandleLine(char* line) = 0;
    // Called once after the loop.
    virtual void ReportEndOfLoad() = 0;
    // Reports the current error code; 0 when it does not know the code.
    virtual int ReportLineError() = 0;
    // After the loop, when line errors past the first kMaxLineReports were
    // only counted: one summary (a message without a line number, unless
    // the user asked for no more warnings).
    virtual void ReportUnreported(int count);
    static std::string UnreportedText(int count);

    // Character classes (plain functions: the readers test every character).
    static bool IsEndOfLine(char c) { return c == '\0' || c == '\n' || c == '\r'; }
    static bool IsTrueLetter(char c) { return c == '1' || c == 'T' || c == 'Y' || c == 't' || c == 'y'; }
    static bool IsFalseLetter(char c) { return c == '0' || c == 'F' || c == 'N' || c == 'f' || c == 'n'; }
    static bool IsQuote(char c) { return c == '"'; }
    static bool IsComment(char c) { return c == '#'; }
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static bool IsSeparator(char c) { return c == ',' || c == '='; }

    // Cursor readers: non-zero on success; 0 with the error code set on failure.
    BOOL SkipBlanks(const char*& p);
    BOOL MatchKeyword(const char*& p, const char* word) { return MatchKeyword(p, std::string_view(word)); }
    BOOL MatchKeyword(const char*& p, EKeyword kw)
    {
        // Line handlers try many keys in turn: most differ at the first letter.
        const std::string_view word = KeywordText(kw);
        return (word.empty() || *p == word.front()) && MatchKeyword(p, word);
    }
    BOOL MatchKeyword(const char*& p, std::string_view word);
    BOOL MatchPrefix(const char*& p, const char* text);
    BOOL ParseBool(const char*& p, int& value);
    BOOL ParseShortAsInt(const char*& p, int& value, int min = -32768, int max = 32767);
    BOOL ParseShortInRange(const char*& p, short& value, int min = -32768, int max = 32767);
    BOOL ParseUShortInRange(const char*& p, unsigned short& value, unsigned min = 0, unsigned max = 65535);
    BOOL ParseIntInRange(const char*& p, int& value, int min, int max);
    // A figure or connector id, or a reference to one: min..kMaxObjectId, so
    // that a diagram of more than 32,767 objects reads back as it was written.
    // A hex value keeps the 16-bit reading it always had.
    BOOL ParseObjectId(const char*& p, int& value, int min);
    BOOL ParseUIntInRange(const char*& p, uint32_t& value, uint32_t min, uint32_t max);
    BOOL ParseUInt64InRange(const char*& p, uint64_t& value, uint64_t min, uint64_t max);
    BOOL ParseRealInRange(const char*& p, double& value, double min, double max);
    BOOL ParseFloatInRange(const char*& p, float& value, double min, double max);
    BOOL ParseCoordInRange(const char*& p, CKwCoord& value, double min, double max);
    BOOL ParsePoint(const char*& p, CKwCoordPoint& pt, double min, double max);
    // left, top, right, bottom
    BOOL ParseCoordRect(const char*& p, CKwCoord rc[4], double min, double max);
    BOOL ParseIntPair(const char*& p, int& a, int& b, int min, int max);
    BOOL ParseIntRect(const char*& p, int rc[4], int min, int max);
    // A count in 0..maxCount, then that many points into `pts` (room for maxCount).
    BOOL ParsePointList(const char*& p, int maxCount, double min, double max, CKwCoordPoint* pts, int& count);
    BOOL ParseShortArray(const char*& p, int* values, int n, int min, int max);
    // Three values 0..255 (red, green, blue) packed red-low.
    BOOL ParseColor(const char*& p, COLORREF& color);
    BOOL ParseHexByte(const char*& p, BYTE& value);
    BOOL ParseHexBytes(const char*& p, BYTE* values, size_t n);
    // Keeps at most `size` characters; `buffer` has room for size + 1.
    BOOL ParseDelimited(const char*& p, char* buffer, size_t size);
    BOOL ParseDelimitedCString(const char*& p, std::string& value, size_t size);

    BOOL CheckShortRange(int value, int min, int max);
    BOOL CheckIntRange(long long value, long long min, long long max);
    BOOL CheckRealRange(double value, double min, double max);

    // Parser state; the loader framework reads and sets it.
    int m_bSkip = 0;
    int m_nSkipDepth = 0;
    int m_nLastResult = 0;
    int m_nErrorCode = 0;
    int m_nLineNo = 0;
    int m_bAnchorSyntax = 0;
    int m_bQuiet = 0;

private:
    enum class Fetch { Line, End, Error };
    Fetch FetchLine();
    bool TopUp();
    void NoteNulEnd();
    void NoteDamagingNul(int line);
    int ParseLines(IKeywordSource& source);
    void ActOnResult();
    void SkipTokenRest(const char*& p);
    BOOL ReadHex(const char*& p, uint64_t& value, int bits, int maxDigits);
    BOOL ReadDecimal(const char*& p, long long& value);
    void ReadSixteenBits(const char*& p, long long& value, bool& hex);

    IKeywordSource* m_pSource = nullptr;
    std::vector<char> m_read;  // read buffer: unread bytes are [m_nBegin, m_nEnd)
    size_t m_nBegin = 0;
    size_t m_nEnd = 0;
    bool m_bEof = false;
    std::vector<char> m_line;  // the logical line, LF and NUL terminated
    bool m_bDataEnded = false;
    bool m_bNulBeforeEnd = false;
    int m_nNulLine = 0;
    bool m_bEndedInLine = false;
    int m_nReports = 0;     // line errors reported in this parse
    int m_nUnreported = 0;  // and counted only
};

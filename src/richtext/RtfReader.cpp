#include "richtext/RtfReader.h"

#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupScanner.h"
#include "platform/Ansi.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// Character format inside one group.
struct RtfState {
    int bold = 0, italic = 0, underline = 0;
    int font = 0;            // RTF font number
    int halfPoints = 0;      // 0: not given (the text's own size stays)
    int color = 0;           // RTF colour index
    int script = 0;          // 0 none, 1 sub, 2 super
    int align = 0;           // 0 none, 'l', 'r', 'c'
    int skip = 0;            // 1: destination whose text is dropped
    int uc = 1;              // fallback characters after \u
    int dest = 0;            // 0 text, 1 font table, 2 colour table
};

struct RtfFont {
    int number;
    std::string face;
};

class CRtfReader {
public:
    explicit CRtfReader(const std::string& in) : m_in(in) {}
    bool Read(std::string& markup);

private:
    void ControlWord(const std::string& word, bool hasParam, int param);
    void Text(char ch);
    void Emit(char ch);
    void EmitFormat();
    int FontIndex(int rtfNumber) const;
    int ColorIndex(int rtfIndex) const;
    bool ReadParam(size_t& i, int& value) const;

    const std::string& m_in;
    std::vector<RtfState> m_stack;
    RtfState m_s;
    RtfState m_emitted;
    bool m_anyEmitted = false;
    std::vector<RtfFont> m_fonts;
    std::vector<COLORREF> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorHasValue = false;
    int m_pendingSkip = 0;   // fallback characters still to drop after \u
    std::string m_body;
};

bool CRtfReader::ReadParam(size_t& i, int& value) const
{
    const size_t start = i;
    bool negative = false;
    if (i < m_in.size() && m_in[i] == '-') {
        negative = true;
        ++i;
    }
    long long v = 0;
    const size_t digits = i;
    while (i < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[i]))) {
        v = std::min<long long>(v * 10 + (m_in[i] - '0'), INT_MAX);
        ++i;
    }
    if (i == digits) {
        i = start;
        return false;
    }
    value = int(negative ? -v : v);
    return true;
}

int CRtfReader::FontIndex(int rtfNumber) const
{
    for (size_t k = 0; k < m_fonts.size() && k < size_t(kMarkupTableMax); ++k)
        if (m_fonts[k].number == rtfNumber)
            return int(k);
    return 0;
}

int CRtfReader::ColorIndex(int rtfIndex) const
{
    return rtfIndex >= 0 && rtfIndex < int(m_colors.size()) && rtfIndex < kMarkupTableMax ? rtfIndex : 0;
}

void CRtfReader::EmitFormat()
{
    std::string codes;
    auto word = [&](const char* w, int n) { codes += w + std::to_string(n); };
    const RtfState& s = m_s;
    const RtfState& e = m_emitted;
    const bool all = !m_anyEmitted;
    if (all || s.align != e.align) {
        if (s.align == 'r')
            codes += "\\qr";
        else if (s.align == 'c')
            codes += "\\qc";
        else if (s.align == 'l' || !all)
            codes += "\\ql";
    }
    if (all || s.bold != e.bold)
        word("\\b", s.bold);
    if (all || s.italic != e.italic)
        word("\\i", s.italic);
    if (all || s.underline != e.underline)
        word("\\ul", s.underline);
    if (all || s.script != e.script)
        codes += s.script == 1 ? "\\sub" : s.script == 2 ? "\\super" : "\\nosupersub";
    if (!m_colors.empty() && (all || s.color != e.color))
        word("\\cf", ColorIndex(s.color));
    if (!m_fonts.empty() && (all || s.font != e.font))
        word("\\f", FontIndex(s.font));
    if (s.halfPoints != 0 && (all || s.halfPoints != e.halfPoints))
        word("\\fs", std::clamp(s.halfPoints, 2, 3276));
    if (!codes.empty())
        m_body += codes + ' ';
    m_emitted = m_s;
    m_anyEmitted = true;
}

void CRtfReader::Emit(char ch)
{
    if (m_body.size() > kRtfReadLimit)
        return;
    EmitFormat();
    if (ch == '\\' || ch == '{' || ch == '}')
        m_body += '\\';
    m_body += ch;
}

void CRtfReader::Text(char ch)
{
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    if (m_s.skip)
        return;
    if (m_s.dest == 1) {
        if (ch == ';') {
            if (m_s.skip == 0 && !m_fonts.empty() && m_fonts.back().face.size() > 31)
                m_fonts.back().face.resize(31);
        } else if (!m_fonts.empty() && m_fonts.back().face.size() < 64 && ch != '\r' && ch != '\n') {
            m_fonts.back().face += ch;
        }
        return;
    }
    if (m_s.dest == 2) {
        if (ch == ';') {
            m_colors.push_back(m_colorHasValue ? RGB(m_red & 0xFF, m_green & 0xFF, m_blue & 0xFF) : RGB(0, 0, 0));
            m_red = m_green = m_blue = 0;
            m_colorHasValue = false;
        }
        return;
    }
    if (static_cast<unsigned char>(ch) < 32)
        return;
    Emit(ch);
}

void CRtfReader::ControlWord(const std::string& w, bool hasParam, int param)
{
    RtfState& s = m_s;
    const int on = hasParam ? (param != 0) : 1;
    if (w == "fonttbl")
        s.dest = 1;
    else if (w == "colortbl")
        s.dest = 2;
    else if (w == "stylesheet" || w == "info" || w == "pict" || w == "object" || w == "header" ||
             w == "footer" || w == "footnote" || w == "fldinst" || w == "listtable" ||
             w == "listoverridetable" || w == "themedata" || w == "colorschememapping" || w == "latentstyles" ||
             w == "datastore" || w == "xmlnstbl" || w == "rsidtbl" || w == "generator" || w == "headerl" ||
             w == "headerr" || w == "footerl" || w == "footerr" || w == "bkmkstart" || w == "bkmkend")
        s.skip = 1;
    else if (s.dest == 1 && w == "f")
        m_fonts.push_back(RtfFont{hasParam ? param : 0, std::string()});
    else if (s.dest == 2 && (w == "red" || w == "green" || w == "blue")) {
        (w == "red" ? m_red : w == "green" ? m_green : m_blue) = param;
        m_colorHasValue = true;
    } else if (s.dest != 0 || s.skip)
        return;
    else if (w == "b")
        s.bold = on;
    else if (w == "i")
        s.italic = on;
    else if (w == "ul")
        s.underline = on;
    else if (w == "ulnone")
        s.underline = 0;
    else if (w == "f")
        s.font = param;
    else if (w == "fs" && hasParam)
        s.halfPoints = param;
    else if (w == "cf")
        s.color = param;
    else if (w == "sub")
        s.script = 1;
    else if (w == "super")
        s.script = 2;
    else if (w == "nosupersub")
        s.script = 0;
    else if (w == "plain") {
        s.bold = s.italic = s.underline = s.script = 0;
        s.halfPoints = 0;
        s.font = 0;
        s.color = 0;
    } else if (w == "ql" || w == "qj")
        s.align = 'l';
    else if (w == "qr")
        s.align = 'r';
    else if (w == "qc")
        s.align = 'c';
    else if (w == "pard")
        s.align = 0;
    else if (w == "par" || w == "line") {
        EmitFormat();
        m_body += "\\line ";
    } else if (w == "tab" || w == "emspace" || w == "enspace")
        Text(' ');
    else if (w == "uc")
        s.uc = std::clamp(param, 0, 16);
    else if (w == "u" && hasParam) {
        // Signed 16-bit values stand for code points above 32767.
        const char16_t cp = char16_t(param < 0 ? param + 65536 : param);
        const std::string ansi = QStringToAnsi(QString(QChar(cp)));
        Text(ansi.empty() ? '?' : ansi[0]);
        m_pendingSkip = s.uc;
    } else if (w == "lquote" || w == "rquote")
        Text(w == "lquote" ? '\x91' : '\x92');
    else if (w == "ldblquote" || w == "rdblquote")
        Text(w == "ldblquote" ? '\x93' : '\x94');
    else if (w == "bullet")
        Text('\x95');
    else if (w == "endash" || w == "emdash")
        Text(w == "endash" ? '\x96' : '\x97');
}

bool CRtfReader::Read(std::string& markup)
{
    const std::string& in = m_in;
    size_t i = 0;
    while (i < in.size()) {
        const char c = in[i];
        if (c == '{') {
            if (m_stack.size() < 64)
                m_stack.push_back(m_s);
            else
                m_s.skip = 1;   // nesting this deep holds nothing worth reading
            ++i;
            if (in.compare(i, 2, "\\*") == 0) {
                m_s.skip = 1;
                i += 2;
            }
            continue;
        }
        if (c == '}') {
            if (!m_stack.empty()) {
                m_s = m_stack.back();
                m_stack.pop_back();
            }
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            Text(c);
            ++i;
            continue;
        }
        ++i;
        if (i >= in.size())
            break;
        const char n = in[i];
        if (n == '\\' || n == '{' || n == '}') {
            Text(n);
            ++i;
        } else if (n == '\'') {
            int value = 0;
            for (int k = 1; k <= 2 && i + size_t(k) < in.size(); ++k) {
                const char h = in[i + size_t(k)];
                const int d = std::isdigit(static_cast<unsigned char>(h)) ? h - '0'
                              : std::isxdigit(static_cast<unsigned char>(h)) ? std::tolower(h) - 'a' + 10
                                                                              : -1;
                if (d < 0)
                    break;
                value = value * 16 + d;
            }
            i += 3;
            Text(char(value));
        } else if (n == '~') {
            Text('\xA0');
            ++i;
        } else if (n == '\r' || n == '\n') {
            ControlWord("par", false, 0);
            ++i;
        } else if (std::isalpha(static_cast<unsigned char>(n))) {
            size_t end = i;
            while (end < in.size() && std::isalpha(static_cast<unsigned char>(in[end])) && end - i < 32)
                ++end;
            const std::string word = in.substr(i, end - i);
            while (end < in.size() && std::isalpha(static_cast<unsigned char>(in[end])))
                ++end;
            i = end;
            int param = 0;
            const bool hasParam = ReadParam(i, param);
            if (i < in.size() && in[i] == ' ')
                ++i;
            // A control word other than \u ends the fallback of a \u.
            if (word != "u")
                m_pendingSkip = 0;
            ControlWord(word, hasParam, param);
        } else {
            ++i;   // other control symbols carry nothing the markup keeps
        }
    }
    std::string tables;
    if (!m_colors.empty()) {
        const int count = std::min(int(m_colors.size()), kMarkupTableMax);
        WriteColorTable(tables, count, m_colors.data());
    }
    if (!m_fonts.empty()) {
        const int count = std::min(int(m_fonts.size()), kMarkupTableMax);
        char faces[kMarkupTableMax][kMarkupFaceLen] = {};
        for (int k = 0; k < count; ++k)
            std::strncpy(faces[k], m_fonts[size_t(k)].face.c_str(), kMarkupFaceLen - 1);
        std::string fontGroup;
        WriteFontTable(fontGroup, count, faces);
        tables += fontGroup;
    }
    // A trailing paragraph mark ends the document, it is no empty last line.
    while (m_body.size() >= 6 && m_body.compare(m_body.size() - 6, 6, "\\line ") == 0)
        m_body.resize(m_body.size() - 6);
    markup = tables + m_body;
    TextFormatRec format;
    format.Init();
    NormalizeMarkup(markup, &format, 0, true);
    return true;
}

} // namespace

bool RtfToMarkup(const std::string& rtf, std::string& markup)
{
    markup.clear();
    if (rtf.size() > kRtfReadLimit || rtf.compare(0, 5, "{\\rtf") != 0)
        return false;
    CRtfReader reader(rtf);
    return reader.Read(markup);
}

#include "render/HtmlPage.h"

#include "platform/Ansi.h"

#include <QDir>
#include <QFileInfo>

#include <cctype>

namespace {

constexpr const char* kMapName = "linkmap";
// A line break goes before point 6 and every ninth point after it.
constexpr int kFirstBreak = 6;
constexpr int kPointsPerLine = 9;

std::string Num(int v)
{
    return std::to_string(v);
}

bool StartsWithCaseless(const std::string& text, const char* prefix)
{
    for (size_t i = 0; prefix[i]; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

QString TargetPath(const std::string& link, const QString& folder)
{
    const QString path = AnsiToQString(link);
    if (QFileInfo(path).isAbsolute())
        return path;
    return QDir(folder).filePath(path);
}

} // namespace

std::string HtmlImageExtension(int format)
{
    switch (format) {
    case 4: return "jpg";
    case 5: return "png";
    case 7: return "gif";
    default: return "";
    }
}

std::string HtmlNames::BaseName(const QString& diagramPath)
{
    const QString key = QFileInfo(diagramPath).absoluteFilePath();
    if (auto it = m_byPath.find(key); it != m_byPath.end())
        return it->second;
    std::string title = QStringToAnsi(QFileInfo(diagramPath).completeBaseName());
    for (char& c : title)
        if (c == ' ')
            c = '_';
    const int use = ++m_uses[title];
    const std::string name = use == 1 ? title : title + "_" + Num(use);
    m_byPath[key] = name;
    return name;
}

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string UrlEncode(const std::string& url)
{
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < url.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        const bool escapeStart = c == '%' && i + 2 < url.size() &&
                                 std::isxdigit(static_cast<unsigned char>(url[i + 1])) &&
                                 std::isxdigit(static_cast<unsigned char>(url[i + 2]));
        const bool plain = c > 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\' &&
                           (c != '%' || escapeStart);
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string HtmlAreaText(const HtmlArea& area)
{
    std::string out = "  <area href=\"" + HtmlEscape(UrlEncode(area.href)) + "\"\n   ";
    std::vector<POINT> pts = area.outline;
    if (pts.size() > 3) {
        if (pts.back().x == pts.front().x && pts.back().y == pts.front().y)
            pts.pop_back();
        out += " shape=\"poly\" coords=\"";
        for (size_t i = 0; i < pts.size(); ++i) {
            if (i == size_t(kFirstBreak) ||
                (i > size_t(kFirstBreak) && (i - kFirstBreak) % kPointsPerLine == 0))
                out += "\n";
            out += Num(pts[i].x) + "," + Num(pts[i].y) + ",";
        }
        out += Num(pts.front().x) + "," + Num(pts.front().y) + "\">";
    } else {
        const CRect& r = area.rect;
        out += " shape=\"rect\" coords=\"" + Num(r.left) + "," + Num(r.top) + "," + Num(r.right) +
               "," + Num(r.bottom) + "\">";
    }
    return out + "\n";
}

std::string BuildHtmlPage(const std::string& title, const std::string& imageName,
                          const std::vector<HtmlArea>& areas)
{
    const std::string image = HtmlEscape(UrlEncode(imageName));
    std::string page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n";
    page += "<html>\n<head>\n<TITLE>" + HtmlEscape(title) + "</title>\n</head>\n<body>\n";
    bool mapOpen = false;
    for (const HtmlArea& area : areas) {
        if (area.href.empty())
            continue;
        if (!mapOpen) {
            page += "<p><img src=\"" + image + "\" usemap=\"#" + kMapName + "\" border=\"0\">\n";
            page += std::string("<map name=\"") + kMapName + "\">\n";
            mapOpen = true;
        }
        page += HtmlAreaText(area);
    }
    if (mapOpen)
        page += "</map>\n";
    else
        page += "<p><img src=\"" + image + "\" border=\"0\">\n";
    return page + "</body>\n</html>\n";
}

std::string ResolveHtmlLink(const std::string& link, const QString& diagramFolder,
                            const std::string& pageExtension, const HtmlLinkOptions& options,
                            HtmlNames& names, const HtmlLinkServices& services)
{
    if (link.empty())
        return {};
    const QString target = TargetPath(link, diagramFolder);
    if (QFileInfo(target).suffix().compare("KVD", Qt::CaseInsensitive) == 0) {
        if (!services.exists(target))
            return link;
        if (!options.includeDiagrams)
            return {};
        const std::string page = names.MakeOutputName(target, pageExtension);
        if (!services.alreadyListed(page))
            services.exportDiagram(target, page);
        return page;
    }
    if (!services.looksLikeUrl(link)) {
        if (!services.exists(target))
            return link;
        if (!options.includeDocuments)
            return {};
        const std::string copyName = QStringToAnsi(QFileInfo(target).fileName());
        return services.copyDocument(target, copyName) ? copyName : std::string();
    }
    if (!options.includeUrls)
        return {};
    if (StartsWithCaseless(link, "www.") || StartsWithCaseless(link, "ftp."))
        return "http://" + link;
    return link;
}

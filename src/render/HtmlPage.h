#pragma once
// The HTML side of the web-page export: output names, the links of figures,
// and the page with its client-side image map ("linkmap"). The image itself and
// the walk over the diagram are the export's; this part only turns names,
// links and areas into files and text.
#include "platform/CRect.h"

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Image formats the export writes: 4 JPEG, 5 PNG, 7 GIF.
std::string HtmlImageExtension(int format);

// Output names of the diagrams of one export. A diagram's name is its file
// title with blanks as underscores; a second diagram with the same title from
// another folder gets "_2" (then "_3" ...) so that no page or image of one
// export overwrites another's.
class HtmlNames {
public:
    // The name (without extension) for the diagram at path (UTF-8).
    std::string BaseName(const QString& diagramPath);
    std::string MakeOutputName(const QString& diagramPath, const std::string& extension)
    {
        return BaseName(diagramPath) + "." + extension;
    }

private:
    std::map<QString, std::string> m_byPath;
    std::map<std::string, int> m_uses;
};

// One figure with a hyperlink, as the page needs it: the link's target (the
// href, already resolved; empty: no area), its rectangle mapped into the image
// and its outline there (more than 3 points make a polygon area).
struct HtmlArea {
    std::string href;
    CRect rect;
    std::vector<POINT> outline;
};

// Escapes text and attribute values: & < > " become entities.
std::string HtmlEscape(const std::string& text);
// Percent-encodes the bytes of a URL that may not stand in one (blanks,
// quotes, angle brackets, non-ASCII and control bytes); '%' itself only when
// it does not already start an escape.
std::string UrlEncode(const std::string& url);

// The whole page: the document type, the title (the diagram's file title with
// its blanks), the image with the map of every area that has an href.
std::string BuildHtmlPage(const std::string& title, const std::string& imageName,
                          const std::vector<HtmlArea>& areas);
// One area's text, ending in a line break.
std::string HtmlAreaText(const HtmlArea& area);

// Resolving a figure's link text into an href.
struct HtmlLinkOptions {
    bool includeDiagrams = true;
    bool includeDocuments = false;
    bool includeUrls = true;
};
struct HtmlLinkServices {
    // Whether a file exists.
    std::function<bool(const QString& path)> exists;
    // Whether the text looks like a web address.
    std::function<bool(const std::string& text)> looksLikeUrl;
    // Exports a linked diagram (its page name given); false on failure.
    std::function<bool(const QString& path, const std::string& pageName)> exportDiagram;
    // Whether the page of the diagram was already written in this export.
    std::function<bool(const std::string& pageName)> alreadyListed;
    // Copies a linked document into the output folder; false on failure.
    std::function<bool(const QString& source, const std::string& copyName)> copyDocument;
};
// The href of a link text; the diagram's own folder resolves relative links.
std::string ResolveHtmlLink(const std::string& link, const QString& diagramFolder,
                            const std::string& pageExtension, const HtmlLinkOptions& options,
                            HtmlNames& names, const HtmlLinkServices& services);

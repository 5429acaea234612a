#include "platform/NativePath.h"

#include <QFile>

#include <unistd.h>
#include <vector>

std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& native)
{
    return QFile::decodeName(QByteArray::fromStdString(native));
}

std::string AbsoluteNativePath(const std::string& native)
{
    if (native.empty())
        return native;
    std::string full = native;
    if (full[0] != '/') {
        std::vector<char> cwd(4096);
        while (!::getcwd(cwd.data(), cwd.size()) && cwd.size() < (1u << 20))
            cwd.resize(cwd.size() * 2);
        full = std::string(cwd.data()) + "/" + native;
    }
    std::vector<std::string> parts;
    size_t start = 1;
    while (start <= full.size()) {
        size_t end = full.find('/', start);
        if (end == std::string::npos)
            end = full.size();
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

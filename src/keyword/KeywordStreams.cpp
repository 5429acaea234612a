#include "keyword/KeywordStreams.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

long long CMemoryKeywordSource::Read(char* buffer, size_t size)
{
    size_t n = std::min(size, m_bytes.size() - m_pos);
    if (n)
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
    m_pos += n;
    return static_cast<long long>(n);
}

long long CDeviceKeywordSource::Read(char* buffer, size_t size)
{
    if (!m_device)
        return -1;
    qint64 n = m_device->read(buffer, static_cast<qint64>(size));
    return n < 0 ? -1 : n;
}

bool CStringKeywordSink::Write(const char* data, size_t size)
{
    text.append(data, size);
    return true;
}

bool CDeviceKeywordSink::Write(const char* data, size_t size)
{
    return m_device && m_device->write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
}

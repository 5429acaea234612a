#pragma once
// Byte streams under the keyword text reader and writer: the reader pulls
// chunks from a source, the writer pushes finished lines into a sink. Memory
// and QIODevice versions of both; the parser itself needs no Qt.
#include <cstddef>
#include <string>
#include <string_view>

class QIODevice;

class IKeywordSource {
public:
    virtual ~IKeywordSource() = default;
    // Reads up to `size` bytes; returns how many were read (0 at the end of the
    // data), or -1 when reading failed.
    virtual long long Read(char* buffer, size_t size) = 0;
    // True when the bytes are a whole file: a text file never holds a zero
    // byte, so one that cuts the text short is damage (a crash while it was
    // written), even with only zeros after it. A memory block may be padded
    // with zeros after its text (a clipboard block).
    virtual bool IsWholeFile() const { return false; }
};

class IKeywordSink {
public:
    virtual ~IKeywordSink() = default;
    // Appends the bytes; false when they could not all be written.
    virtual bool Write(const char* data, size_t size) = 0;
};

// Reads from bytes the caller keeps alive.
class CMemoryKeywordSource : public IKeywordSource {
public:
    explicit CMemoryKeywordSource(std::string_view bytes, bool wholeFile = false)
        : m_bytes(bytes), m_bWholeFile(wholeFile)
    {
    }
    long long Read(char* buffer, size_t size) override;
    bool IsWholeFile() const override { return m_bWholeFile; }

private:
    std::string_view m_bytes;
    bool m_bWholeFile;
    size_t m_pos = 0;
};

class CDeviceKeywordSource : public IKeywordSource {
public:
    explicit CDeviceKeywordSource(QIODevice* device) : m_device(device) {}
    long long Read(char* buffer, size_t size) override;

private:
    QIODevice* m_device;
};

// Collects the text in memory.
class CStringKeywordSink : public IKeywordSink {
public:
    bool Write(const char* data, size_t size) override;
    std::string text;
};

class CDeviceKeywordSink : public IKeywordSink {
public:
    explicit CDeviceKeywordSink(QIODevice* device) : m_device(device) {}
    bool Write(const char* data, size_t size) override;

private:
    QIODevice* m_device;
};

#pragma once

#include <QString>

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace pelmar {

// The whole content of a file or a stream, read once and kept as it is.
class TFileBytes {
public:
    TFileBytes() = default;
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;
    ~TFileBytes();

    [[nodiscard]] std::string_view view() const {
        if (m_mapped)
            return {m_mapped, m_size};
        return m_grown.empty() ? std::string_view(m_buffer.get(), m_size) : m_grown;
    }

    // Reads a file. A regular file is mapped into memory rather than copied: that costs
    // neither a pass over the bytes nor the setting up of a fresh buffer's pages, which take
    // longer than the copy. Should it be cut short while it is mapped, the program ends with
    // a message and status 2 instead of reading past its end. False, with the system's reason,
    // when it cannot be read.
    [[nodiscard]] bool readFile(const QString& path, QString& reason);
    void readStream(std::istream& in);

private:
    bool map(int descriptor, std::size_t size, const QString& path);
    bool readInOrder(const QString& path, QString& reason);
    void release();

    // The file's bytes, not set to anything before they are read: zeroing a large buffer first
    // would cost a pass over it.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    // A file longer than its size said, or a stream.
    std::string m_grown;
    // A mapped file.
    const char* m_mapped = nullptr;
};

} // namespace pelmar

#pragma once

#include <QString>

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace pelmar {

// The whole content of a file or a stream in memory, read once and kept as it is.
class TFileBytes {
public:
    [[nodiscard]] std::string_view view() const {
        return m_grown.empty() ? std::string_view(m_buffer.get(), m_size) : m_grown;
    }

    // Reads a file; a large one in pieces on up to `jobs` threads, which copies it from the
    // system's cache in a fraction of the time. False, with the system's reason, when it
    // cannot be read.
    [[nodiscard]] bool readFile(const QString& path, int jobs, QString& reason);
    void readStream(std::istream& in);

private:
    bool readInOrder(const QString& path, QString& reason);

    // The file's bytes, not set to anything before they are read: zeroing a large buffer first
    // would cost a pass over it.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    // A file longer than its size said, or a stream.
    std::string m_grown;
};

} // namespace pelmar

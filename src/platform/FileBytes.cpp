#include "platform/FileBytes.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <istream>
#include <thread>
#include <vector>

namespace pelmar {
namespace {

// Below this a file is read by one thread: starting threads would cost more than they save.
constexpr qint64 ParallelReadSize = 4 << 20;

// Reads [from, from + size) of the file into `into`; false when it cannot or the file is
// shorter.
bool readRange(const QString& path, qint64 from, qint64 size, char* into) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return false;
    while (size > 0) {
        const qint64 n = file.read(into, size);
        if (n <= 0)
            return false;
        into += n;
        size -= n;
    }
    return true;
}

} // namespace

bool TFileBytes::readFile(const QString& path, int jobs, QString& reason) {
    m_grown.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    if (jobs <= 1 || size < ParallelReadSize || file.isSequential())
        return readInOrder(path, reason);

    m_buffer = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
    m_size = static_cast<std::size_t>(size);
    const qint64 pieces = std::min<qint64>(jobs, 8);
    std::atomic<bool> ok = true;
    std::vector<std::thread> threads;
    for (qint64 k = 0; k < pieces; ++k) {
        const qint64 from = size * k / pieces;
        const qint64 to = size * (k + 1) / pieces;
        threads.emplace_back([&, from, to] {
            if (!readRange(path, from, to - from, m_buffer.get() + from))
                ok = false;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    // A file that changed its length while it was read is read again, from start to end.
    char probe;
    if (!ok || !file.seek(size) || file.read(&probe, 1) != 0)
        return readInOrder(path, reason);
    return true;
}

bool TFileBytes::readInOrder(const QString& path, QString& reason) {
    m_grown.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    m_size = file.size() > 0 ? static_cast<std::size_t>(file.size()) : 0;
    m_buffer = std::make_unique_for_overwrite<char[]>(m_size);
    std::size_t filled = 0;
    char chunk[1 << 16];
    for (;;) {
        // Straight into the buffer while the file is as long as it said, then in chunks (a
        // pipe or a special file says nothing, a growing file says too little).
        const bool inPlace = filled < m_size;
        char* into = inPlace ? m_buffer.get() + filled : chunk;
        const qint64 n = file.read(into, inPlace ? static_cast<qint64>(m_size - filled)
                                                 : static_cast<qint64>(sizeof chunk));
        if (n < 0) {
            reason = file.errorString();
            return false;
        }
        if (n == 0)
            break;
        if (!inPlace) {
            if (m_grown.empty())
                m_grown.assign(m_buffer.get(), filled);
            m_grown.append(chunk, static_cast<std::size_t>(n));
        }
        filled += static_cast<std::size_t>(n);
    }
    if (m_grown.empty())
        m_size = filled;
    else
        m_buffer.reset();
    return true;
}

void TFileBytes::readStream(std::istream& in) {
    m_buffer.reset();
    m_size = 0;
    m_grown.clear();
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        m_grown.append(chunk, static_cast<std::size_t>(in.gcount()));
}

} // namespace pelmar

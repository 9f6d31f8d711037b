#include "platform/FileBytes.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <csignal>
#include <cstring>
#include <istream>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>

namespace pelmar {
namespace {

// A mapped file that another program truncates can no longer be read where its end was: the
// system answers the read with a bus error. Every mapping is registered here with the message
// that ends the program then; a bus error anywhere else keeps its usual effect.
struct Guarded {
    std::atomic<const char*> begin{nullptr};
    std::atomic<const char*> end{nullptr};
    char message[1024];
    std::size_t length = 0;
};
Guarded g_guarded[16];
std::mutex g_guardedChanging;
bool g_handlerInstalled = false;
struct sigaction g_previousAction {};

void onBusError(int, siginfo_t* info, void*) {
    const char* at = static_cast<const char*>(info->si_addr);
    for (const Guarded& guarded : g_guarded) {
        const char* begin = guarded.begin.load(std::memory_order_acquire);
        if (begin && at >= begin && at < guarded.end.load(std::memory_order_acquire)) {
            [[maybe_unused]] const auto written = ::write(STDERR_FILENO, guarded.message, guarded.length);
            ::_exit(2);
        }
    }
    // Not ours: whatever handled it before has it, when the fault comes again (or at once, for
    // a bus error that was sent rather than caused).
    sigaction(SIGBUS, &g_previousAction, nullptr);
    raise(SIGBUS);
}

// False when every place is taken (the file is then read instead).
bool guard(const char* begin, std::size_t size, const QString& path) {
    const std::lock_guard lock(g_guardedChanging);
    if (!g_handlerInstalled) {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        if (sigaction(SIGBUS, &action, &g_previousAction) != 0)
            return false;
        g_handlerInstalled = true;
    }
    for (Guarded& guarded : g_guarded) {
        if (guarded.begin.load(std::memory_order_relaxed))
            continue;
        const QByteArray text = (QCoreApplication::applicationName() +
                                 QStringLiteral(": cannot read %1: it changed while it was read\n").arg(path))
                                    .toUtf8()
                                    .left(sizeof guarded.message);
        std::memcpy(guarded.message, text.constData(), static_cast<std::size_t>(text.size()));
        guarded.length = static_cast<std::size_t>(text.size());
        guarded.end.store(begin + size, std::memory_order_release);
        guarded.begin.store(begin, std::memory_order_release);
        return true;
    }
    return false;
}

void unguard(const char* begin) {
    const std::lock_guard lock(g_guardedChanging);
    for (Guarded& guarded : g_guarded) {
        if (guarded.begin.load(std::memory_order_relaxed) == begin) {
            guarded.begin.store(nullptr, std::memory_order_release);
            guarded.end.store(nullptr, std::memory_order_release);
        }
    }
}

} // namespace

TFileBytes::~TFileBytes() { release(); }

void TFileBytes::release() {
    if (m_mapped) {
        unguard(m_mapped);
        ::munmap(const_cast<char*>(m_mapped), m_size);
        m_mapped = nullptr;
    }
    m_buffer.reset();
    m_size = 0;
    m_grown.clear();
}

bool TFileBytes::readFile(const QString& path, QString& reason) {
    release();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    // A pipe or a special file says no size (or a wrong one) and is read instead.
    const qint64 size = file.size();
    if (!file.isSequential() && size > 0 && map(file.handle(), static_cast<std::size_t>(size), path))
        return true;
    return readInOrder(path, reason);
}

bool TFileBytes::map(int descriptor, std::size_t size, const QString& path) {
    // The pages are set up at once: faulting them in one by one as the text is read costs
    // more.
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
    if (at == MAP_FAILED)
        return false;
    m_mapped = static_cast<const char*>(at);
    m_size = size;
    if (!guard(m_mapped, size, path)) {
        ::munmap(at, size);
        m_mapped = nullptr;
        m_size = 0;
        return false;
    }
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
    release();
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        m_grown.append(chunk, static_cast<std::size_t>(in.gcount()));
}

} // namespace pelmar

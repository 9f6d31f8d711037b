#include "storage/CompressStringList.h"

#include "storage/DeltaCode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <limits>

namespace pelmar {

namespace {

// The container's size field is 32 bits wide, so a larger file can never be one of ours.
constexpr qint64 MaxContainerFileSize = std::numeric_limits<std::uint32_t>::max();

QString saveFailureText() {
    return QStringLiteral("TCompressStringList.SaveToFile 2003.02.10");
}

// A failed write reports the system's error number when there is one, else 1 with our message.
SaveResult writeFailure(int error) {
    if (error != 0) {
        return SaveResult{error, {}};
    }
    return SaveResult{1, saveFailureText()};
}

} // namespace

LoadResult TCompressStringList::LoadFromFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile()) {
        return LoadResult{LoadResult::Status::Missing, fileName + QStringLiteral(" がありません")};
    }
    if (info.size() > MaxContainerFileSize) {
        return LoadResult{LoadResult::Status::Damaged, {}};
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return LoadResult{LoadResult::Status::Unreadable, {}};
    }
    QByteArray container = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return LoadResult{LoadResult::Status::Unreadable, {}};
    }
    return LoadFromCompressedStream(container);
}

LoadResult TCompressStringList::LoadFromCompressedStream(const QByteArray& container) {
    TDeltaCode coder;
    coder.Compressed = container;
    if (!coder.Decode()) {
        return LoadResult{LoadResult::Status::Damaged, {}};
    }
    SetText(
        std::string_view(coder.Plain.constData(), static_cast<std::size_t>(coder.Plain.size())));
    return LoadResult{};
}

SaveResult TCompressStringList::SaveToFile(const QString& fileName) const {
    if (fileName.isEmpty()) {
        return SaveResult{1, {}};
    }
    const QFileInfo info(fileName);
    const QString path = info.absoluteFilePath();
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(folder);
        if (!QFileInfo(folder).isDir()) {
            return SaveResult{1, {}};
        }
    }

    TDeltaCode coder;
    coder.Plain = Text();
    if (!coder.Encode()) {
        return SaveResult{1, saveFailureText()};
    }

    // The file is replaced by renaming a finished copy over it, which the folder permits even
    // when the file itself is read-only; it only has to be writable while we replace it, and it
    // gets its own permissions back afterwards, whether the write worked or not.
    const bool existed = QFileInfo::exists(path);
    // Qt also reports what the current user may do; setting those flags back would grant the
    // owner write access whenever we run as a privileged user, so only the mode bits are kept.
    const QFileDevice::Permissions userFlags =
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    const QFileDevice::Permissions oldPermissions =
        existed ? QFile::permissions(path) & ~userFlags : QFileDevice::Permissions{};
    if (existed && !(oldPermissions & QFileDevice::WriteOwner)) {
        QFile::setPermissions(path, oldPermissions | QFileDevice::WriteOwner);
    }
    const auto restore = [&] {
        if (existed) {
            QFile::setPermissions(path, oldPermissions);
        }
    };

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int error = errno;
        restore();
        return writeFailure(error);
    }
    errno = 0;
    if (file.write(coder.Compressed) != coder.Compressed.size()) {
        const int error = errno;
        file.cancelWriting();
        restore();
        return writeFailure(error);
    }
    errno = 0;
    if (!file.commit()) {
        const int error = errno;
        restore();
        return writeFailure(error);
    }
    restore();
    return SaveResult{};
}

QByteArray TCompressStringList::Text() const {
    std::size_t length = 0;
    for (const std::string& line : m_lines) {
        length += line.size() + 2;
    }
    QByteArray text;
    text.reserve(static_cast<qsizetype>(length));
    for (const std::string& line : m_lines) {
        text.append(line.data(), static_cast<qsizetype>(line.size()));
        text.append("\r\n", 2);
    }
    return text;
}

void TCompressStringList::SetText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') {
            ++end;
        }
        if (end < text.size() && text[end] == '\n') {
            ++end;
        }
        start = end;
    }
    SetLines(std::move(lines));
}

void TCompressStringList::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    touched();
}

void TCompressStringList::Add(std::string line) {
    m_lines.push_back(std::move(line));
    touched();
}

void TCompressStringList::Insert(int index, std::string line) {
    m_lines.insert(m_lines.begin() + index, std::move(line));
    touched();
}

void TCompressStringList::Delete(int index) {
    m_lines.erase(m_lines.begin() + index);
    touched();
}

void TCompressStringList::Clear() {
    m_lines.clear();
    touched();
}

} // namespace pelmar

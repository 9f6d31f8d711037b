#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// Outcome of loading a list from a file or stream. `message` is the exact text the window
// must show, empty when nothing is to be shown (a damaged container is dropped silently).
struct LoadResult {
    enum class Status { Loaded, Missing, Damaged, Unreadable };
    Status status = Status::Loaded;
    QString message;
    [[nodiscard]] bool ok() const { return status == Status::Loaded; }
};

// Outcome of SaveToFile: code 0 on success, 1 for an unusable name or folder (and for other
// failures, with `message` set to the text to show), or the system's error number when the
// write itself failed.
struct SaveResult {
    int code = 0;
    QString message;
    [[nodiscard]] bool ok() const { return code == 0; }
};

// A list of text lines (CP932 bytes, no line ends) stored as a "BDC1" container of the lines
// each followed by CR LF.
class TCompressStringList {
public:
    TCompressStringList() = default;
    virtual ~TCompressStringList() = default;
    TCompressStringList(const TCompressStringList&) = default;
    TCompressStringList& operator=(const TCompressStringList&) = default;

    // Missing file: status Missing and message "<FileName> がありません"; list unchanged.
    // Damaged container: status Damaged, no message; list unchanged.
    LoadResult LoadFromFile(const QString& fileName);
    // The same from a whole container in memory; never a message.
    LoadResult LoadFromCompressedStream(const QByteArray& container);
    // Replaces the file through a temporary file in the same folder, so a failed write leaves
    // the old file whole. A read-only file stays read-only.
    SaveResult SaveToFile(const QString& fileName) const;

    // The lines joined, each followed by CR LF.
    [[nodiscard]] QByteArray Text() const;
    // Replaces the lines by those of `text`, split at CR LF, CR or LF (a final line end adds no
    // empty line).
    void SetText(std::string_view text);

    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }
    [[nodiscard]] int Count() const { return static_cast<int>(m_lines.size()); }
    [[nodiscard]] const std::string& operator[](int index) const { return m_lines[static_cast<std::size_t>(index)]; }
    void SetLines(std::vector<std::string> lines);
    void Add(std::string line);
    void Insert(int index, std::string line);
    void Delete(int index);
    void Clear();

    // Bumped by every change of the lines, so indexes built over them know when to rebuild.
    [[nodiscard]] std::uint64_t Version() const { return m_version; }

protected:
    void touched() { ++m_version; }

private:
    std::vector<std::string> m_lines;
    std::uint64_t m_version = 0;
};

} // namespace pelmar

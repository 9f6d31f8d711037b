#pragma once

#include "platform/TextFile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace pelmar {

// A text file read for the window in pieces, so the window stays live between them.
struct TFileRead {
    QByteArray bytes;
    QString problem;       // empty when the whole file was read, else what to tell the user
    bool canceled = false; // the step callback asked to stop
};

// Reads the whole file; `step(done, total)` runs after every piece and returns false to stop.
[[nodiscard]] TFileRead ReadFileInPieces(const QString& path,
                                         const std::function<bool(qint64 done, qint64 total)>& step,
                                         qint64 pieceSize = 1 << 20);

// What is wrong with a file that could not be read, in words for the user: it does not exist,
// it is a folder, or it may not or cannot be read.
[[nodiscard]] QString FileProblemText(const QString& path);

// Plainly not text: it holds NUL bytes, or a tenth or more of the characters at its start are
// undecodable or control characters other than the usual blanks. (Random bytes read as CP932
// mostly pair up into kanji, so that share stays far below a half even for a picture.)
[[nodiscard]] bool LooksLikeBinary(std::string_view bytes);
// Asked before loading such a file anyway.
[[nodiscard]] QString NotPlainTextQuestion(const QString& path);

// The text of a file's bytes, decoded in pieces that end at line ends, each with "\n" line ends
// as the panes hold them. Together the pieces are the text decodeTextFile gives.
class TTextDecoder {
public:
    explicit TTextDecoder(std::string_view bytes);
    [[nodiscard]] bool atEnd() const { return m_at >= m_body.size(); }
    // The next piece: about `size` bytes of the file, running on to the end of their line.
    [[nodiscard]] QString next(std::size_t size);
    [[nodiscard]] std::size_t done() const { return m_at; }
    [[nodiscard]] std::size_t total() const { return m_body.size(); }

private:
    std::string_view m_body;
    TextEncoding m_encoding;
    std::size_t m_at = 0;
};

} // namespace pelmar

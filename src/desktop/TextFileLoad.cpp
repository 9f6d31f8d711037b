#include "desktop/TextFileLoad.h"

#include "desktop/MainWindowTexts.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace pelmar {
namespace {

QString shownPath(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

QString FileProblemText(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("ファイルがありません\r\n\r\n") + shownPath(path);
    if (info.isDir())
        return QStringLiteral("フォルダは読み込めません。テキストファイルを選んでください\r\n\r\n") +
               shownPath(path);
    if (!info.isReadable())
        return QStringLiteral("ファイルを読む権限がありません\r\n\r\n") + shownPath(path);
    return QStringLiteral("ファイルを読み込めません\r\n\r\n") + shownPath(path);
}

TFileRead ReadFileInPieces(const QString& path,
                           const std::function<bool(qint64, qint64)>& step, qint64 pieceSize) {
    TFileRead read;
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        read.problem = FileProblemText(path);
        return read;
    }
    const qint64 total = file.size();
    read.bytes.reserve(total);
    for (;;) {
        const QByteArray piece = file.read(pieceSize);
        if (file.error() != QFileDevice::NoError) {
            read.problem = FileProblemText(path);
            read.bytes.clear();
            return read;
        }
        if (piece.isEmpty())
            break;
        read.bytes += piece;
        if (step && !step(read.bytes.size(), total)) {
            read.canceled = true;
            read.bytes.clear();
            return read;
        }
    }
    return read;
}

bool LooksLikeBinary(std::string_view bytes) {
    if (std::memchr(bytes.data(), '\0', bytes.size()))
        return true;
    // The start tells: a text file does not turn into something else half way.
    std::string_view head = bytes.substr(0, 64 * 1024);
    QString text = decodeTextFile(head);
    if (head.size() < bytes.size() && !text.isEmpty())
        text.chop(1); // the cut may have split the last character
    if (text.isEmpty())
        return false;
    qsizetype bad = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == QChar::ReplacementCharacter || u == 0x7F ||
            (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != '\v'))
            ++bad;
    }
    return bad * 10 >= text.size();
}

QString NotPlainTextQuestion(const QString& path) {
    return QStringLiteral("テキストファイルではないようです\r\n\r\n") + shownPath(path) +
           QStringLiteral("\r\n\r\nこのまま読み込みますか？");
}

TTextDecoder::TTextDecoder(std::string_view bytes)
    : m_encoding(detectTextEncoding(bytes)) {
    m_body = textFileBody(bytes, m_encoding);
}

QString TTextDecoder::next(std::size_t size) {
    std::size_t end = std::min(m_body.size(), m_at + std::max<std::size_t>(size, 1));
    // Cut after a line feed: it is never part of a CP932 or UTF-8 character, and a CR LF pair
    // stays in one piece.
    if (end < m_body.size()) {
        const void* lf = std::memchr(m_body.data() + end, '\n', m_body.size() - end);
        end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - m_body.data()) + 1
                 : m_body.size();
    }
    const std::string_view piece = m_body.substr(m_at, end - m_at);
    m_at = end;
    if (m_encoding == TextEncoding::Cp932)
        return PaneTextOf(fromCp932(piece));
    // Every byte, a BOM-like start of a later piece included: the file's one BOM is gone.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return PaneTextOf(decoder.decode(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size()))));
}

} // namespace pelmar

#include "desktop/MessageWrap.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace pelmar {
namespace {

// Lets the screen's edge and the window frame a little room beside the widest line.
constexpr int FrameAllowance = 16;

// Japanese text may break between any two of its characters.
bool isJapanese(char32_t c) {
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

// Characters a line does not begin with, and ones it does not end with.
bool noLineStart(char32_t c) {
    static constexpr std::u32string_view chars =
        U"、。，．・：；？！゛゜ヽヾゝゞ々ー）〕］｝〉》」』】〙〗〟’”…‥"
        U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ"
        U")]},.:;!?%";
    return chars.find(c) != std::u32string_view::npos;
}

bool noLineEnd(char32_t c) {
    static constexpr std::u32string_view chars = U"（〔［｛〈《「『【〘〖〝‘“([{";
    return chars.find(c) != std::u32string_view::npos;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == 0x3000;
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The first and the last character of a text (a pair of surrogates counting as one).
char32_t firstOf(const QString& s) {
    if (s.isEmpty())
        return 0;
    if (s.size() >= 2 && s.at(0).isHighSurrogate() && s.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(s.at(0), s.at(1));
    return s.at(0).unicode();
}

char32_t lastOf(const QString& s) {
    if (s.isEmpty())
        return 0;
    const qsizetype n = s.size();
    if (n >= 2 && s.at(n - 1).isLowSurrogate() && s.at(n - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(s.at(n - 2), s.at(n - 1));
    return s.at(n - 1).unicode();
}

// A piece between two places a line may break: its text, its width and the width of the
// blanks it ends with (which hang beyond the line's end when it breaks there).
struct TPiece {
    QString text;
    int width = 0;
    int trailing = 0;
    [[nodiscard]] int body() const { return width - trailing; }
};

enum class TUnitKind { Blank, Japanese, Word };
struct TUnit {
    QString text;
    TUnitKind kind;
};

// A paragraph as units: runs of blanks, single Japanese characters, and runs of anything else
// (a path being one run whatever it holds).
std::vector<TUnit> unitsOf(const QString& paragraph) {
    std::vector<TUnit> units;
    qsizetype i = 0;
    const qsizetype n = paragraph.size();
    const auto codeAt = [&](qsizetype at, qsizetype& length) {
        const QChar c = paragraph.at(at);
        if (c.isHighSurrogate() && at + 1 < n && paragraph.at(at + 1).isLowSurrogate()) {
            length = 2;
            return QChar::surrogateToUcs4(c, paragraph.at(at + 1));
        }
        length = 1;
        return static_cast<char32_t>(c.unicode());
    };
    while (i < n) {
        qsizetype length = 1;
        const char32_t c = codeAt(i, length);
        if (isBlank(c)) {
            qsizetype end = i;
            while (end < n && isBlank(codeAt(end, length)))
                end += length;
            units.push_back({paragraph.mid(i, end - i), TUnitKind::Blank});
            i = end;
            continue;
        }
        // The blank-free run this character starts.
        qsizetype runEnd = i;
        while (runEnd < n && !isBlank(codeAt(runEnd, length)))
            runEnd += length;
        const QString run = paragraph.mid(i, runEnd - i);
        if (std::any_of(run.begin(), run.end(), isSeparator)) {
            units.push_back({run, TUnitKind::Word});
            i = runEnd;
            continue;
        }
        while (i < runEnd) {
            const char32_t d = codeAt(i, length);
            if (isJapanese(d)) {
                units.push_back({paragraph.mid(i, length), TUnitKind::Japanese});
                i += length;
                continue;
            }
            qsizetype end = i;
            while (end < runEnd && !isJapanese(codeAt(end, length)))
                end += length;
            units.push_back({paragraph.mid(i, end - i), TUnitKind::Word});
            i = end;
        }
    }
    return units;
}

bool breakBetween(const TUnit& before, const TUnit& after) {
    if (after.kind == TUnitKind::Blank || noLineStart(firstOf(after.text)) ||
        noLineEnd(lastOf(before.text)))
        return false;
    return before.kind == TUnitKind::Blank || before.kind == TUnitKind::Japanese ||
           after.kind == TUnitKind::Japanese;
}

std::vector<TPiece> piecesOf(const QString& paragraph,
                             const std::function<int(const QString&)>& widthOf) {
    std::vector<TPiece> pieces;
    const std::vector<TUnit> units = unitsOf(paragraph);
    for (std::size_t u = 0; u < units.size(); ++u) {
        // A paragraph's indent stays with its first word.
        const bool indent = u == 1 && units[0].kind == TUnitKind::Blank;
        if (u == 0 || (!indent && breakBetween(units[u - 1], units[u])))
            pieces.emplace_back();
        TPiece& piece = pieces.back();
        const int width = widthOf(units[u].text);
        piece.text += units[u].text;
        piece.width += width;
        piece.trailing = units[u].kind == TUnitKind::Blank ? piece.trailing + width : 0;
    }
    return pieces;
}

// The longest start of `text` no wider than `width`, at least one character; after its last
// path separator when it holds one past its first character.
qsizetype fittingStart(const QString& text, int width,
                       const std::function<int(const QString&)>& widthOf) {
    std::vector<qsizetype> ends; // where each character ends
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isHighSurrogate() && i + 1 < text.size() &&
              text.at(i + 1).isLowSurrogate()))
            ends.push_back(i + 1);
    }
    std::size_t low = 0, high = ends.size() - 1; // ends[low] always fits (or must)
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (widthOf(text.left(ends[mid])) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    for (qsizetype at = ends[low]; at > 1; --at) {
        if (isSeparator(text.at(at - 1)))
            return at;
    }
    return ends[low];
}

} // namespace

TMsgTextWidths MessageTextWidths(int unitWidth, TMsgKind kind, QSize screen) {
    const int beside = 2 * MulDiv(8, unitWidth, 4) +
                       (MsgKindHasIcon(kind) ? 32 + MulDiv(10, unitWidth, 4) : 0) + FrameAllowance;
    TMsgTextWidths widths;
    widths.preferred = screen.width() / 2;
    widths.widest = std::max(widths.preferred, screen.width() - beside);
    return widths;
}

QStringList WrapMessageText(const QString& text, TMsgTextWidths widths,
                            const std::function<int(const QString&)>& widthOf) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList paragraphs = plain.split(QLatin1Char('\n'));
    std::vector<std::vector<TPiece>> pieces;
    int longest = 0;
    for (const QString& paragraph : paragraphs) {
        pieces.push_back(piecesOf(paragraph, widthOf));
        for (const TPiece& piece : pieces.back())
            longest = std::max(longest, piece.body());
    }
    // One width for every line: wider than preferred only as far as an unbreakable piece needs.
    const int width = std::min(widths.widest, std::max(widths.preferred, longest));

    QStringList lines;
    for (const std::vector<TPiece>& paragraph : pieces) {
        QString line;
        int lineWidth = 0; // with the blanks it ends with
        const auto finish = [&] {
            while (!line.isEmpty() && isBlank(lastOf(line)))
                line.chop(1);
            lines << line;
            line.clear();
            lineWidth = 0;
        };
        for (const TPiece& piece : paragraph) {
            if (!line.isEmpty() && lineWidth + piece.body() > width)
                finish();
            if (line.isEmpty() && piece.body() > width) {
                // Too wide for any line: split where it must, the rest starting the next line.
                QString rest = piece.text;
                QString body = rest;
                while (!body.isEmpty() && isBlank(lastOf(body)))
                    body.chop(1);
                while (widthOf(body) > width) {
                    const qsizetype cut = fittingStart(body, width, widthOf);
                    line = rest.left(cut);
                    finish();
                    rest = rest.mid(cut);
                    body = body.mid(cut);
                }
                line = rest;
                lineWidth = widthOf(rest);
                continue;
            }
            line += piece.text;
            lineWidth += piece.width;
        }
        finish();
    }
    return lines;
}

} // namespace pelmar

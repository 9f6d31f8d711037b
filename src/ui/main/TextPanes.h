#pragma once

#include <QSplitter>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QMenu;
class QPlainTextEdit;

namespace pelmar {

// Result rows as the output pane holds them. A pane of one paragraph per row takes a second to
// fill with 400,000 rows; rows grouped into paragraphs of RowsPerBlock lines (joined by line
// separators, which read and copy as line ends) take a twentieth of that and look the same.
class TPaneRows {
public:
    static constexpr int RowsPerBlock = 64;
    void add(std::string_view row);
    [[nodiscard]] QString text() const;
    [[nodiscard]] bool empty() const { return m_rows == 0; }

private:
    std::string m_text; // UTF-8
    std::size_t m_rows = 0;
};

// The input pane on the left and the read-only output pane on the right, with the input pane's
// context menu of edit commands.
class TTextPanes : public QSplitter {
    Q_OBJECT
public:
    explicit TTextPanes(QWidget* parent);

    [[nodiscard]] QPlainTextEdit* input() const { return m_input; }
    [[nodiscard]] QPlainTextEdit* output() const { return m_output; }

    // Gives the output pane this width, leaving the input pane at least its minimum.
    void setOutputWidth(int width);

    // Yields the next piece of a long text; false when none is left.
    using PieceSource = std::function<bool(QString& piece)>;
    // Runs between two pieces with the characters put in so far; false stops there.
    using Between = std::function<bool(qsizetype done)>;
    // Replaces (or, with `append`, continues on a new line) a pane's text piece by piece, so a
    // long text never holds the window for long; false when `between` stopped it.
    static bool fill(QPlainTextEdit* pane, bool append, const PieceSource& next,
                     const Between& between);
    // Pieces of about `size` characters of a text, each ending at a line end.
    [[nodiscard]] static PieceSource piecesOf(const QString& text, qsizetype size);
    // The lines in the input pane, as the status bar counts them: a final line end adds none.
    [[nodiscard]] int inputLineCount() const;
    // Whether the input pane holds anything to measure beyond blanks and control characters.
    [[nodiscard]] bool inputHasText() const;
    // The input pane's lines as the CP932 lines a measurement reads, line by line, calling
    // `between` with the lines read so far; false when it stopped the reading.
    bool inputLines(std::vector<std::string>& lines, const Between& between) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_input = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QMenu* m_editMenu = nullptr;
};

} // namespace pelmar

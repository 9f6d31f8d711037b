#pragma once

#include <QSplitter>

#include <functional>

class QMenu;
class QPlainTextEdit;

namespace pelmar {

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_input = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QMenu* m_editMenu = nullptr;
};

} // namespace pelmar

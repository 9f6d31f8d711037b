#pragma once

#include <QSplitter>

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

private:
    QPlainTextEdit* m_input = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QMenu* m_editMenu = nullptr;
};

} // namespace pelmar

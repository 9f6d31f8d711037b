#include "ui/main/TextPanes.h"

#include "engine/Bytes.h"
#include "platform/Cp932.h"

#include <QAction>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QMenu>
#include <QPlainTextEdit>

#include <algorithm>

namespace pelmar {

TTextPanes::TTextPanes(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("Splitter1"));
    setHandleWidth(3);
    setChildrenCollapsible(false);

    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(QStringLiteral("RichEdit1"));
    m_input->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_input->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_input->setMinimumWidth(100);
    // Tab goes on to the next control, as in every other field: a tab typed by mistake would
    // change the text, and the keyboard could never leave the pane.
    m_input->setTabChangesFocus(true);
    // Files dropped on the pane go to the window, which measures them.
    m_input->setAcceptDrops(false);
    m_input->viewport()->setAcceptDrops(false);
    m_input->setContextMenuPolicy(Qt::CustomContextMenu);

    m_output = new QPlainTextEdit(this);
    m_output->setObjectName(QStringLiteral("RichEdit2"));
    m_output->setReadOnly(true);
    // Rows never wrap, so the numbers stay under their headings; wide rows scroll sideways.
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_output->setMinimumWidth(100);
    m_output->setTabChangesFocus(true);
    m_output->setAcceptDrops(false);
    m_output->viewport()->setAcceptDrops(false);
    m_output->setContextMenuPolicy(Qt::NoContextMenu);
    // Narrow tab stops keep the default four columns of a row on one line of the pane.
    m_output->setTabStopDistance(40);
    QPalette outputPalette = m_output->palette();
    outputPalette.setColor(QPalette::Base, outputPalette.color(QPalette::Button));
    m_output->setPalette(outputPalette);

    addWidget(m_input);
    addWidget(m_output);
    setStretchFactor(0, 1);
    setStretchFactor(1, 0);

    // The input pane's context menu: the edit control's own clipboard commands, select all and
    // clear. The short cuts are the edit control's, shown for reference.
    m_editMenu = new QMenu(this);
    m_editMenu->setObjectName(QStringLiteral("pmEdit"));
    auto edit = [this](const char* name, const QString& caption, const QString& keys,
                       void (QPlainTextEdit::*slot)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(keys));
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, m_input, slot);
        m_editMenu->addAction(action);
    };
    edit("acEditCopy", QStringLiteral("コピー(&C)"), QStringLiteral("Ctrl+C"), &QPlainTextEdit::copy);
    edit("acEditCut", QStringLiteral("切り取り(&T)"), QStringLiteral("Ctrl+X"), &QPlainTextEdit::cut);
    edit("acEditPaste", QStringLiteral("貼り付け(&P)"), QStringLiteral("Ctrl+V"),
         &QPlainTextEdit::paste);
    edit("acEditSelectAll", QStringLiteral("すべて選択(&A)"), QStringLiteral("Ctrl+A"),
         &QPlainTextEdit::selectAll);
    edit("acEditClear", QStringLiteral("クリア(&X)"), QStringLiteral("Ctrl+X"),
         &QPlainTextEdit::clear);
    m_input->installEventFilter(this);
    connect(m_input, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_editMenu->exec(m_input->mapToGlobal(at)); });
}

void TTextPanes::setOutputWidth(int width) {
    const int total = this->width();
    const int right = std::min(width, std::max(100, total - 100 - handleWidth()));
    setSizes({std::max(100, total - right - handleWidth()), right});
}

bool TTextPanes::eventFilter(QObject* watched, QEvent* event) {
    // Shift+Enter would start a new line inside a paragraph; the input pane's lines are its
    // paragraphs, so it starts a paragraph like Enter.
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & Qt::ShiftModifier)) {
            m_input->textCursor().insertBlock();
            m_input->ensureCursorVisible();
            return true;
        }
    }
    return QSplitter::eventFilter(watched, event);
}

void TPaneRows::add(std::string_view row) {
    if (m_rows > 0)
        m_text += m_rows % RowsPerBlock == 0 ? "\n" : "\u2028";
    m_text += row;
    ++m_rows;
}

QString TPaneRows::text() const { return QString::fromUtf8(m_text.data(), static_cast<qsizetype>(m_text.size())); }

bool TTextPanes::inputHasText() const {
    for (QTextBlock block = m_input->document()->firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x20; }) &&
            !bytes::trimmed(toCp932(text)).empty())
            return true;
    }
    return false;
}

bool TTextPanes::inputLines(std::vector<std::string>& lines, const Between& between) const {
    const QTextDocument* document = m_input->document();
    lines.clear();
    lines.reserve(static_cast<std::size_t>(document->blockCount()));
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        // The last paragraph is no line when it is empty: a final line end adds no line.
        if (!block.next().isValid() && block.length() <= 1)
            break;
        lines.push_back(toCp932(block.text()));
        if (between && !between(static_cast<qsizetype>(lines.size())))
            return false;
    }
    return true;
}

int TTextPanes::inputLineCount() const {
    const QTextDocument* document = m_input->document();
    return document->blockCount() - (document->lastBlock().length() <= 1 ? 1 : 0);
}

bool TTextPanes::fill(QPlainTextEdit* pane, bool append, const PieceSource& next,
                      const Between& between) {
    QTextDocument* document = pane->document();
    // Nobody undoes a load piece by piece; the undo history would only cost time and memory.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    if (!append)
        pane->clear();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    bool first = true;
    qsizetype done = 0;
    bool finished = true;
    QString piece;
    while (next(piece)) {
        if (first && append && !document->isEmpty())
            cursor.insertBlock();
        first = false;
        cursor.insertText(piece);
        done += piece.size();
        if (between && !between(done)) {
            finished = false;
            break;
        }
    }
    document->setUndoRedoEnabled(undo);
    return finished;
}

TTextPanes::PieceSource TTextPanes::piecesOf(const QString& text, qsizetype size) {
    return [&text, size, at = qsizetype(0)](QString& piece) mutable {
        if (at >= text.size())
            return false;
        qsizetype end = std::min(text.size(), at + std::max<qsizetype>(size, 1));
        if (end < text.size()) {
            const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), end);
            end = lineEnd < 0 ? text.size() : lineEnd + 1;
        }
        piece = text.mid(at, end - at);
        at = end;
        return true;
    };
}

} // namespace pelmar

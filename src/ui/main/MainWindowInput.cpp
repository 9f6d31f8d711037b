#include "ui/main/MainWindow.h"

#include "desktop/TextFileLoad.h"
#include "ui/common/BusyCursor.h"
#include "ui/main/MainToolBar.h"
#include "ui/main/TextPanes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

// Getting text into the window: paste, open and the files of a batch.
namespace pelmar {
namespace {

// Characters put into a pane between two looks at the window's events.
constexpr qsizetype PieceSize = 128 * 1024;

} // namespace

void TForm1::pump(bool userInput) {
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
}

bool TForm1::runStep(TRunStep step, qsizetype done, TRunPacer& pacer, bool userInput) {
    if (m_runHook)
        m_runHook(step, done);
    if (pacer.due())
        pump(userInput);
    return !m_closePending;
}

void TForm1::ShowTextLoaded(bool loaded) {
    m_loaded = loaded;
    acCopy->setEnabled(false);
    acSave->setEnabled(false);
    if (loaded && !m_filePath.isEmpty())
        setWindowTitle(FileCaption(m_filePath, m_info));
    else if (loaded)
        setWindowTitle(MainCaption(m_info));
    acCount->setEnabled(loaded);
    m_status->setText(LoadedStatusText(m_panes->inputLineCount()));
    m_progressBar->setValue(0);
    m_timeLabel->setText(QString::fromStdString(ElapsedText(0)));
    pump();
}

void TForm1::SetBatchIndex(int index) {
    m_batchIndex = index;
    if (index < 0) {
        m_batchLabel->clear();
        m_batchList.clear();
        return;
    }
    m_batchLabel->setText(BatchLabelText(index, static_cast<int>(m_batchList.size())));
    pump(false);
}

void TForm1::acPasteExecute() {
    if (m_measuring || m_loading)
        return;
    const QString text = PaneTextOf(QGuiApplication::clipboard()->text());
    // A picture or a file list on the clipboard must not wipe the text the user has.
    if (text.isEmpty()) {
        m_prompts->information(this, QString::fromUtf8(NoClipboardTextMessage));
        return;
    }
    RichEdit2->clear();
    if (!fillInputPane(TTextPanes::piecesOf(text, PieceSize)))
        return;
    SetBatchIndex(-1);
    // Pasted text is no file: a save must not take an earlier file's name for it.
    m_filePath.clear();
    m_textName.clear();
    m_saved = true;
    ShowTextLoaded(true);
}

void TForm1::ShowText(const QString& text) {
    if (m_measuring || m_loading)
        return;
    RichEdit2->clear();
    if (!fillInputPane(TTextPanes::piecesOf(PaneTextOf(text), PieceSize)))
        return;
    SetBatchIndex(-1);
    // A saved copy is no file of the user's: a save must not take an earlier file's name for it.
    m_filePath.clear();
    m_textName.clear();
    ShowTextLoaded(true);
}

bool TForm1::fillInputPane(const TTextPanes::PieceSource& pieces) {
    const TBusyCursor busy;
    m_loading = true;
    TRunPacer pacer(m_clock);
    // The window paints while the text goes in, but takes no input until it is all there.
    const bool done = TTextPanes::fill(RichEdit1, false, pieces, [&](qsizetype characters) {
        return runStep(TRunStep::Loading, characters, pacer, false);
    });
    m_loading = false;
    if (m_closePending && !m_measuring && !m_inBatch)
        close();
    return done;
}

bool TForm1::loadIntoInputPane(const QString& path) {
    TFileRead read;
    {
        const TBusyCursor busy;
        m_loading = true;
        TRunPacer pacer(m_clock);
        read = ReadFileInPieces(path, [&](qint64 done, qint64) {
            return runStep(TRunStep::Loading, done, pacer, false);
        });
        m_loading = false;
    }
    if (read.canceled) {
        if (!m_measuring && !m_inBatch)
            close();
        return false;
    }
    // Whatever went wrong, the text in the pane stays as it was.
    if (!read.problem.isEmpty()) {
        m_prompts->information(this, read.problem);
        return false;
    }
    const std::string_view bytes(read.bytes.constData(), static_cast<std::size_t>(read.bytes.size()));
    if (LooksLikeBinary(bytes) && !m_prompts->warningYesAbort(this, NotPlainTextQuestion(path)))
        return false;
    TTextDecoder decoder(bytes);
    return fillInputPane([&decoder](QString& piece) {
        if (decoder.atEnd())
            return false;
        piece = decoder.next(PieceSize);
        return true;
    });
}

void TForm1::acOpenExecute() {
    if (m_measuring || m_loading)
        return;
    const QString path = m_prompts->openTextFile(this, m_lastFolder);
    if (path.isEmpty() || !loadIntoInputPane(path))
        return;
    m_filePath.clear();
    m_textName = path;
    ShowTextLoaded(true);
    m_lastFolder = QFileInfo(path).absolutePath();
}

void TForm1::LoadTextFile(const QString& path) {
    // A file that did not come in names nothing: the pane keeps its text and that text's name.
    if (!loadIntoInputPane(path))
        return;
    m_filePath = path;
    m_textName = path;
    ShowTextLoaded(true);
    acCount->trigger();
}

} // namespace pelmar

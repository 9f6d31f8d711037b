#include "ui/main/MainWindow.h"

#include "desktop/ResultCard.h"
#include "desktop/RunPacer.h"
#include "measure/MeasureFiles.h"
#include "measure/MeasureLines.h"
#include "platform/TextFile.h"
#include "ui/common/BusyCursor.h"
#include "ui/main/MainToolBar.h"
#include "ui/main/OptionPanel.h"
#include "ui/main/TextPanes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

// Getting text into the window and measuring it.
namespace pelmar {

// --- batches -----------------------------------------------------------------------------

void TForm1::pause(int milliseconds) {
    // The window keeps painting while it waits, but takes no input: nothing may start
    // between the files of a batch.
    const qint64 start = m_clock();
    for (qint64 left = milliseconds; left > 0 && !m_closePending;
         left = milliseconds - (m_clock() - start)) {
        pump(false);
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(10, left)));
    }
}

void TForm1::MeasureFiles(QStringList paths) {
    if (m_measuring || m_inBatch)
        return;
    for (qsizetype i = paths.size() - 1; i >= 0; --i) {
        if (IsTextFileName(paths[i]))
            continue;
        if (!m_prompts->warningYesAbort(this, QString::fromUtf8(NotTextFileMessage)))
            return;
        paths.removeAt(i);
    }
    if (paths.isEmpty())
        return;

    m_inBatch = true;
    m_batchList = paths;
    m_batchMeasured = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        SetBatchIndex(static_cast<int>(i));
        LoadTextFile(paths[i]);
        const bool stopped = !countButtonCarriesStop() && acCount->isEnabled();
        if (stopped || m_closePending)
            break;
        if (i + 1 < paths.size())
            pause(m_batchPause);
    }
    m_inBatch = false;
    if (m_batchMeasured == 0) {
        // No file came in: what the pane holds is no batch file.
        SetBatchIndex(-1);
    } else {
        // Counting again measures the shown file at its place in the batch: the first file
        // replaces the pane's rows, header and all; a later one adds its row under them.
        m_batchMeasured = m_batchIndex;
    }
    if (m_options.afterMeasurement[after::ShowGraph])
        acLineGraph->trigger();
    if (m_closePending)
        QTimer::singleShot(0, this, &QWidget::close);
}

// --- measuring ------------------------------------------------------------------------------

bool TForm1::countButtonCarriesStop() const { return m_countButton->defaultAction() == acStop; }

void TForm1::SetMeasuring(bool on) {
    m_measuring = on;
    RichEdit1->setEnabled(!on);
    RichEdit2->setEnabled(!on);
    m_optionPanel->setEnabled(!on);
    for (QAction* menu : menuBar()->actions())
        menu->setEnabled(!on);
    if (on) {
        m_toolBar->setOtherButtonsEnabled(false, false);
        const bool replaces = m_batchIndex < 0 || m_batchMeasured == 0;
        if (replaces)
            RichEdit2->setPlainText(QString::fromUtf8(MeasuringText));
        m_toolBar->bindCountButton(acStop);
        pump();
        return;
    }

    acCount->setEnabled(false);
    acSave->setEnabled(true);
    acCopy->setEnabled(true);
    m_toolBar->setOtherButtonsEnabled(true, true);
    if (countButtonCarriesStop()) {
        if (m_options.afterMeasurement[after::SaveResult]) {
            if (m_batchIndex < 0)
                acSave->trigger();
            else
                SaveRecord(m_historyTarget, m_listName,
                           QString::fromStdString(BatchFileName(m_filePath)));
        }
        m_toolBar->bindCountButton(acCount);
    } else {
        // A stopped run leaves the previous run's totals: there is nothing new to save.
        acSave->setEnabled(false);
        acCount->setEnabled(true);
    }
}

void TForm1::acStopExecute() { m_toolBar->bindCountButton(acCount); }

void TForm1::acCountExecute() {
    if (m_measuring || m_loading)
        return;
    if (!m_wordData) {
        m_prompts->information(this, QString::fromUtf8(NoWordDataMessage));
        return;
    }
    m_status->clear();
    if (!m_panes->inputHasText()) {
        m_prompts->information(this, QString::fromUtf8(NoTextMessage));
        return;
    }
    const QString question = ConditionsQuestion(m_options);
    if (!question.isEmpty() && !m_prompts->warningYesAbort(this, question))
        return;

    // Everything from here to the shown result is one run: the window paints, the busy cursor
    // shows, and the stop button is answered at every step.
    const TBusyCursor busy;
    SetMeasuring(true);
    m_saved = false;
    acFlyGraph->setEnabled(false);
    acResult->setEnabled(false);
    const bool batch = m_batchIndex >= 0;
    const bool replaces = !batch || m_batchMeasured == 0;

    TRunPacer pacer(m_clock);
    const auto step = [&](TRunStep at, qsizetype done) {
        if (m_runHook)
            m_runHook(at, done);
        if (pacer.due()) {
            if (at == TRunStep::Measuring)
                m_progressBar->setValue(static_cast<int>(done));
            m_timeLabel->setText(QString::fromStdString(ElapsedText(pacer.elapsed() / 1000)));
            pump();
        }
        return countButtonCarriesStop();
    };
    std::vector<std::string> lines;
    const bool collected =
        m_panes->inputLines(lines, [&](qsizetype done) { return step(TRunStep::Collecting, done); });

    TMeasurement result;
    TPaneRows rows;
    if (!collected) {
        result.canceled = true;
        rows.add(CanceledText);
    } else {
        // The text as measured, for saving: the run rewrites lines that end in a hyphen.
        m_measuredLines = lines;
        // A copy: a change of the marks during a batch applies to the next file.
        const TMeasureOptions options = m_options;
        TMeasureRequest request;
        request.options = &options;
        if (batch) {
            request.batch.active = true;
            request.batch.first = m_batchMeasured == 0;
            request.batch.last = m_batchIndex + 1 >= m_batchList.size();
            request.batch.name = BatchFileName(m_filePath);
        }
        request.sink = [&rows](std::string_view row) { rows.add(row); };
        const int count = static_cast<int>(lines.size());
        m_progressBar->setRange(0, std::max(1, count - 1));
        m_progressBar->setValue(0);
        request.progress = [&](int line, long long) { return step(TRunStep::Measuring, line); };
        result = MeasureLines(lines, *m_engine, request);
        m_progressBar->setValue(m_progressBar->maximum());
    }
    lines = {};

    // The rows go into the pane piece by piece. A stop while they do still ends the run; after
    // a stop the rows measured so far are all shown.
    const QString text = rows.text();
    rows = {};
    const bool canceled = result.canceled;
    const bool shown = TTextPanes::fill(
        RichEdit2, !replaces, TTextPanes::piecesOf(text, 256 * 1024),
        [&](qsizetype done) { return step(TRunStep::Showing, done) || canceled; });
    const QString canceledMark =
        QString::fromUtf8(CanceledText.data(), static_cast<qsizetype>(CanceledText.size()));
    if (!shown) {
        RichEdit2->appendPlainText(canceledMark);
        result.canceled = true;
    }
    m_timeLabel->setText(QString::fromStdString(ElapsedText(pacer.elapsed() / 1000)));

    if (result.canceled) {
        m_status->setText(canceledMark);
    } else {
        m_status->setText(QString::fromStdString(FinishedStatusText(result.totals)));
        m_totals = result.totals;
        m_whole = result.whole;
        // The next fly action shows this text; later ones show the fly graph as it stands.
        m_flyHandOverDue = CanShowResultCard(m_totals);
        m_measuredName = m_textName.isEmpty() ? QStringLiteral("無題")
                                              : QString::fromStdString(BatchFileName(m_textName));
        if (m_allFeatures && m_totals.Sentences > 0 && m_totals.Words > 0) {
            acFlyGraph->setEnabled(true);
            acResult->setEnabled(true);
        }
    }
    if (batch)
        ++m_batchMeasured;

    SetMeasuring(false);
    if (m_closePending && !m_inBatch)
        QTimer::singleShot(0, this, &QWidget::close);
}

} // namespace pelmar

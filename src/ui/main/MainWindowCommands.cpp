#include "ui/main/MainWindow.h"

#include "desktop/ResultCard.h"
#include "fly/FlyValues.h"
#include "history/RecItem.h"
#include "measure/SaveRecord.h"
#include "platform/AppPaths.h"
#include "platform/DocumentLauncher.h"
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

// What the window does with finished results: copy, save, the other windows, help and mail.
namespace pelmar {

// --- results --------------------------------------------------------------------------------

void TForm1::acCopyExecute() {
    QGuiApplication::clipboard()->setText(ClipboardText(RichEdit2->toPlainText()));
    m_status->setText(QString::fromUtf8(CopiedStatusText));
}

QDateTime TForm1::nextSaveTime() {
    m_lastSave = NextSaveTime(m_lastSave);
    return m_lastSave;
}

bool TForm1::SaveRecord(const QString& historyFile, const QString& listName, const QString& title) {
    const QString folder = AppDataFolder();
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("texts")));
    QDir().mkpath(QFileInfo(historyFile).absolutePath());
    TSaveRecordInput input;
    input.historyFile = historyFile;
    input.listName = listName.toStdString();
    input.title = title;
    input.lines = &m_measuredLines;
    input.now = nextSaveTime();
    input.dataFolder = folder;
    input.totals = m_totals;
    input.whole = m_whole;
    const TSaveRecordResult result = pelmar::SaveRecord(input);
    if (!result.ok) {
        m_prompts->information(this, result.message);
        return false;
    }
    m_dateString = QString::fromStdString(result.key);
    m_saved = true;
    acSave->setEnabled(false);
    return true;
}

void TForm1::acSaveExecute() {
    QString title = DefaultSaveTitle(m_filePath);
    if (!(m_options.afterMeasurement[after::SaveResult] && !m_filePath.isEmpty())) {
        for (;;) {
            const std::optional<QString> answer =
                m_prompts->inputText(this, QString::fromUtf8(SaveTitlePrompt), title);
            if (!answer)
                return;
            if (!answer->isEmpty()) {
                title = *answer;
                break;
            }
        }
    }
    if (!SaveRecord(HistoryFilePath(), QStringLiteral("Index"), title))
        return;
    if (m_history) {
        m_history->show();
        m_history->raise();
        m_history->acDrawExecute();
    }
}

void TForm1::ShowRecordValues(const TRecItem& record) {
    PutRecordForFly(record, m_totals, m_whole);
    // The kept values now mix the record with the last measurement: saving them would store a
    // record of neither text, and the fly graph, which shows the record, must not take them
    // for the measured text under that text's name.
    acSave->setEnabled(false);
    m_flyHandOverDue = false;
}

void TForm1::acLineGraphExecute() {
    if (acSave->isEnabled()) {
        switch (m_prompts->confirmYesNoCancel(this, UnsavedResultsQuestion())) {
        case TAnswer::Cancel: return;
        case TAnswer::Yes: acSave->trigger(); break;
        case TAnswer::No: break;
        }
    }
    if (m_history) {
        m_history->show();
        m_history->raise();
    }
}

void TForm1::acFlyGraphExecute() {
    if (!m_fly)
        return;
    if (m_flyHandOverDue && m_allFeatures) {
        m_flyHandOverDue = false;
        m_fly->handOver(FlyValuesOf(m_totals, m_whole), m_measuredName);
        return;
    }
    m_fly->show();
    m_fly->raise();
}

void TForm1::acResultExecute() {
    if (!m_result || !CanShowResultCard(m_totals))
        return;
    m_result->fill(MakeResultCard(m_totals, m_whole));
    if (m_result->exec() == TFormResult::FlyResult)
        acFlyGraphExecute();
}

void TForm1::acHelpExecute() {
    TLauncherHooks hooks;
    hooks.message = [this](const QString& text) { m_prompts->information(this, text); };
    hooks.start = [this](const QString& program, const QStringList& arguments) {
        return m_prompts->startProgram(program, arguments);
    };
    hooks.openWithDesktop = [this](const QUrl& url) { return m_prompts->openUrl(url); };
    OpenDocument(m_helpDocument, QString(), hooks);
}

void TForm1::acVersionExecute() { m_prompts->information(this, VersionMessage(m_info)); }

void TForm1::SendSupportMail(TMailKind kind) {
    // Without a mail program the link goes nowhere: show the mail so it can be sent another way.
    if (!m_prompts->openUrl(QUrl(SupportMailLink(m_info, kind), QUrl::TolerantMode)))
        m_prompts->infoMessage(SupportMailText(m_info, kind));
}

} // namespace pelmar

#pragma once

#include "platform/AppPaths.h"
#include "ui/dialogs/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QThread>

#include <QPair>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace pelmar::test {

// Answers every question from queues (Yes when a queue is empty) and keeps what was asked.
class TFakePrompts : public TPrompts {
public:
    QStringList informations, warnings, confirmations, inputs, infoMessages, openFolders;
    QList<QUrl> urls;
    QList<QPair<QString, QStringList>> programs;
    std::deque<bool> warningAnswers;
    std::deque<TAnswer> confirmAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    QString openAnswer;
    bool openUrlAnswer = true;

    void information(QWidget*, const QString& text) override { informations << text; }
    bool warningYesAbort(QWidget*, const QString& text) override {
        warnings << text;
        return next(warningAnswers, true);
    }
    TAnswer confirmYesNoCancel(QWidget*, const QString& text) override {
        confirmations << text;
        return next(confirmAnswers, TAnswer::Yes);
    }
    std::optional<QString> inputText(QWidget*, const QString& caption,
                                     const QString& initial) override {
        inputs << caption + QStringLiteral("|") + initial;
        return next(inputAnswers, std::optional<QString>(initial));
    }
    QString openTextFile(QWidget*, const QString& folder) override {
        openFolders << folder;
        return openAnswer;
    }
    void infoMessage(const QString& text) override { infoMessages << text; }
    bool openUrl(const QUrl& url) override {
        urls << url;
        return openUrlAnswer;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        programs.append({program, arguments});
        return true;
    }

private:
    template <typename T> static T next(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A clock that moves on by one pump interval at every reading, so a run pumps the window's
// events at every step however fast the machine is.
inline std::function<qint64()> TickingClock() {
    auto now = std::make_shared<qint64>(0);
    return [now] { return *now += 50; };
}

// Pumps events until the condition holds, for work that posted events deliver (not for time
// passing: drive timers with a clock of the test's own). The time limit only ends a test whose
// condition never comes.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// Every window test starts and ends without the settings and data the program keeps, so no
// test sees what another one saved.
inline void forgetProgramFiles() {
    QFile::remove(SettingsFilePath());
    QDir(AppDataFolder()).removeRecursively();
}

} // namespace pelmar::test

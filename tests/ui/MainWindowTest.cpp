#include "ui/main/MainWindow.h"

#include "UiTestSupport.h"
#include "cli/CountCommand.h"
#include "measure/MeasureFiles.h"
#include "platform/AppPaths.h"
#include "storage/DataFile.h"
#include "ui/main/ToolIcons.h"
#include "ui/history/HistoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSet>
#include <QCursor>
#include <QTextBlock>
#include <QTextLayout>
#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sstream>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;
using test::TFakePrompts;

QString sampleText() {
    QFile file(QStringLiteral(PELMAR_SOURCE_DIR "/samples/sample.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::forgetProgramFiles();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        if (window)
            window->close();
        window.reset();
    }

    TForm1& open(bool show = true) {
        auto owned = std::make_unique<TFakePrompts>();
        prompts = owned.get();
        window = std::make_unique<TForm1>(std::move(owned));
        window->attachWindows(&history, nullptr, nullptr);
        window->setBatchPause(0);
        if (show) {
            window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        }
        return *window;
    }

    QAction* action(const char* name) const {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    template <typename T> T* child(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString input() const { return child<QPlainTextEdit>("RichEdit1")->toPlainText(); }
    QString output() const { return child<QPlainTextEdit>("RichEdit2")->toPlainText(); }
    QString status() const { return child<QLabel>("StatusText")->text(); }
    QToolButton* countButton() const { return child<QToolButton>("btnCount"); }

    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        action("acPaste")->trigger();
    }

    TForm2 history;
    TFakePrompts* prompts = nullptr;
    std::unique_ptr<TForm1> window;
};

TEST_F(MainWindowTest, StartsAsAPlainSyllableCounter) {
    TForm1& w = open();
    EXPECT_EQ(w.windowTitle(), u"Pelmar: " PELMAR_VERSION ""_s);
    EXPECT_EQ(input().split(u'\n').value(1), u"▼手順 １"_s);
    EXPECT_EQ(status(), u"テキスト13 行"_s);
    EXPECT_EQ(output(), QString());
    EXPECT_FALSE(action("acCount")->isEnabled());
    EXPECT_FALSE(action("acCopy")->isEnabled());
    EXPECT_FALSE(w.menuBar()->isVisible());
    EXPECT_FALSE(child<QWidget>("Panel2")->isVisible());
    for (const char* hidden : {"acSave", "acLineGraph", "acFlyGraph", "acResult"})
        EXPECT_FALSE(action(hidden)->isVisible()) << hidden;
    for (const char* shown : {"acClose", "acOpen", "acPaste", "acCopy"})
        EXPECT_TRUE(action(shown)->isVisible()) << shown;

    EXPECT_EQ(action("acCount")->text(), u"計測開始(&A)"_s);
    EXPECT_EQ(action("acCount")->toolTip(), u"リーダビリティを計測する"_s);
    EXPECT_EQ(action("acPaste")->toolTip(), u"クリップボードにあるテキストを取り込む"_s);
    EXPECT_EQ(action("acClose")->toolTip(), u"ペルマーを終わる"_s);
    EXPECT_EQ(action("acEditClear")->shortcut(), QKeySequence(u"Ctrl+X"_s));

    // Typing a character is enough to measure.
    QTest::keyClicks(child<QPlainTextEdit>("RichEdit1"), u"x"_s);
    EXPECT_TRUE(action("acCount")->isEnabled());
}

TEST_F(MainWindowTest, PasteCountAndCopyGiveTheCommandLinesText) {
    open();
    paste(sampleText());
    EXPECT_TRUE(action("acCount")->isEnabled());
    EXPECT_EQ(status(), LoadedStatusText(PaneLineCount(sampleText())));
    action("acCount")->trigger();
    EXPECT_TRUE(status().startsWith(u"計算終了 "_s)) << status().toStdString();
    EXPECT_TRUE(status().endsWith(u" consonants"_s));
    EXPECT_GT(window->totals().Words, 0);
    action("acCopy")->trigger();
    EXPECT_EQ(status(), u"クリップボードにコピーしました"_s);

    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(RunCountCommand({QStringLiteral(PELMAR_SOURCE_DIR "/samples/sample.txt")}, in, out,
                              err),
              0);
    std::string expected = out.str();
    ASSERT_FALSE(expected.empty());
    expected.pop_back(); // the command ends its last line; the clipboard does not
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
}

TEST_F(MainWindowTest, PasteWithoutTextOnTheClipboardKeepsEverything) {
    open();
    paste(u"Keep me."_s);
    action("acCount")->trigger();
    const QString measured = output();
    auto* picture = new QMimeData;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(picture);
    action("acPaste")->trigger();
    EXPECT_EQ(prompts->informations, QStringList{u"クリップボードにテキストがありません"_s});
    EXPECT_EQ(input(), u"Keep me."_s);
    EXPECT_EQ(output(), measured);
    EXPECT_TRUE(action("acCopy")->isEnabled());
}

TEST_F(MainWindowTest, CountActionFollowsTheStates) {
    open();
    EXPECT_FALSE(action("acCount")->isEnabled()); // start
    paste(u"Hello world.\nI am here."_s);         // text ready
    EXPECT_TRUE(action("acCount")->isEnabled());
    EXPECT_FALSE(action("acCopy")->isEnabled());
    EXPECT_EQ(status(), u"テキスト2 行"_s);
    action("acCount")->trigger(); // measured
    EXPECT_FALSE(action("acCount")->isEnabled());
    EXPECT_TRUE(action("acCopy")->isEnabled());
    EXPECT_EQ(output(), u"words\tsylla.\tcons.\tletters\n2\t3\t6\t10\n3\t3\t3\t7"_s);
    // The tool buttons come back as their actions say.
    EXPECT_TRUE(window->findChild<QToolBar*>(u"ToolBar1"_s)
                    ->widgetForAction(action("acCopy"))
                    ->isEnabled());
    EXPECT_EQ(countButton()->defaultAction(), action("acCount"));
    EXPECT_EQ(countButton()->actions().size(), 1); // no pop-up menu of old actions
    EXPECT_FALSE(countButton()->isEnabled());
    QTest::keyClick(child<QPlainTextEdit>("RichEdit1"), Qt::Key_End);
    QTest::keyClicks(child<QPlainTextEdit>("RichEdit1"), u" Yes."_s);
    EXPECT_TRUE(action("acCount")->isEnabled());
}

TEST_F(MainWindowTest, NothingToMeasure) {
    open(false);
    window->acCountExecute();
    EXPECT_EQ(prompts->informations, QStringList{u"データファイル pelmar.dat が ありません"_s});
    window->show();
    paste(u"  \n\t\n"_s);
    action("acCount")->trigger();
    EXPECT_EQ(prompts->informations.value(1), u"テキストがありません"_s);
    EXPECT_EQ(output(), QString());
}

TEST_F(MainWindowTest, StopDuringALongRunEndsWithCanceled) {
    open().setAllFeatures(true);
    paste(u"One short line.\nAnd another one."_s);
    action("acCount")->trigger();
    const TTextCounts before = window->totals();
    EXPECT_TRUE(action("acSave")->isEnabled());

    QStringList lines;
    for (int i = 0; i < 2000; ++i)
        lines << u"The quick brown fox jumps over the lazy dog, and then it rests."_s;
    paste(lines.join(u'\n'));
    window->setRunClock(test::TickingClock());
    bool sawMeasuringState = false;
    int progressAtStop = -1;
    window->setRunHook([&](TRunStep step, qsizetype line) {
        if (step != TRunStep::Measuring || line != 700)
            return;
        sawMeasuringState = countButton()->defaultAction() == action("acStop") &&
                            !child<QPlainTextEdit>("RichEdit1")->isEnabled() &&
                            !window->findChild<QToolBar*>(u"ToolBar1"_s)
                                 ->widgetForAction(action("acOpen"))
                                 ->isEnabled() &&
                            output() == u"計算中・・・"_s;
        progressAtStop = child<QProgressBar>("ProgressBar1")->value();
        // The click arrives while the run pumps its events, as a user's would.
        QTimer::singleShot(0, window.get(), [this] { QTest::mouseClick(countButton(), Qt::LeftButton); });
    });
    action("acCount")->trigger();

    EXPECT_TRUE(sawMeasuringState);
    // The progress bar followed the run up to the line before.
    EXPECT_EQ(progressAtStop, 699);
    const QStringList rows = output().split(u'\n');
    // The header, the rows of lines 0 to 700, then the mark: the click is seen at once.
    ASSERT_EQ(rows.size(), 703);
    EXPECT_EQ(rows.last(), u"CANCELED"_s);
    EXPECT_EQ(status(), u"CANCELED"_s);
    EXPECT_TRUE(action("acCount")->isEnabled());
    EXPECT_TRUE(action("acCopy")->isEnabled());
    // The kept values are still the last finished run's, so they cannot be saved with this text.
    EXPECT_FALSE(action("acSave")->isEnabled());
    EXPECT_EQ(window->totals().Words, before.Words);
    EXPECT_EQ(window->totals().Syllables, before.Syllables);
    EXPECT_EQ(countButton()->defaultAction(), action("acCount"));
}

// Reading the lines out of the pane, measuring them and showing the result are one run: a stop
// at any of them ends it, the pane ends with the mark and the kept values stay the last run's.
TEST_F(MainWindowTest, StopIsAnsweredInEveryStepOfARunUnderABusyCursor) {
    open();
    paste(u"One short line."_s);
    action("acCount")->trigger();
    const TTextCounts before = window->totals();
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << u"Every step of a run answers the stop button at once."_s;
    struct Case {
        TRunStep step;
        int rowsBeforeMark; // -1: not checked
    } cases[] = {{TRunStep::Collecting, 0}, {TRunStep::Measuring, 1 + 301}, {TRunStep::Showing, -1}};
    for (const Case& c : cases) {
        paste(lines.join(u'\n'));
        window->setRunClock(test::TickingClock());
        QSet<int> cursors;
        bool clicked = false;
        window->setRunHook([&](TRunStep step, qsizetype done) {
            if (const QCursor* cursor = QApplication::overrideCursor())
                cursors << cursor->shape();
            else
                cursors << -1;
            if (step != c.step || done < 300 || clicked)
                return;
            clicked = true;
            QTimer::singleShot(0, window.get(), [this] { QTest::mouseClick(countButton(), Qt::LeftButton); });
        });
        action("acCount")->trigger();
        window->setRunHook(nullptr);
        EXPECT_TRUE(clicked) << int(c.step);
        const QStringList rows = output().split(u'\n');
        EXPECT_EQ(rows.last(), u"CANCELED"_s) << int(c.step);
        if (c.rowsBeforeMark >= 0) {
            EXPECT_EQ(rows.size() - 1, c.rowsBeforeMark) << int(c.step);
        }
        EXPECT_EQ(status(), u"CANCELED"_s) << int(c.step);
        EXPECT_EQ(window->totals().Words, before.Words) << int(c.step);
        EXPECT_TRUE(action("acCount")->isEnabled()) << int(c.step);
        EXPECT_EQ(cursors, QSet<int>{Qt::BusyCursor}) << int(c.step);
        // The clock shows the run's own time, read from the run's clock.
        EXPECT_NE(child<QLabel>("lbTime")->text(), u"00:00"_s) << int(c.step);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(MainWindowTest, ALongFileLoadsUnderABusyCursorWhileTheWindowPaints) {
    QTemporaryDir dir;
    QByteArray text;
    for (int i = 0; i < 20000; ++i)
        text += "A line of a long file that goes into the pane piece by piece.\n";
    const QString path = writeFile(dir, u"long.txt"_s, text);
    open();
    window->setRunClock(test::TickingClock());
    int steps = 0, busy = 0, painted = 0;
    window->setRunHook([&](TRunStep step, qsizetype) {
        ++steps;
        busy += step == TRunStep::Loading && QApplication::overrideCursor() &&
                QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        // Posted before this step's pump, handled by it.
        QTimer::singleShot(0, window.get(), [&] { ++painted; });
    });
    prompts->openAnswer = path;
    action("acOpen")->trigger();
    EXPECT_EQ(PaneLines(input()).size(), 20000u);
    EXPECT_EQ(status(), u"テキスト20000 行"_s);
    EXPECT_GT(steps, 5); // read, then put in, in pieces
    EXPECT_EQ(busy, steps);
    EXPECT_GE(painted, steps - 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, ClosingDuringARunStopsItAndThenCloses) {
    open();
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << u"Closing the window while it counts must not lose the settings."_s;
    paste(lines.join(u'\n'));
    bool closed = false;
    QObject::connect(window.get(), &TForm1::closed, window.get(), [&] { closed = true; });
    window->setRunHook([this](TRunStep step, qsizetype line) {
        if (step == TRunStep::Measuring && line == 10)
            window->close();
    });
    action("acCount")->trigger();
    EXPECT_EQ(output().split(u'\n').size(), 13); // header, 11 rows, the mark
    EXPECT_EQ(output().split(u'\n').last(), u"CANCELED"_s);
    EXPECT_FALSE(closed); // not while the run was still on the stack
    QCoreApplication::processEvents();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFile::exists(SettingsFilePath()));
}

TEST_F(MainWindowTest, SpecialConditionsAreConfirmedFirst) {
    TForm1& w = open();
    w.setAllFeatures(true);
    auto* conditions = child<QListWidget>("clbConditions");
    ASSERT_TRUE(conditions->isVisible());
    // A click on the text toggles the mark once.
    for (int row : {2, 4}) {
        const QRect rect = conditions->visualItemRect(conditions->item(row));
        QTest::mouseClick(conditions->viewport(), Qt::LeftButton, {}, rect.center());
    }
    EXPECT_TRUE(w.options().conditions[condition::LineBreakEnds]);
    EXPECT_TRUE(w.options().conditions[condition::SemicolonKeeps]);
    EXPECT_EQ(conditions->item(2)->checkState(), Qt::Checked);

    paste(u"Hello world\n. Next."_s);
    prompts->warningAnswers = {false};
    action("acCount")->trigger();
    ASSERT_EQ(prompts->warnings.size(), 1);
    EXPECT_EQ(prompts->warnings[0], ConditionsQuestion(w.options()));
    EXPECT_TRUE(prompts->warnings[0].endsWith(u"3 改行を文区切りとする\r\n5 セミコロンを文区切りとしない\r\n"_s));
    EXPECT_EQ(output(), QString());
    EXPECT_TRUE(action("acCount")->isEnabled());

    prompts->warningAnswers = {true};
    action("acCount")->trigger();
    EXPECT_EQ(prompts->warnings.size(), 2);
    EXPECT_TRUE(status().startsWith(u"計算終了 "_s));
}

TEST_F(MainWindowTest, LowerCaseSentenceStartsCountOnlyWhereTheRuleReaches) {
    TForm1& w = open();
    w.setAllFeatures(true);
    action("acViewFull")->trigger();
    // Per line: sentences with the defaults, then with "2 小文字始まりの文頭を認める".
    const struct {
        QString line;
        int plain, lowerStart;
    } cases[] = {
        // A letter glued to the terminator may start a sentence: here the rule tells.
        {u"He said e.g. this."_s, 1, 2},
        {u"It ended.a new day began."_s, 1, 2},
        // A lower-case word after a blank goes on with the sentence whatever the mark says, and
        // a capital after the terminator ends it either way.
        {u"Dr. smith came in."_s, 1, 1},
        {u"Stop!Now we go."_s, 2, 2},
    };
    QStringList lines;
    for (const auto& c : cases)
        lines << c.line;
    const auto sentencesPerLine = [&] {
        QList<int> counts;
        const QStringList rows = output().split(u'\n');
        for (qsizetype i = 1; i <= qsizetype(std::size(cases)); ++i)
            counts << rows.value(i).section(u'\t', 1, 1).toInt();
        return counts;
    };
    paste(lines.join(u'\n'));
    action("acCount")->trigger();
    const QList<int> plain = sentencesPerLine();

    auto* conditions = child<QListWidget>("clbConditions");
    const QRect rect = conditions->visualItemRect(conditions->item(condition::LowerStart));
    QTest::mouseClick(conditions->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_TRUE(w.options().conditions[condition::LowerStart]);
    paste(lines.join(u'\n'));
    action("acCount")->trigger();
    ASSERT_EQ(prompts->warnings.size(), 1);
    EXPECT_TRUE(prompts->warnings[0].endsWith(u"2 小文字始まりの文頭を認める\r\n"_s));
    const QList<int> lowerStart = sentencesPerLine();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(plain.value(qsizetype(i)), cases[i].plain) << cases[i].line.toStdString();
        EXPECT_EQ(lowerStart.value(qsizetype(i)), cases[i].lowerStart) << cases[i].line.toStdString();
    }
}

TEST_F(MainWindowTest, ViewModesSetTheResultColumns) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"Hello world.\nI am here."_s);
    action("acViewSimple")->trigger();
    action("acCount")->trigger();
    EXPECT_EQ(output(), u"sylla.\n3\n3"_s);
    EXPECT_EQ(child<QListWidget>("clbDisplay")->item(6)->checkState(), Qt::Unchecked);
    // The fly and result commands wake up after a run with sentences and words.
    EXPECT_TRUE(action("acFlyGraph")->isEnabled());
    EXPECT_TRUE(action("acResult")->isEnabled());
    EXPECT_TRUE(action("acLineGraph")->isEnabled());
}

TEST_F(MainWindowTest, WideRowsScrollSidewaysInsteadOfWrapping) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"A line that is long enough to give every column a number of its own."_s);
    action("acViewFull")->trigger();
    w.options().readability.fill(true);
    action("acCount")->trigger();
    auto* pane = child<QPlainTextEdit>("RichEdit2");
    EXPECT_EQ(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
    pane->document()->adjustSize();
    QCoreApplication::processEvents();
    // Each row is one line of the pane, however narrow the pane is.
    int shownLines = 0;
    for (QTextBlock block = pane->document()->firstBlock(); block.isValid(); block = block.next()) {
        pane->document()->documentLayout()->blockBoundingRect(block); // lays the block out
        shownLines += block.layout()->lineCount();
    }
    EXPECT_EQ(shownLines, output().split(u'\n').size());
    EXPECT_GT(pane->horizontalScrollBar()->maximum(), 0);
}

TEST_F(MainWindowTest, EveryVisibleCommandHasAnAccessKeyOfItsOwn) {
    TForm1& w = open();
    const auto keysShown = [&] {
        QStringList keys;
        auto add = [&](const QString& text) {
            const qsizetype amp = text.indexOf(u'&');
            if (amp >= 0 && amp + 1 < text.size())
                keys << text.mid(amp + 1, 1).toUpper();
        };
        for (QAction* a : w.findChild<QToolBar*>(u"ToolBar1"_s)->actions())
            if (QWidget* button = w.findChild<QToolBar*>(u"ToolBar1"_s)->widgetForAction(a);
                button && a->isVisible())
                if (auto* tool = qobject_cast<QToolButton*>(button))
                    add(tool->text());
        if (w.menuBar()->isVisible())
            for (QAction* menu : w.menuBar()->actions())
                add(menu->text());
        return keys;
    };
    for (bool all : {false, true}) {
        w.setAllFeatures(all);
        const QStringList keys = keysShown();
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size())
            << all << ": " << keys.join(u' ').toStdString();
        EXPECT_GE(keys.size(), all ? 13 : 6);
    }
    EXPECT_EQ(action("acOpen")->shortcut(), QKeySequence(u"Ctrl+O"_s));
    EXPECT_EQ(action("acHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(action("acClose")->shortcut(), QKeySequence(u"Ctrl+Q"_s));
    // F1 reaches the manual from anywhere in the window.
    QTest::keyClick(child<QPlainTextEdit>("RichEdit1"), Qt::Key_F1);
    EXPECT_EQ(prompts->informations.size(), 1);
    QTest::keyClick(child<QPlainTextEdit>("RichEdit1"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, TabMovesOnFromThePanesWithoutTouchingTheText) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"Hello world."_s);
    auto* in = child<QPlainTextEdit>("RichEdit1");
    auto* out = child<QPlainTextEdit>("RichEdit2");
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto waitForFocus = [](QWidget* widget) {
        return test::waitFor([widget] { return widget->hasFocus(); });
    };
    in->setFocus();
    ASSERT_TRUE(waitForFocus(in));
    QTest::keyClick(in, Qt::Key_Tab);
    EXPECT_EQ(input(), u"Hello world."_s);
    EXPECT_FALSE(in->hasFocus());
    // On through the output pane to the option lists, and back with Shift+Tab.
    out->setFocus();
    ASSERT_TRUE(waitForFocus(out));
    QTest::keyClick(out, Qt::Key_Tab);
    EXPECT_FALSE(out->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(out->hasFocus());
}

TEST_F(MainWindowTest, TheHelpMenuOpensAtThePointerOrUnderTheButton) {
    open();
    auto* button = child<QToolButton>("btnHelp");
    const auto openedAt = [&] {
        QPoint at(-1, -1);
        QTimer::singleShot(0, [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                at = menu->pos();
                menu->close();
            }
        });
        button->click();
        return at;
    };
    const QPoint onButton = button->mapToGlobal(button->rect().center());
    QCursor::setPos(onButton);
    EXPECT_EQ(openedAt(), onButton);
    // From the keyboard, with the pointer somewhere else on the screen.
    QCursor::setPos(button->mapToGlobal(QPoint(-300, 300)));
    EXPECT_EQ(openedAt(), button->mapToGlobal(button->rect().bottomLeft()));
}

TEST_F(MainWindowTest, EveryCommandStaysOnTheToolBarAtTheNarrowestWindow) {
    TForm1& w = open();
    auto* bar = w.findChild<QToolBar*>(u"ToolBar1"_s);
    for (bool all : {false, true, false}) {
        w.setAllFeatures(all);
        w.resize(w.minimumWidth(), w.height());
        QCoreApplication::processEvents();
        EXPECT_EQ(w.width(), w.minimumWidth());
        for (QAction* a : bar->actions()) {
            if (!a->isVisible())
                continue;
            QWidget* item = bar->widgetForAction(a);
            ASSERT_NE(item, nullptr);
            EXPECT_TRUE(item->isVisible()) << all << " " << a->text().toStdString();
            EXPECT_TRUE(bar->rect().contains(item->geometry()))
                << all << " " << a->text().toStdString();
        }
        const auto* more = bar->findChild<QWidget*>(u"qt_toolbar_ext_button"_s);
        EXPECT_TRUE(!more || !more->isVisible()) << all;
        // Never wider than the design width, so the window fits an 800-pixel screen with all
        // its commands too.
        EXPECT_EQ(w.minimumWidth(), 743) << all;
    }
}

TEST_F(MainWindowTest, TheToolBarShowsTheProgramsOwnPictures) {
    TForm1& w = open();
    w.setAllFeatures(true);
    const auto same = [](const QIcon& a, const QIcon& b) {
        return !a.isNull() && a.pixmap(24).toImage() == b.pixmap(24).toImage();
    };
    const std::pair<const char*, const char*> pictures[] = {
        {"acClose", "close"}, {"acOpen", "open"},         {"acPaste", "paste"},
        {"acCount", "count"}, {"acStop", "stop"},         {"acCopy", "copy"},
        {"acSave", "save"},   {"acLineGraph", "linegraph"}, {"acFlyGraph", "fly"},
        {"acResult", "result"}, {"acHelp", "help"}};
    for (const auto& [name, picture] : pictures)
        EXPECT_TRUE(same(action(name)->icon(), ToolIcon(picture))) << name;
    EXPECT_TRUE(same(child<QToolButton>("btnHelp")->icon(), ToolIcon("help")));
    EXPECT_TRUE(ToolIcon("no such picture").isNull());
    // Every picture is drawn, not empty.
    const QImage help = ToolIcon("help").pixmap(24).toImage();
    EXPECT_NE(help.pixelColor(12, 12).alpha(), 0);
}

TEST_F(MainWindowTest, TwoDroppedFilesAreRefused) {
    QTemporaryDir dir;
    const QString a = writeFile(dir, u"a.txt"_s, "One.");
    const QString b = writeFile(dir, u"b.txt"_s, "Two.");
    open();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(prompts->informations.isEmpty()); // the drop comes back before it is handled
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts->informations, QStringList{u"Ｄ＆Ｄで取り込むファイルは１つだけです"_s});
    EXPECT_EQ(output(), QString());
    EXPECT_FALSE(window->options().resultDisplay[display::Total]);
}

TEST_F(MainWindowTest, ADroppedTextIsMeasuredAsABatchRow) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"lesson one.txt"_s, "The cat sat.\r\nIt was happy.\r\n");
    open();
    window->DropFiles({path});
    EXPECT_TRUE(window->options().resultDisplay[display::Total]);
    EXPECT_TRUE(window->options().resultDisplay[display::Summary]);
    const QStringList rows = output().split(u'\n');
    ASSERT_EQ(rows.size(), 2) << output().toStdString();
    EXPECT_TRUE(rows[0].startsWith(u"No\tsent.\tphrase"_s));
    EXPECT_TRUE(rows[1].startsWith(u"lesson one\t2\t"_s)) << rows[1].toStdString();
    EXPECT_EQ(child<QLabel>("lbBatch")->text(), u"1/1"_s);
    EXPECT_EQ(window->windowTitle(), u"lesson one - Pelmar"_s);
    EXPECT_EQ(window->totals().Sentences, 2);

    // Changed and measured again, the file's new row replaces the old one.
    child<QPlainTextEdit>("RichEdit1")->appendPlainText(u"And it slept."_s);
    action("acCount")->trigger();
    const QStringList again = output().split(u'\n');
    ASSERT_EQ(again.size(), 2) << output().toStdString();
    EXPECT_TRUE(again[0].startsWith(u"No\tsent.\tphrase"_s));
    EXPECT_TRUE(again[1].startsWith(u"lesson one\t3\t"_s)) << again[1].toStdString();

    // Pasting afterwards is no file any more.
    paste(u"Pasted."_s);
    EXPECT_EQ(window->windowTitle(), u"Pelmar: " PELMAR_VERSION ""_s);
    EXPECT_EQ(window->filePath(), QString());
    EXPECT_EQ(child<QLabel>("lbBatch")->text(), QString());
}

TEST_F(MainWindowTest, NonTextFilesInABatch) {
    QTemporaryDir dir;
    const QString text = writeFile(dir, u"story.TXT"_s, "A story.");
    const QString doc = writeFile(dir, u"notes.doc"_s, "not text");
    open();
    prompts->warningAnswers = {false};
    window->MeasureFiles({text, doc});
    EXPECT_EQ(prompts->warnings, QStringList{u"扱えるのは テキストファイル(.txt)だけです"_s});
    EXPECT_EQ(output(), QString());

    window->options().resultDisplay[display::Total] = true;
    prompts->warningAnswers = {true};
    window->MeasureFiles({text, doc});
    EXPECT_EQ(prompts->warnings.size(), 2);
    EXPECT_TRUE(output().split(u'\n').value(1).startsWith(u"story\t"_s)) << output().toStdString();
}

TEST_F(MainWindowTest, ABatchOfFilesCollectsOneRowEach) {
    QTemporaryDir dir;
    const QString one = writeFile(dir, u"one.txt"_s, "One day.");
    const QString two = writeFile(dir, u"two.txt"_s, "\x93\xFA\x96\x7B and two days.\r\n");
    const QString gone = dir.filePath(u"gone.txt"_s);
    open();
    window->options().resultDisplay[display::Total] = true;
    window->options().resultDisplay[display::Legend] = true;
    window->MeasureFiles({gone, one, two});
    EXPECT_EQ(prompts->informations, QStringList{u"ファイルがありません\r\n\r\n"_s + gone});
    const QStringList rows = output().split(u'\n');
    ASSERT_GE(rows.size(), 4) << output().toStdString();
    // The first file measured writes the header, even when an earlier one was missing.
    EXPECT_TRUE(rows[0].startsWith(u"No\t"_s));
    EXPECT_TRUE(rows[1].startsWith(u"one\t1\t"_s));
    EXPECT_TRUE(rows[2].startsWith(u"two\t1\t"_s));
    EXPECT_EQ(rows[3], QString());
    EXPECT_TRUE(rows[4].startsWith(u"sent\t"_s));
    EXPECT_EQ(child<QLabel>("lbBatch")->text(), u"3/3"_s);
}

TEST_F(MainWindowTest, OpenReadsUtf8AndCp932) {
    QTemporaryDir dir;
    const QString cp932 = writeFile(dir, u"sjis.txt"_s, "\x93\xFA\x96\x7B\r\nTwo words.\r\n");
    open();
    prompts->openAnswer = cp932;
    action("acOpen")->trigger();
    EXPECT_EQ(input(), u"日本\nTwo words.\n"_s);
    EXPECT_EQ(status(), u"テキスト2 行"_s);
    EXPECT_TRUE(action("acCount")->isEnabled());
    EXPECT_EQ(output(), QString()); // opening does not measure
    const QString utf8 = writeFile(dir, u"utf8.txt"_s, "\xEF\xBB\xBF\xE6\x97\xA5 ok");
    prompts->openAnswer = utf8;
    action("acOpen")->trigger();
    EXPECT_EQ(input(), u"日 ok"_s);
    EXPECT_EQ(prompts->openFolders, (QStringList{QString(), QFileInfo(cp932).absolutePath()}));
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedKeepsThePreviousText) {
    QTemporaryDir dir;
    open();
    struct Case {
        QString path;
        QString message;
    } cases[] = {
        {dir.filePath(u"gone.txt"_s), u"ファイルがありません"_s},
        {dir.filePath(u"notes.txt"_s), u"フォルダは読み込めません"_s},
    };
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"notes.txt"_s)));
    for (const Case& c : cases) {
        paste(u"Keep me."_s);
        prompts->informations.clear();
        prompts->openAnswer = c.path;
        action("acOpen")->trigger();
        ASSERT_EQ(prompts->informations.size(), 1);
        EXPECT_TRUE(prompts->informations[0].startsWith(c.message)) << c.path.toStdString();
        EXPECT_EQ(input(), u"Keep me."_s);
        // A dropped file is measured as a batch of one, with the same message.
        prompts->informations.clear();
        window->DropFiles({c.path});
        EXPECT_TRUE(prompts->informations.value(0).startsWith(c.message)) << c.path.toStdString();
        EXPECT_EQ(input(), u"Keep me."_s);
        // The pane still holds the pasted text, no file: it is measured and saved as such, not
        // as a batch row under the name of the file that never came in.
        EXPECT_EQ(window->filePath(), QString());
        EXPECT_EQ(child<QLabel>("lbBatch")->text(), QString());
        action("acCount")->trigger();
        EXPECT_TRUE(output().startsWith(u"words\tsylla."_s)) << output().toStdString();
        EXPECT_TRUE(output().contains(u"\ntotal\t1\t"_s)) << output().toStdString();
        window->setAllFeatures(true);
        prompts->inputs.clear();
        prompts->inputAnswers = {std::nullopt};
        action("acSave")->trigger();
        EXPECT_EQ(prompts->inputs, QStringList{u"結果保存、テキスト名を入力|テキスト名 無題"_s});
        window->setAllFeatures(false);
    }
}

TEST_F(MainWindowTest, AFileThatIsNoTextIsLoadedOnlyWhenTheUserSaysSo) {
    QTemporaryDir dir;
    const QString binary = writeFile(dir, u"picture.txt"_s, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    open();
    paste(u"Keep me."_s);
    prompts->openAnswer = binary;
    prompts->warningAnswers = {false};
    action("acOpen")->trigger();
    ASSERT_EQ(prompts->warnings.size(), 1);
    EXPECT_TRUE(prompts->warnings[0].contains(u"テキストファイルではないようです"_s));
    EXPECT_EQ(input(), u"Keep me."_s);
    prompts->warningAnswers = {true};
    action("acOpen")->trigger();
    EXPECT_EQ(prompts->warnings.size(), 2);
    EXPECT_TRUE(input().endsWith(u"IHDR"_s)) << input().toStdString();
}

TEST_F(MainWindowTest, SettingsAreWrittenOnCloseAndReadBack) {
    {
        TForm1& w = open();
        EXPECT_EQ(w.size(), QSize(743, 490));
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        EXPECT_EQ(w.pos(), QPoint((screen.width() - 743) / 2, (screen.height() - 490) / 2));
        EXPECT_EQ(child<QPlainTextEdit>("RichEdit2")->width(), 207);
        w.move(20, 30);
        w.resize(760, 470);
        auto* splitter = child<QSplitter>("Splitter1");
        QList<int> sizes = splitter->sizes();
        sizes = {sizes[0] + sizes[1] - 260, 260};
        splitter->setSizes(sizes);
        w.close();
        window.reset();
    }
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(u"Position/left"_s).toInt(), 20);
    EXPECT_EQ(settings.value(u"Position/top"_s).toInt(), 30);
    EXPECT_EQ(settings.value(u"Position/width"_s).toInt(), 760);
    EXPECT_EQ(settings.value(u"Position/height"_s).toInt(), 470);
    EXPECT_EQ(settings.value(u"Position/rightwidth"_s).toInt(), 260);
    EXPECT_EQ(settings.value(u"View/AllFeatures"_s).toInt(), 0);

    TForm1& again = open();
    EXPECT_EQ(again.pos(), QPoint(20, 30));
    EXPECT_EQ(again.size(), QSize(760, 470));
    EXPECT_EQ(child<QPlainTextEdit>("RichEdit2")->width(), 260);
}

TEST_F(MainWindowTest, ASavedPlaceOffTheScreenOrDamagedComesBackWhollyOnIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* name;
        int left, top, width, height;
    } cases[] = {
        {"off every screen", 5000, -3000, 750, 490},
        {"saved on a larger monitor", 0, 0, screen.width() + 600, screen.height() + 400},
        {"damaged", 0, 0, 100000, -20},
        {"bottom edge", 10, screen.bottom() - 300, 743, 490},
    };
    for (const Case& c : cases) {
        {
            QSettings settings(SettingsFilePath(), QSettings::IniFormat);
            settings.setValue(u"Position/left"_s, c.left);
            settings.setValue(u"Position/top"_s, c.top);
            settings.setValue(u"Position/width"_s, c.width);
            settings.setValue(u"Position/height"_s, c.height);
        }
        TForm1& w = open();
        // The frame, not just the client area, lies on the screen.
        EXPECT_TRUE(screen.contains(w.frameGeometry())) << c.name;
        EXPECT_GE(w.width(), 743) << c.name;
        EXPECT_GT(w.height(), 100) << c.name;
        window->close();
        window.reset();
    }
    // Off to the right: flush with the screen's right edge.
    QSettings(SettingsFilePath(), QSettings::IniFormat).setValue(u"Position/left"_s, 5000);
    EXPECT_EQ(open().frameGeometry().right(), screen.right());
}

TEST_F(MainWindowTest, AllFeaturesAreKeptInTheSettings) {
    {
        TForm1& w = open();
        action("acAllFeatures")->trigger();
        EXPECT_TRUE(w.allFeatures());
        EXPECT_TRUE(w.menuBar()->isVisible());
        EXPECT_TRUE(child<QWidget>("Panel2")->isVisible());
        EXPECT_TRUE(child<QWidget>("gbAfter")->isVisible());
        EXPECT_FALSE(child<QWidget>("clbRules")->isVisible());
        EXPECT_TRUE(action("acSave")->isVisible());
        w.close();
        window.reset();
    }
    EXPECT_EQ(QSettings(SettingsFilePath(), QSettings::IniFormat).value(u"View/AllFeatures"_s), 1);
    TForm1& w = open();
    EXPECT_TRUE(w.allFeatures());
    EXPECT_TRUE(action("acAllFeatures")->isChecked());
    // Turning them off returns to the defaults nobody could see any more.
    w.options().conditions[condition::LineBreakEnds] = true;
    action("acAllFeatures")->trigger();
    EXPECT_FALSE(w.menuBar()->isVisible());
    EXPECT_FALSE(w.options().anyCondition());
}

TEST_F(MainWindowTest, SavingAsksForATitleAndKeepsEveryRecord) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"Save me."_s);
    action("acCount")->trigger();
    prompts->inputAnswers = {QString(), u"My text"_s};
    action("acSave")->trigger();
    EXPECT_EQ(prompts->inputs, (QStringList{u"結果保存、テキスト名を入力|テキスト名 無題"_s,
                                            u"結果保存、テキスト名を入力|テキスト名 無題"_s}));
    EXPECT_TRUE(w.saved());
    EXPECT_FALSE(action("acSave")->isEnabled());
    EXPECT_TRUE(history.isVisible());
    EXPECT_TRUE(QFile::exists(TForm1::HistoryFilePath()));
    const QString first = w.dateString();
    // Two saves within one second still get two records.
    ASSERT_TRUE(w.SaveRecord(TForm1::HistoryFilePath(), u"Index"_s, u"again"_s));
    EXPECT_NE(w.dateString(), first);
    EXPECT_EQ(QDir(AppDataFolder() + u"/texts"_s).entryList(QDir::Files).size(), 2);
    history.hide();
}

TEST_F(MainWindowTest, AFailedSaveCanBeTriedAgainAndGivesOneRecord) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"Save me once."_s);
    action("acCount")->trigger();
    // A file where the texts folder belongs: the text cannot be written, whoever runs this.
    ASSERT_TRUE(QDir().mkpath(AppDataFolder()));
    QFile blocker(AppDataFolder() + u"/texts"_s);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    action("acSave")->trigger();
    ASSERT_EQ(prompts->informations.size(), 1);
    EXPECT_TRUE(prompts->informations[0].contains(u"に書き込めません"_s));
    EXPECT_FALSE(w.saved());
    EXPECT_TRUE(action("acSave")->isEnabled());
    EXPECT_FALSE(history.isVisible());

    ASSERT_TRUE(QFile::remove(AppDataFolder() + u"/texts"_s));
    action("acSave")->trigger();
    EXPECT_TRUE(w.saved());
    TDataIndexFile records(TForm1::HistoryFilePath());
    EXPECT_EQ(records.ReadSection("Index").size(), 1u);
    history.hide();
}

TEST_F(MainWindowTest, LineGraphAsksToSaveUnsavedResults) {
    TForm1& w = open();
    w.setAllFeatures(true);
    paste(u"Graph me."_s);
    action("acCount")->trigger();
    prompts->confirmAnswers = {TAnswer::Cancel};
    action("acLineGraph")->trigger();
    EXPECT_EQ(prompts->confirmations, QStringList{UnsavedResultsQuestion()});
    EXPECT_FALSE(history.isVisible());
    prompts->confirmAnswers = {TAnswer::No};
    action("acLineGraph")->trigger();
    EXPECT_TRUE(history.isVisible());
    EXPECT_TRUE(action("acSave")->isEnabled());
    history.hide();
}

TEST_F(MainWindowTest, HelpVersionAndSupportMail) {
    open();
    action("acHelp")->trigger();
    const QString manual = QDir(QCoreApplication::applicationDirPath()).filePath(u"pelmar.pdf"_s);
    EXPECT_EQ(prompts->informations, QStringList{u"ファイルがありません\r\n\r\n"_s + manual});

    action("acVersion")->trigger();
    ASSERT_EQ(prompts->informations.size(), 2);
    EXPECT_TRUE(prompts->informations[1].startsWith(u"----- バージョン情報 -----\r\n\r\n\r\n名前： Pelmar\r\n"_s));
    EXPECT_TRUE(prompts->informations[1].contains(u"実行ファイル： "_s + QCoreApplication::applicationFilePath()));

    action("acError")->trigger();
    ASSERT_EQ(prompts->urls.size(), 1);
    EXPECT_EQ(prompts->urls[0].scheme(), u"mailto"_s);
    EXPECT_EQ(prompts->urls[0].path(), u"support@pelmar.invalid"_s);
    EXPECT_TRUE(prompts->urls[0].query().contains(u"subject=Pelmar誤作動"_s));
    EXPECT_TRUE(prompts->infoMessages.isEmpty());

    // No mail program takes the link: the mail is shown, to be copied and sent another way.
    prompts->openUrlAnswer = false;
    action("acWish")->trigger();
    ASSERT_EQ(prompts->infoMessages.size(), 1);
    const QString& mail = prompts->infoMessages[0];
    EXPECT_TRUE(mail.startsWith(u"メールソフトが設定されていないため"_s)) << mail.toStdString();
    EXPECT_TRUE(mail.contains(u"宛先： support@pelmar.invalid\r\n件名： Pelmar要望\r\n"_s));
    EXPECT_TRUE(mail.endsWith(u"用件をお書きください"_s));
}

} // namespace
} // namespace pelmar

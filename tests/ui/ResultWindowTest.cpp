#include "ui/dialogs/ResultWindow.h"

// GCC 12 sees the fake prompts' optional answers as maybe uninitialised when inlined here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "UiTestSupport.h"
#pragma GCC diagnostic pop
#include "platform/AppPaths.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

// Three sentences of fourteen words.
const QString FourteenWordSentences = u"One two three four five six seven eight nine ten eleven "
                                      u"twelve thirteen fourteen.\n"_s.repeated(3);

class ResultWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::forgetProgramFiles();
        window = std::make_unique<TForm1>(std::make_unique<test::TFakePrompts>());
        window->attachWindows(&history, &fly, &result);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->setAllFeatures(true);
    }
    void TearDown() override {
        fly.close();
        window->close();
        window.reset();
        QFile::remove(SettingsFilePath());
    }

    void measure(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        trigger("acPaste");
        trigger("acCount");
    }
    void trigger(const char* name) {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    // Runs `answer` on the modal window once the action below has opened it.
    void whenModal(std::function<void(QWidget&)> answer) {
        QTimer::singleShot(0, &guard, [this, answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++modalsSeen;
                answer(*modal);
            }
        });
    }
    QString shown(TCardValue value) const {
        const auto* label = result.findChild<QLabel*>(u"Value%1"_s.arg(int(value)));
        return label ? label->text() : u"(none)"_s;
    }

    TForm2 history;
    TForm4 fly;
    TFormResult result;
    std::unique_ptr<TForm1> window;
    QObject guard; // ends the pending answers with the test
    int modalsSeen = 0;
};

TEST_F(ResultWindowTest, ShowsTheLastMeasurementAndCopiesTwentyLines) {
    measure(FourteenWordSentences);
    QGuiApplication::clipboard()->clear();
    whenModal([](QWidget& modal) {
        modal.findChild<QPushButton*>(u"btnCopy"_s)->click();
        EXPECT_TRUE(modal.isVisible()); // the copy leaves it open
        modal.findChild<QPushButton*>(u"btnOK"_s)->click();
    });
    trigger("acResult");
    EXPECT_EQ(modalsSeen, 1);
    EXPECT_EQ(shown(TCardValue::Words), u"42"_s);
    EXPECT_EQ(shown(TCardValue::Sentences), u"3"_s);
    EXPECT_EQ(shown(TCardValue::WordsPerSentence), u"14.0"_s);
    EXPECT_TRUE(shown(TCardValue::Dialogue).endsWith(u" %"_s));

    const QString copied = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(copied.endsWith(u"\r\n"_s));
    const QStringList lines = copied.chopped(2).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 20);
    for (int i : {0, 5, 9, 13, 15})
        EXPECT_FALSE(lines[i].contains(u'\t')) << lines[i].toStdString();
    EXPECT_EQ(lines[7], u"文内の単語数\t14.0"_s);
    EXPECT_FALSE(fly.isVisible());
}

TEST_F(ResultWindowTest, FlyButtonClosesItAndOpensTheFlyGraph) {
    measure(FourteenWordSentences);
    whenModal([](QWidget& modal) { modal.findChild<QPushButton*>(u"btnFly"_s)->click(); });
    trigger("acResult");
    EXPECT_EQ(modalsSeen, 1);
    EXPECT_FALSE(result.isVisible());
    EXPECT_TRUE(fly.isVisible());
}

TEST_F(ResultWindowTest, ShowsNothingWithoutASentenceOrAWord) {
    auto closeAny = [](QWidget& modal) { modal.close(); };
    whenModal(closeAny);
    window->acResultExecute(); // before any measurement
    measure(u"...\n"_s);       // no word
    whenModal(closeAny);
    window->acResultExecute();
    QCoreApplication::processEvents();
    EXPECT_EQ(modalsSeen, 0);
}

} // namespace
} // namespace pelmar

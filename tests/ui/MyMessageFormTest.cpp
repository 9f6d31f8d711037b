#include "ui/dialogs/MyMessageForm.h"

#include "UiTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

// Runs `answer` on the dialog once it is showing, and returns the dialog's result.
int showAndAnswer(const QString& text, TMsgKind kind, TMsgButtons buttons,
                  const std::function<void(TMyMessageForm&)>& answer, int x = -1, int y = -1,
                  std::function<void(TMyMessageForm&)> inspect = nullptr) {
    SetMyMessageHook([&](TMyMessageForm& dialog) {
        if (inspect)
            inspect(dialog);
        QTimer::singleShot(0, &dialog, [&dialog, &answer] {
            EXPECT_TRUE(dialog.isVisible()); // posted events run once the modal loop has begun
            answer(dialog);
        });
    });
    const int result = ShowMyMessage(text, kind, buttons, x, y);
    SetMyMessageHook(nullptr);
    return result;
}

QPushButton* button(TMyMessageForm& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST(MyMessageForm, OkIsDefaultAndEscapeCopyKeepsTheDialogOpen) {
    QGuiApplication::clipboard()->clear();
    const QString text = u"PMJP\r\nfor Japanese readers\tof English"_s;
    bool stillOpenAfterCopy = false;
    const int result = showAndAnswer(
        text, TMsgKind::Information, OkAndCopy,
        [&](TMyMessageForm& dialog) {
            QPushButton* copy = button(dialog, "Copy");
            ASSERT_NE(copy, nullptr);
            EXPECT_EQ(copy->text(), u"コピー(&C)"_s);
            EXPECT_EQ(copy->toolTip(), u"この窓のメッセージをコピーする"_s);
            QTest::mouseClick(copy, Qt::LeftButton);
            stillOpenAfterCopy = dialog.isVisible();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        },
        -1, -1,
        [&](TMyMessageForm& dialog) {
            EXPECT_EQ(dialog.windowTitle(), u"情報"_s);
            EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_EQ(dialog.MessageText, text);
            QPushButton* ok = button(dialog, "OK");
            ASSERT_NE(ok, nullptr);
            EXPECT_TRUE(ok->isDefault());
            EXPECT_FALSE(button(dialog, "Copy")->isDefault());
            EXPECT_LT(ok->x(), button(dialog, "Copy")->x());
        });
    EXPECT_TRUE(stillOpenAfterCopy);
    EXPECT_EQ(result, 1); // Escape answers with OK, the cancel button of this set
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"PMJP\nfor Japanese readers\tof English"_s);
}

TEST(MyMessageForm, ResultsOfTheButtonsAndTheCloseBox) {
    const TMsgButtons yesNo = msgButton(TMsgButton::Yes) | msgButton(TMsgButton::No);
    EXPECT_EQ(showAndAnswer(u"?"_s, TMsgKind::Confirmation, yesNo,
                            [](TMyMessageForm& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
              7);
    EXPECT_EQ(showAndAnswer(u"?"_s, TMsgKind::Confirmation, yesNo,
                            [](TMyMessageForm& d) { QTest::keyClick(&d, Qt::Key_Return); }),
              6);
    EXPECT_EQ(showAndAnswer(u"!"_s, TMsgKind::Warning, OkAndCopy,
                            [](TMyMessageForm& d) { d.close(); }),
              2);
    EXPECT_EQ(showAndAnswer(u"!"_s, TMsgKind::Error,
                            msgButton(TMsgButton::Abort) | msgButton(TMsgButton::Retry),
                            [](TMyMessageForm& d) {
                                QTest::mouseClick(button(d, "Abort"), Qt::LeftButton);
                            }),
              3);
}

TEST(MyMessageForm, LayoutFollowsTheTextAndThePosition) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    auto form = CreateMyMessage(u"One line"_s, TMsgKind::Information, OkAndCopy);
    auto* image = form->findChild<QLabel*>(u"Image"_s);
    auto* message = form->findChild<QLabel*>(u"Message"_s);
    ASSERT_NE(image, nullptr);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(image->size(), QSize(32, 32));
    EXPECT_GT(message->x(), image->x() + 32);
    // Icon and one line of text are as high as the icon; the buttons sit below.
    EXPECT_GT(button(*form, "OK")->y(), image->y() + 32);
    EXPECT_EQ(form->pos(), QPoint(screen.width() / 2 - form->width() / 2,
                                  screen.height() / 2 - form->height() / 2));
    EXPECT_EQ(button(*form, "OK")->width(), button(*form, "Copy")->width());

    // Long text wraps within half the screen; a text without blanks stays on one line.
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << u"word"_s;
    auto wrapped = CreateMyMessage(words.join(u' '), TMsgKind::Information, OkAndCopy);
    auto* wrappedText = wrapped->findChild<QLabel*>(u"Message"_s);
    const int lineHeight = QFontMetrics(wrapped->font()).height();
    EXPECT_LE(wrappedText->width(), screen.width() / 2);
    EXPECT_GT(wrappedText->height(), lineHeight);
    const QFontMetrics metrics(wrapped->font());
    QString word;
    while (metrics.horizontalAdvance(word) < screen.width() * 2 / 3)
        word += u"word"_s;
    auto unbroken = CreateMyMessage(word, TMsgKind::Information, OkAndCopy);
    auto* unbrokenText = unbroken->findChild<QLabel*>(u"Message"_s);
    EXPECT_GT(unbrokenText->width(), screen.width() / 2);
    EXPECT_EQ(unbrokenText->height(), lineHeight);
    // One wider than the screen could not be read: it is split into lines the screen holds.
    auto overlong = CreateMyMessage(words.join(QString()), TMsgKind::Information, OkAndCopy);
    EXPECT_LE(overlong->width(), screen.width());
    EXPECT_GT(overlong->findChild<QLabel*>(u"Message"_s)->height(), lineHeight);

    // The custom kind has no icon and the application's title.
    auto custom = CreateMyMessage(u"x"_s, TMsgKind::Custom, msgButton(TMsgButton::OK));
    EXPECT_EQ(custom->findChild<QLabel*>(u"Image"_s), nullptr);
    EXPECT_EQ(custom->windowTitle(), QApplication::applicationDisplayName());

    QPoint shownAt;
    showAndAnswer(
        u"placed"_s, TMsgKind::Information, OkAndCopy,
        [&](TMyMessageForm& d) {
            shownAt = d.pos();
            d.accept();
        },
        40, 50);
    EXPECT_EQ(shownAt, QPoint(40, 50));
}

// A path is a "word": splitting it at a slash to fill the lines would cut a file name in two.
TEST(MyMessageForm, APathKeepsItsOwnLineInBothDialogs) {
    const QString path =
        u"/home/teacher/.local/share/pelmar/datas/English_Communication_Year3_Reading.hst"_s;
    const QString text = u"履歴ファイル "_s + path + u" を読み込めません"_s;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    auto form = CreateMyMessage(text, TMsgKind::Information, OkAndCopy);
    const QStringList lines = form->findChild<QLabel*>(u"Message"_s)->text().split(u'\n');
    EXPECT_EQ(lines, QStringList({u"履歴ファイル"_s, path, u"を読み込めません"_s}));
    EXPECT_LE(form->width(), screen.width());
    EXPECT_EQ(form->MessageText, text); // the copy is the message as given

    QMessageBox box(QMessageBox::Information, u"情報"_s, QString(), QMessageBox::Ok);
    SetMessageBoxText(box, text + u"\r\n<a & b>"_s);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().contains(u'\n' + path + u'\n'));
    EXPECT_TRUE(label->text().contains(u"&lt;a &amp; b&gt;"_s));
    // The box is as wide as the path, so it has no reason to break it again.
    EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(path));
    EXPECT_LE(box.width(), screen.width());
}

} // namespace
} // namespace pelmar

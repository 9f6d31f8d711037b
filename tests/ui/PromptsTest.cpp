#include "ui/dialogs/Prompts.h"
#include "ui/main/MainWindow.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

TEST(Prompts, QtsOwnDialogsSpeakJapanese) {
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), u"開く"_s);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), u"ファイル名(&N):"_s);
}

TEST(Prompts, TheTitleInputBoxAsksItsQuestionInALabel) {
    const auto dialog = MakeInputDialog(nullptr, u"結果保存、テキスト名を入力"_s, u"テキスト名 無題"_s);
    EXPECT_EQ(dialog->windowTitle(), u"結果保存、テキスト名を入力"_s);
    EXPECT_EQ(dialog->labelText(), u"結果保存、テキスト名を入力"_s);
    EXPECT_EQ(dialog->textValue(), u"テキスト名 無題"_s);
    EXPECT_EQ(dialog->cancelButtonText(), u"キャンセル"_s);
}

TEST(Prompts, WindowTitlesNameTheProgramOnce) {
    TForm1 window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowHandle()->title(), u"Pelmar: " PELMAR_VERSION ""_s);
    window.close();
}

} // namespace
} // namespace pelmar

// The line graph inside the history window: the lists, the tool area and the graph steer each
// other.
#include "HistoryFixtures.h"
#include "UiTestSupport.h"
#include "platform/AppPaths.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/GLILable.h"
#include "ui/history/GLImage.h"
#include "ui/history/GLItems.h"
#include "ui/history/GraphRangeBar.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"
#include "ui/history/HistoryToolArea.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

class GraphWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::forgetProgramFiles();
        test::writeHistoryWith(AppDataFolder(), 0, 60,
                               [](int i) { return "Text " + std::to_string(i); });
        auto owned = std::make_unique<test::TFakeDialogs>();
        dialogs = owned.get();
        window = std::make_unique<TForm2>(std::move(owned));
        main = std::make_unique<TForm1>(std::make_unique<test::TFakePrompts>());
        main->attachWindows(window.get(), &fly, nullptr);
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        graph()->pump = {};
        window->acDrawExecute();
    }
    void TearDown() override {
        window.reset();
        main.reset();
        test::forgetProgramFiles();
    }

    [[nodiscard]] TGLItems* graph() const { return window->graph(); }
    [[nodiscard]] THistoryToolArea* tools() const { return window->toolArea(); }
    [[nodiscard]] int rowOf(int position) const { return window->model()->rowOfPosition(position); }
    void selectRow(int row) {
        QItemSelectionModel* selection = window->titleList()->selectionModel();
        selection->select(window->model()->index(row, 0),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    static TFlySeams flySeams() {
        TFlySeams seams;
        seams.prompts = std::make_unique<test::TFakePrompts>();
        seams.virtualClock = true;
        return seams;
    }

    test::TFakeDialogs* dialogs = nullptr;
    TForm4 fly{flySeams()};
    std::unique_ptr<TForm2> window;
    std::unique_ptr<TForm1> main;
};

TEST_F(GraphWindowTest, AClickOnATitleSelectsItsRecordAndFliesIt) {
    const TGraphPlane& p = graph()->plane();
    ASSERT_GT(p.Visible, 3);
    EXPECT_EQ(p.First + p.Visible, 60); // the newest records at the right
    const int position = p.First + 1;
    QTest::mouseClick(graph()->titleImage(), Qt::LeftButton, {}, QPoint(p.ColumnX(1), 60));
    EXPECT_EQ(window->selectedRows(), std::vector<int>{rowOf(position)});
    EXPECT_TRUE(window->valueTable()->selectionModel()->isRowSelected(rowOf(position), {}));
    EXPECT_TRUE(fly.isVisible());
    EXPECT_TRUE(fly.findChild<QLabel*>(QStringLiteral("Label1"))->text().contains(
        window->items().Item(position)->Title));
    fly.advanceClock(60'000); // let the flight land
    EXPECT_EQ(graph()->titleImage()->Picture().pixel(p.ColumnX(1), 3) | 0xFF000000u,
              qRgb(255, 0, 0));
}

TEST_F(GraphWindowTest, SelectingAnOldRecordInTheListBringsItIntoTheGraph) {
    const TGraphPlane& p = graph()->plane();
    ASSERT_GT(p.First, 10);
    selectRow(rowOf(2));
    EXPECT_LE(p.First, 2);
    EXPECT_GT(p.First + p.Visible, 2);
    EXPECT_EQ(graph()->scrollBar()->value(), p.First);
}

TEST_F(GraphWindowTest, StepBarWheelAndRangeButtons) {
    graph()->scrollBar()->setValue(20);
    tools()->stepBar->setValue(6);
    EXPECT_EQ(graph()->step(), 62);
    EXPECT_EQ(graph()->plane().First, 20); // a step change keeps the first column
    const QPointF at(10, 20);
    QWheelEvent zoomIn(at, graph()->plotImage()->mapToGlobal(at), QPoint(), QPoint(0, -240),
                       Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(graph()->plotImage(), &zoomIn);
    EXPECT_EQ(graph()->stepPosition(), 4);
    EXPECT_EQ(tools()->stepBar->value(), 4);

    // After a layout the top cannot rise and the bottom cannot sink.
    EXPECT_FALSE(tools()->upperUp->isEnabled());
    EXPECT_FALSE(tools()->lowerDown->isEnabled());
    EXPECT_TRUE(tools()->upperDown->isEnabled());
    const TGradeRange before = graph()->plane().Range;
    EXPECT_EQ(tools()->rangeBar->minimum(), before.Lower);
    EXPECT_EQ(tools()->rangeBar->maximum(), before.Upper);
    QTest::mouseClick(tools()->upperDown, Qt::LeftButton);
    EXPECT_EQ(graph()->plane().Range.Upper, before.Upper - 3);
    EXPECT_TRUE(tools()->upperUp->isEnabled());
    EXPECT_EQ(tools()->rangeBar->selectionStart(), before.Lower + 3);
    EXPECT_EQ(tools()->rangeBar->selectionEnd(), before.Upper);
}

TEST_F(GraphWindowTest, FormulaListAndAuxiliaryBoxesSteerTheGraph) {
    const auto label = [this](int tag) {
        return graph()->legendImage()->findChild<TGLILable*>(QStringLiteral("GLILable%1").arg(tag));
    };
    EXPECT_TRUE(label(9)->isVisible());
    tools()->formulaList->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(graph()->formulaVisible(0));
    EXPECT_FALSE(label(9)->isVisible());
    QTest::mouseClick(tools()->formulasOn, Qt::LeftButton);
    EXPECT_TRUE(label(9)->isVisible());

    EXPECT_FALSE(graph()->auxiliary(22));
    QTest::mouseClick(tools()->auxiliary[0], Qt::LeftButton);
    EXPECT_TRUE(graph()->auxiliary(22));
    const auto* wps = graph()->legendImage()->findChild<QLabel*>(QStringLiteral("GraphAuxLabel0"));
    EXPECT_TRUE(wps->isVisible());
    EXPECT_EQ(wps->text(), QStringLiteral("WPS"));
    QTest::mouseClick(tools()->auxiliaryOff, Qt::LeftButton);
    EXPECT_FALSE(wps->isVisible());

    // A legend label explains its formula.
    QTest::mouseClick(label(11), Qt::LeftButton);
    ASSERT_FALSE(dialogs->infos.isEmpty());
    EXPECT_TRUE(dialogs->infos.last().contains(QStringLiteral("FKGL")));
}

TEST_F(GraphWindowTest, CopyCommandsAndTheRedrawCommandWhileDrawing) {
    window->findChild<QAction*>(QStringLiteral("acGraphCopyW"))->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    const QRgb band = qRgb(0xED, 0xEA, 0x8F);
    for (int y = 0; y < copied.height(); y += 3) {
        for (int x = 0; x < copied.width(); x += 3)
            ASSERT_NE(copied.pixel(x, y) | 0xFF000000u, band) << x << "," << y;
    }
    EXPECT_EQ(dialogs->messages.last(),
              QStringLiteral("クリップボードにコピーしました\r\n画像ソフトやワードに貼り付けられます"));
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("acGraphSave")) != nullptr);
    EXPECT_TRUE(graph()->actions().contains(window->findChild<QAction*>(QStringLiteral("acGraphCopy"))));

    QAction* redraw = window->findChild<QAction*>(QStringLiteral("acRedraw"));
    bool enabledWhileDrawing = true;
    graph()->pump = [&] { enabledWhileDrawing = enabledWhileDrawing && redraw->isEnabled(); };
    redraw->trigger();
    graph()->pump = {};
    EXPECT_FALSE(enabledWhileDrawing);
    EXPECT_TRUE(redraw->isEnabled());
}

} // namespace
} // namespace pelmar

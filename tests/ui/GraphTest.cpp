#include "ui/history/GLItems.h"

#include "GraphTestSupport.h"
#include "history/HistoryColumns.h"
#include "history/HistoryWindowSettings.h"
#include "ui/common/CopyScreenRect.h"
#include "ui/history/GLILable.h"
#include "ui/history/GLImage.h"
#include "ui/history/GraphText.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pelmar {
namespace {

QRgb rgbOf(TColorRef c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// The colour most of a row's pixels have, so lines and letters crossing it do not matter.
QRgb rowColour(const QImage& image, int y) {
    std::map<QRgb, int> counts;
    for (int x = 0; x < image.width(); ++x)
        ++counts[pixel(image, x, y)];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
               return a.second < b.second;
           })->first;
}

bool hasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (pixel(image, x, y) == colour)
                return true;
        }
    }
    return false;
}

// Text was drawn: some pixel is nearly black.
bool hasDark(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) + qGreen(c) + qBlue(c) < 150)
                return true;
        }
    }
    return false;
}

class GraphTest : public testing::Test {
protected:
    void SetUp() override {
        graph = std::make_unique<TGLItems>();
        graph->pump = {};
        graph->message = [this](const QString& text) { messages << text; };
        graph->setItems(&items);
        graph->resize(800, 560);
        graph->show();
        QCoreApplication::processEvents();
    }

    void showOnly(std::initializer_list<int> formulas) {
        for (int f = 0; f < 10; ++f)
            graph->setFormulaVisible(f, false);
        for (int f : formulas)
            graph->setFormulaVisible(f, true);
    }

    [[nodiscard]] const QImage& plot() const { return graph->plotImage()->Picture(); }
    [[nodiscard]] const QImage& titles() const { return graph->titleImage()->Picture(); }
    // The plot's row in the middle of a grade (tenths).
    [[nodiscard]] int rowOf(int tenths) const { return graph->plane().Y(tenths); }

    TRecItems items;
    QStringList messages;
    std::unique_ptr<TGLItems> graph;
};

TEST_F(GraphTest, BandsFollowTheGradeRange) {
    struct Case {
        const char* name;
        std::vector<int> grades; // tenths of every formula, one record each
        TGradeRange range;
        std::vector<std::pair<int, TColorRef>> rows; // grade tenths, band colour there
    };
    const TColorRef band1 = 0x8FEAED, band4 = 0x8F8FED, band7 = 0x92DE94, band10 = 0xEDDC8F;
    const Case cases[] = {
        {"grades between 2 and 12", {20, 73, 120}, {1, 13},
         {{15, band1}, {45, band4}, {75, band7}, {105, band10}, {115, band10}}},
        {"a record of 14.0", {20, 140}, {1, 16},
         {{25, band1}, {105, band10}, {135, colours::Silver}, {145, colours::Silver}}},
        {"a record of 0.0", {0, 120}, {-2, 13},
         {{-15, colours::Silver}, {-5, colours::Silver}, {15, band1}, {75, band7}}},
    };
    showOnly({});
    for (const Case& c : cases) {
        items.Clear();
        for (int grade : c.grades)
            test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("t"), 0), grade);
        graph->layoutGraph();
        EXPECT_EQ(graph->plane().Range, c.range) << c.name;
        for (const auto& [tenths, colour] : c.rows)
            EXPECT_EQ(rowColour(plot(), rowOf(tenths)), rgbOf(colour)) << c.name << " " << tenths;
    }
    // Bands are outlined in grey where they meet.
    EXPECT_EQ(pixel(plot(), 300, graph->plane().Bands()[1].yBottom), rgbOf(colours::Grey));

    // The range buttons narrow what is shown: two bands fewer at the top.
    graph->pressRange(TGLItems::RangeButton::UpperDown);
    EXPECT_EQ(graph->plane().Range, (TGradeRange{-2, 10}));
    EXPECT_EQ(rowColour(plot(), 2), rgbOf(band7));
    EXPECT_TRUE(graph->rangeButtons().UpperUpEnabled);
}

TEST_F(GraphTest, EachMarkSitsOnItsPoint) {
    struct Case {
        int formula;
        QPoint inside;  // offset of a filled pixel
        QPoint outline; // offset of an outline pixel
    };
    const Case cases[] = {
        {0, {0, 0}, {-3, 0}},  // square
        {1, {0, 0}, {-3, 0}},  // diamond
        {2, {1, 0}, {0, -3}},  // diamond
        {4, {0, 1}, {0, 3}},   // triangle up
        {5, {-2, 0}, {-3, 0}}, // bow tie: its triangles meet in the middle
        {6, {0, -1}, {0, -3}}, // triangle down
        {7, {0, 2}, {-2, 0}},  // upright rectangle
        {8, {2, 0}, {-4, 0}},  // flat rectangle
    };
    test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("one"), 0), 55);
    for (const Case& c : cases) {
        showOnly({c.formula});
        graph->layoutGraph();
        const QPoint at(graph->plane().ColumnX(0), rowOf(55));
        const TColorRef colour = SeriesStyle(c.formula).color;
        EXPECT_EQ(pixel(plot(), at.x() + c.inside.x(), at.y() + c.inside.y()), rgbOf(colour))
            << c.formula;
        EXPECT_EQ(pixel(plot(), at.x() + c.outline.x(), at.y() + c.outline.y()),
                  rgbOf(Darker(colour)))
            << c.formula;
    }
    // The bow tie is open above its middle; formulas without a mark leave the band alone.
    showOnly({5});
    graph->layoutGraph();
    const QPoint at(graph->plane().ColumnX(0), rowOf(55));
    EXPECT_EQ(pixel(plot(), at.x(), at.y() - 2), rgbOf(0x8F8FED));
    showOnly({3, 9});
    graph->layoutGraph();
    EXPECT_EQ(pixel(plot(), at.x(), at.y()), rgbOf(0x8F8FED));
}

TEST_F(GraphTest, AuxiliaryBarOfFifteenWordsPerSentenceIsOneAndAHalfBandsHigh) {
    test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("one"), 0, 0, 10, 150), 55);
    showOnly({});
    graph->setAuxiliary(22, true);
    graph->layoutGraph();
    const TGraphPlane& p = graph->plane();
    const int x = p.ColumnX(0) - 5; // the middle of the first 5-pixel bar
    const int top = p.Height - 15 * p.PixelsPerBand() / 10;
    EXPECT_EQ(pixel(plot(), x, top), rgbOf(0x404040));
    EXPECT_EQ(pixel(plot(), x, top + 1), rgbOf(0x80FF80));
    EXPECT_EQ(pixel(plot(), x, p.Height - 2), rgbOf(0x80FF80));
    EXPECT_NE(pixel(plot(), x, top - 1), rgbOf(0x80FF80));
    EXPECT_NEAR(p.Height - top, 1.5 * (p.Height - p.Bands()[1].yBottom), 2.0);
    // Its key in the legend, the long name as its hint.
    const auto* label = graph->legendImage()->findChild<QLabel*>(QStringLiteral("GraphAuxLabel0"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("WPS"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("Words Per Sentence"));
}

TEST_F(GraphTest, ColumnSpacingFollowsTheStep) {
    for (int i = 0; i < 3; ++i)
        test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("r"), 0), 55);
    showOnly({0});
    graph->layoutGraph();
    for (const auto& [position, step] : {std::pair{1, 12}, std::pair{6, 62}}) {
        graph->setStepPosition(position);
        EXPECT_EQ(graph->step(), step);
        const int y = rowOf(55);
        const QRgb mark = rgbOf(SeriesStyle(0).color);
        EXPECT_EQ(pixel(plot(), 10, y), mark) << step;
        EXPECT_EQ(pixel(plot(), 10 + step, y), mark) << step;
        EXPECT_EQ(pixel(plot(), 10 + 2 * step, y), mark) << step;
        EXPECT_NE(pixel(plot(), 10 + step / 2, y - 2), mark) << step;
    }
}

TEST_F(GraphTest, WhiteningTurnsBandColoursWhiteAndNothingElse) {
    // The graph's own picture: no band colour survives, everything else is as drawn.
    for (int i = 0; i < 6; ++i)
        test::addGraphRecord(items, QStringLiteral("r%1").arg(i), 10 + 20 * i);
    items.Item(0)->Values[9] = 0; // a silver band too
    graph->layoutGraph();
    const QImage plain = graph->picture(false);
    const QImage white = graph->picture(true);
    ASSERT_EQ(plain.size(), white.size());
    EXPECT_TRUE(hasColour(plain, rgbOf(colours::Silver)));
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb before = pixel(plain, x, y);
            const bool band = std::any_of(colours::WhitenedColours.begin(), colours::WhitenedColours.end(),
                                          [&](std::uint32_t c) { return rgbOf(c) == before; });
            EXPECT_EQ(pixel(white, x, y), band ? qRgb(255, 255, 255) : before);
            changed += band ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 1000);

    // Without lines the plot holds nothing but bands, their outlines, their letters and the
    // caption, each in its exact colour, so whitening leaves no fringe round the letters.
    showOnly({});
    graph->setAuxiliary(22, true);
    graph->draw(true);
    std::set<QRgb> expected{rgbOf(colours::Grey), rgbOf(GraphColor::BandLabel),
                            rgbOf(0x80FF80), rgbOf(0x404040)};
    for (std::uint32_t c : colours::WhitenedColours)
        expected.insert(rgbOf(c));
    std::set<QRgb> found;
    for (int y = 0; y < plot().height(); ++y) {
        for (int x = 0; x < plot().width(); ++x)
            found.insert(pixel(plot(), x, y));
    }
    std::vector<QRgb> strays;
    std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(),
                        std::back_inserter(strays));
    EXPECT_TRUE(strays.empty()) << strays.size() << " colours besides the expected ones";
}

TEST_F(GraphTest, CopyAndSaveThePicture) {
    for (int i = 0; i < 4; ++i)
        test::addGraphRecord(items, QStringLiteral("r%1").arg(i), 40 + 10 * i);
    graph->layoutGraph();
    const QRgb band = rgbOf(0x8FEAED);
    // A highlight left by the pointer stays out of the picture.
    QEnterEvent enter(QPointF(10, 50), QPointF(10, 50), QPointF());
    QCoreApplication::sendEvent(graph->titleImage(), &enter);
    EXPECT_TRUE(graph->overlayImage()->isVisible());
    EXPECT_TRUE(graph->copyPicture(false));
    EXPECT_FALSE(graph->overlayImage()->isVisible());
    EXPECT_TRUE(hasColour(QGuiApplication::clipboard()->image(), band));
    EXPECT_TRUE(graph->copyPicture(true));
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_FALSE(hasColour(copied, band));
    // The panel under its scroll bar, one pixel short on the right and at the bottom.
    const int top = graph->scrollBar()->height() + 2;
    EXPECT_EQ(copied.size(), QSize(graph->width() - 1, graph->height() - 1 - top));

    QTemporaryDir dir;
    bool ctrl = false;
    graph->ctrlHeld = [&ctrl] { return ctrl; };
    graph->chooseSaveFile = [&dir] { return dir.filePath(QStringLiteral("graph")); };
    EXPECT_TRUE(graph->savePicture());
    const QImage saved(dir.filePath(QStringLiteral("graph.png")));
    EXPECT_EQ(saved.size(), copied.size());
    EXPECT_TRUE(hasColour(saved, band));
    ctrl = true;
    graph->chooseSaveFile = [&dir] { return dir.filePath(QStringLiteral("white.png")); };
    graph->saveAction()->trigger();
    EXPECT_FALSE(hasColour(QImage(dir.filePath(QStringLiteral("white.png"))), band));
    graph->chooseSaveFile = [&dir] { return dir.filePath(QStringLiteral("no/such/folder.png")); };
    EXPECT_FALSE(graph->savePicture());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.back().endsWith(QStringLiteral("folder.png に書き込めません")));
    graph->chooseSaveFile = [] { return QString(); };
    EXPECT_FALSE(graph->savePicture());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(GraphTest, SortingHidesTheSampleMarkersUntilTheNextReload) {
    const auto load = [this] {
        items.Clear();
        for (int i = 0; i < 5; ++i) {
            TRecItem* item = test::addGraphRecord(items, QStringLiteral("s%1").arg(i), 40 + i);
            item->Kind = RecKind::Sample;
        }
        test::addGraphRecord(items, QStringLiteral("mine"), 90);
        items.SampleLevelCounts = {3, 2, 0};
        graph->layoutGraph();
    };
    const QRgb level0 = rgbOf(0xFEFF97);
    const QRgb level1 = rgbOf(0x72E9FE);
    load();
    EXPECT_TRUE(hasColour(titles(), level0));
    EXPECT_TRUE(hasColour(titles(), level1));
    // The marker of level 0 ends half a step before the first level-1 sample.
    const int xe = graph->plane().ColumnX(3) - graph->step() / 2;
    EXPECT_EQ(pixel(titles(), xe - 1, titles().height() - 10), level0);

    SortRecItems(items, HistoryColumn::FirstStored + 9, false);
    graph->layoutGraph();
    EXPECT_FALSE(hasColour(titles(), level0));
    EXPECT_FALSE(hasColour(titles(), level1));
    load();
    EXPECT_TRUE(hasColour(titles(), level0));
    // With the sample display at "なし" there are none either.
    graph->setSampleMarkers(false);
    graph->layoutGraph();
    EXPECT_FALSE(hasColour(titles(), level0));
}

TEST_F(GraphTest, TitlesSelectionAndClicks) {
    for (int i = 0; i < 100; ++i)
        test::addGraphRecord(items, QStringLiteral("r%1").arg(i), 40 + i % 50,
                             static_cast<std::uint8_t>(i % 8));
    graph->layoutGraph();
    const TGraphPlane& p = graph->plane();
    ASSERT_EQ(p.First + p.Visible, 100); // the newest at the right
    EXPECT_EQ(graph->scrollBar()->value(), p.First);
    // Titles stand on their style's colour.
    const int half = QFontMetrics(GothicFont(12)).height() / 2;
    const int last = p.ColumnX(p.Visible - 1) - half;
    EXPECT_EQ(pixel(titles(), last, 10), rgbOf(StyleColor(99 % 8)));
    EXPECT_EQ(pixel(titles(), last - 1, 10), qRgb(255, 255, 255));

    QSignalSpy clicked(graph.get(), &TGLItems::recordClicked);
    QTest::mouseClick(graph->titleImage(), Qt::LeftButton, {}, QPoint(p.ColumnX(2) - 3, 100));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.front().front().toInt(), p.First + 2);

    // A selected record far to the left comes into view with its red mark.
    graph->showSelection({5});
    EXPECT_LE(p.First, 5);
    EXPECT_GT(p.First + p.Visible, 5);
    const QRgb red = rgbOf(GraphColor::Selected);
    EXPECT_EQ(pixel(titles(), p.ColumnX(5 - p.First), 3), red);
    EXPECT_NE(pixel(titles(), p.ColumnX(6 - p.First), 3), red);
    // Two selected: nothing scrolls, only the marks change.
    const int first = p.First;
    graph->showSelection({6, 99});
    EXPECT_EQ(p.First, first);
    EXPECT_NE(pixel(titles(), p.ColumnX(5 - p.First), 3), red);
    EXPECT_EQ(pixel(titles(), p.ColumnX(6 - p.First), 3), red);
}

TEST_F(GraphTest, HoverHintAndHighlights) {
    test::addGraphRecord(items, QStringLiteral("Early"), 30);
    TRecItem* item = test::addGraphRecord(items, QStringLiteral("The Fox"), 60);
    graph->layoutGraph();
    const TGraphPlane& p = graph->plane();
    // PMJP of the second record is 6.0; PMEN lies 0.8 below it.
    const QPoint point(p.ColumnX(1), rowOf(item->Tenths(0)));
    QTest::mouseMove(graph->plotImage(), point + QPoint(2, -2));
    EXPECT_EQ(graph->plotImage()->toolTip(),
              QStringLiteral("PMJP / PMJP (GL for Japanese Readers)\nGL / 6.0\nThe Fox"));
    graph->setFormulaVisible(0, false);
    graph->draw(true);
    QTest::mouseMove(graph->plotImage(), point + QPoint(0, 1));
    EXPECT_EQ(graph->plotImage()->toolTip(), QString());
    QTest::mouseMove(graph->plotImage(), QPoint(p.ColumnX(1), rowOf(item->Tenths(1))));
    EXPECT_TRUE(graph->plotImage()->toolTip().startsWith(QStringLiteral("PMEN / ")));

    // Pointing at a legend label draws its line wider on the overlay; a click explains it.
    auto* label = graph->legendImage()->findChild<TGLILable*>(QStringLiteral("GLILable11"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("FKGL"));
    EXPECT_FALSE(graph->legendImage()->findChild<TGLILable*>(QStringLiteral("GLILable9"))
                     ->isVisible()); // PMJP is switched off
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(label, &enter);
    EXPECT_TRUE(graph->overlayImage()->isVisible());
    const QImage& overlay = graph->overlayImage()->Picture();
    const QPoint fkgl(p.ColumnX(1), rowOf(item->Tenths(2)));
    EXPECT_EQ(pixel(overlay, fkgl.x() + 5, fkgl.y()), rgbOf(SeriesStyle(2).color)); // size 6
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(label, &leave);
    EXPECT_FALSE(graph->overlayImage()->isVisible());
    QSignalSpy explained(graph.get(), &TGLItems::formulaClicked);
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(explained.size(), 1);
    EXPECT_EQ(explained.front().front().toInt(), 11);

    // Over the titles, the marks of the column under the pointer grow.
    QEnterEvent onTitles(QPointF(p.ColumnX(0), 50), QPointF(p.ColumnX(0), 50), QPointF());
    QCoreApplication::sendEvent(graph->titleImage(), &onTitles);
    EXPECT_TRUE(graph->overlayImage()->isVisible());
    const QPoint first(p.ColumnX(0), rowOf(items.Item(0)->Tenths(2)));
    EXPECT_EQ(pixel(overlay, first.x() + 5, first.y()), rgbOf(SeriesStyle(2).color));
}

TEST_F(GraphTest, LegendRowsFollowTheLastColumn) {
    TRecItem* item = test::addGraphRecord(items, QStringLiteral("r"), 50);
    graph->layoutGraph();
    const std::array<int, 10> order = LegendOrder(*item);
    int previous = -1;
    for (int f : order) {
        const auto* label = graph->legendImage()->findChild<TGLILable*>(
            QStringLiteral("GLILable%1").arg(f + 9));
        EXPECT_GT(label->y(), previous) << f;
        EXPECT_EQ(label->y() - previous, previous < 0 ? label->y() + 1 : 20) << f;
        previous = label->y();
    }
}

TEST_F(GraphTest, AShortPanelKeepsTheWholeLegendInView) {
    // The panel at its least height with every auxiliary measure on: the legend closes up
    // its rows rather than run off the bottom.
    graph->resize(800, 345);
    for (int measure : AuxiliaryMeasures)
        graph->setAuxiliary(measure, true);
    test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("low"), 0), -45);
    test::setAllGrades(*test::addGraphRecord(items, QStringLiteral("high"), 0), 240);
    graph->layoutGraph();
    QWidget* legend = graph->legendImage();
    const auto labels = legend->findChildren<QLabel*>();
    int shown = 0;
    for (const QLabel* label : labels) {
        if (!label->isVisible())
            continue;
        ++shown;
        EXPECT_GE(label->y(), 0) << label->text().toStdString();
        EXPECT_LE(label->y() + QFontMetrics(label->font()).height(), legend->height())
            << label->text().toStdString();
    }
    EXPECT_EQ(shown, 16);
    // The last style name, on its colour, is drawn too.
    const QImage picture = graph->grab(legend->geometry()).toImage();
    EXPECT_TRUE(hasColour(picture, rgbOf(StyleColor(7))));
}

TEST_F(GraphTest, WheelZoomAndScrolling) {
    for (int i = 0; i < 200; ++i)
        test::addGraphRecord(items, QStringLiteral("r%1").arg(i), 50);
    graph->layoutGraph();
    const TGraphPlane& p = graph->plane();
    const int oldFirst = p.First;
    const int oldVisible = p.Visible;
    QSignalSpy stepped(graph.get(), &TGLItems::stepPositionChanged);
    const QPointF at(p.Width / 2, 50);
    QWheelEvent zoom(at, graph->plotImage()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(graph->plotImage(), &zoom);
    ASSERT_EQ(stepped.size(), 1);
    EXPECT_EQ(graph->stepPosition(), 3);
    EXPECT_EQ(p.Step, 32);
    EXPECT_EQ(p.First, ZoomScrollPosition(oldFirst, oldVisible, p.Visible, p.Width / 2,
                                          p.Width, 200));

    graph->scrollBar()->setValue(0);
    EXPECT_EQ(p.First, 0);
    const int draws = graph->drawCount();
    graph->scrollBar()->setValue(0);
    EXPECT_EQ(graph->drawCount(), draws);
}

TEST_F(GraphTest, ANewerRequestWinsOverARunningDrawing) {
    for (int i = 0; i < 30; ++i)
        test::addGraphRecord(items, QStringLiteral("r%1").arg(i), 50);
    showOnly({0});
    graph->layoutGraph();
    const int draws = graph->drawCount();
    int pauses = 0;
    graph->pump = [&] {
        if (++pauses == 3)
            graph->setStepPosition(6); // a step change while the series are drawn
    };
    graph->draw(true);
    graph->pump = {};
    EXPECT_EQ(graph->drawCount(), draws + 2);
    EXPECT_EQ(graph->plane().Step, 62);
    EXPECT_FALSE(graph->Dirty);
    const int y = rowOf(50);
    EXPECT_EQ(pixel(plot(), 72, y - 2), rgbOf(SeriesStyle(0).color));
    EXPECT_NE(pixel(plot(), 32, y - 2), rgbOf(SeriesStyle(0).color));

    // A light request cut into a full drawing: the titles are still drawn.
    items.Item(items.Count() - 1)->Title = QStringLiteral("漢字");
    pauses = 0;
    graph->pump = [&] {
        if (++pauses == 1)
            graph->draw(true);
    };
    graph->titleImage()->Clear();
    graph->draw(false);
    graph->pump = {};
    EXPECT_TRUE(hasDark(titles()));

    // A light drawing leaves the titles as they are.
    graph->titleImage()->Clear();
    graph->draw(true);
    EXPECT_FALSE(hasDark(titles()));
}

TEST_F(GraphTest, NothingToDrawAndDamagedValues) {
    graph->layoutGraph();
    EXPECT_EQ(rowColour(plot(), 10), qRgb(255, 255, 255));
    EXPECT_EQ(graph->scrollBar()->maximum(), 0);
    TRecItem* item = test::addGraphRecord(items, QStringLiteral("damaged"), 50);
    item->Values[9] = INT_MAX;
    item->Values[10] = INT_MIN;
    graph->layoutGraph();
    EXPECT_EQ(graph->plane().Range, (TGradeRange{-10001, 10003}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST(GraphText, AFontShrinksToFitItsTextsOrGivesUp) {
    const QFont font = GothicFont(12);
    const QStringList texts{QStringLiteral("ELEMENTARY"), QStringLiteral("SECONDARY")};
    const int natural = QFontMetrics(font).horizontalAdvance(texts[0]);
    const std::optional<QFont> roomy = FontFitting(font, texts, natural + 5, 8);
    ASSERT_TRUE(roomy.has_value());
    EXPECT_EQ(roomy->pixelSize(), 12);
    const int length = natural * 3 / 4;
    const std::optional<QFont> smaller = FontFitting(font, texts, length, 8);
    ASSERT_TRUE(smaller.has_value());
    EXPECT_LT(smaller->pixelSize(), 12);
    EXPECT_GE(smaller->pixelSize(), 8);
    for (const QString& text : texts)
        EXPECT_LE(QFontMetrics(*smaller).horizontalAdvance(text), length) << text.toStdString();
    EXPECT_FALSE(FontFitting(font, texts, natural / 4, 8).has_value());
}

TEST(GraphText, VerticalWritingKeepsJapaneseUpright) {
    struct Case {
        char32_t c;
        bool upright;
    };
    const Case cases[] = {{U'A', false}, {U'1', false}, {U'あ', true}, {U'漢', true},
                          {U'ア', true},  {U'１', true}, {U'ー', false}, {U'（', false},
                          {U'「', false}, {U'、', true}, {U'～', false}, {U'ｱ', false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsUprightInVerticalText(c.c), c.upright) << static_cast<int>(c.c);

    const QFont font = GothicFont(12);
    const QFontMetrics metrics(font);
    EXPECT_EQ(VerticalTextExtent(font, QStringLiteral("あい")),
              QSize(metrics.height(), 2 * metrics.horizontalAdvance(QStringLiteral("あ"))));
    EXPECT_EQ(VerticalTextExtent(font, QStringLiteral("Fox")),
              QSize(metrics.height(), metrics.horizontalAdvance(QStringLiteral("Fox"))));
    // Drawn on a style colour: the box is filled first, the text stays inside its column.
    QImage image(40, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        DrawVerticalText(painter, 10, 5, QStringLiteral("あFox"), QColor(Qt::yellow));
    }
    const QSize box = VerticalTextExtent(font, QStringLiteral("あFox"));
    EXPECT_EQ(pixel(image, 10, 5), qRgb(255, 255, 0));
    EXPECT_EQ(pixel(image, 9, 5), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(image, 10 + box.width(), 5), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(image, 10, 5 + box.height()), qRgb(255, 255, 255));
}

} // namespace
} // namespace pelmar

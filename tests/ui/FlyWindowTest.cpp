#include "ui/fly/FlyWindow.h"

// GCC 12 sees the fake prompts' optional answers as maybe uninitialised when inlined here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "UiTestSupport.h"
#pragma GCC diagnostic pop

#include "desktop/GraphColours.h"
#include "fly/FlyTexts.h"
#include "fly/FlyValues.h"
#include "history/RecItem.h"
#include "platform/AppPaths.h"
#include "ui/common/BgrColor.h"
#include "ui/common/CopyScreenRect.h"
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyArtwork.h"
#include "ui/fly/FlyPicture.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

// A text whose style makes entries 4..9 minor; PMEN and FKGL level, FORC far from any major one.
TFlyValues sampleValues() {
    TFlyValues v;
    v.tenths = {73, 45, 45, 60, 100, 50, 77, 80, 61, 20};
    v.words = 235;
    v.CIV = 2.2f;
    v.PPS = 2.1f;
    v.WPS = 14;
    v.PSy3 = 8;
    v.styles = {45, 10, 20, 55};
    return v;
}

class FlyWindowTest : public testing::Test {
protected:
    void SetUp() override {
        QFile::remove(SettingsFilePath());
        form = makeForm();
    }
    void TearDown() override {
        form.reset();
        QFile::remove(SettingsFilePath());
    }

    std::unique_ptr<TForm4> makeForm() {
        TFlySeams seams;
        auto owned = std::make_unique<test::TFakePrompts>();
        prompts = owned.get();
        seams.prompts = std::move(owned);
        seams.random = std::make_unique<TSeededRandom>(11);
        seams.virtualClock = true;
        return std::make_unique<TForm4>(std::move(seams));
    }

    // Hands a text over and waits until the window has drawn it and sent the flies off.
    void handOver(const TFlyValues& values, const QString& title = u"The Fox"_s) {
        form->handOver(values, title);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(test::waitFor([this] { return form->flying(); }));
    }
    void land() {
        form->advanceClock(60'000);
        ASSERT_FALSE(form->flying());
    }

    template <typename T> T* child(const QString& name) const {
        T* w = form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    TFlyPicture* picture(int n) const { return child<TFlyPicture>(u"Fly%1"_s.arg(n)); }

    test::TFakePrompts* prompts = nullptr;
    std::unique_ptr<TForm4> form;
};

TEST_F(FlyWindowTest, AfterThePhasesEveryPictureSitsAtItsLandingPlace) {
    handOver(sampleValues());
    EXPECT_EQ(child<QLabel>(u"Label1"_s)->text(), u"The Fox"_s);
    EXPECT_EQ(child<QLabel>(u"Label3"_s)->text(), u"235 words"_s);
    land();

    const TGLFlies& flies = form->flies();
    for (int n = 1; n < FlyCount; ++n) {
        SCOPED_TRACE(n);
        const TGLFly& fly = flies.entries[std::size_t(n)];
        const QRect shown = picture(n)->geometry();
        EXPECT_EQ(shown, fly.Image.rect);
        EXPECT_TRUE(picture(n)->isVisible());
        EXPECT_GE(shown.left(), fly.FinalX);
        const bool shrunk = fly.Minor && !fly.NearMajor;
        EXPECT_EQ(shown.top(), fly.FinalY + (shrunk ? flies.FlyHeight / 6 : 0));
    }
    // FORC lies more than three grades from PMEN and FKGL: two thirds of the size.
    EXPECT_EQ(picture(4)->size(), QSize(flies.FlyWidth * 2 / 3, flies.FlyHeight * 2 / 3));
    // PMEN and FKGL are level: FKGL was pushed a whole width aside.
    EXPECT_EQ(picture(2)->x(), picture(1)->x() + picture(1)->width());
    // PMJP faces the other way in its own column.
    EXPECT_FALSE(picture(0)->isVisible());
    const auto* alt = child<TFlyPicture>(u"FlyAlt"_s);
    EXPECT_TRUE(alt->isVisible());
    EXPECT_EQ(alt->geometry(), QRect(0, flies.entries[0].FinalY, flies.FlyWidth, flies.FlyHeight));
}

TEST_F(FlyWindowTest, OverlappingEntriesAreSpreadAsTheResolutionAllows) {
    // Nine level entries: each pushed a width further, then the row squeezed into the graph.
    TFlyValues values = sampleValues();
    values.tenths.fill(70);
    values.CIV = 3.5f; // style fit 5: no entry minor
    values.PPS = 2.5f;
    values.WPS = 15;
    values.PSy3 = 10.5f;
    handOver(values);
    land();
    int previous = -1;
    for (int n = 1; n < FlyCount; ++n) {
        EXPECT_GT(picture(n)->x(), previous) << n;
        previous = picture(n)->x();
    }
    EXPECT_EQ(picture(9)->geometry().right() + 1, form->flies().Graph.width() + 8);
}

TEST_F(FlyWindowTest, ShowingWithoutAHandOverChangesNothing) {
    // Before any text: the plain scale and no flies.
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->flying());
    EXPECT_FALSE(picture(3)->isVisible());

    handOver(sampleValues());
    land();
    const QImage before = form->grab().toImage();
    std::vector<QRect> places;
    for (int n = 0; n < FlyCount; ++n)
        places.push_back(picture(n)->geometry());
    form->hide();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->Pending());
    EXPECT_FALSE(form->flying());
    for (int n = 0; n < FlyCount; ++n)
        EXPECT_EQ(picture(n)->geometry(), places[std::size_t(n)]) << n;
    EXPECT_EQ(form->grab().toImage(), before);
}

TEST_F(FlyWindowTest, ANewHandOverStopsTheRunningFlightFirst) {
    handOver(sampleValues());
    form->advanceClock(3500); // some rest in the queue, some are landing
    bool later = false;
    for (const TGLFly& fly : form->flies().entries)
        later = later || fly.RestTimer.enabled || fly.LandTimer.enabled;
    ASSERT_TRUE(later);

    TFlyValues other = sampleValues();
    other.tenths = {10, 20, 40, 60, 80, 100, 120, 130, 30, 50};
    form->handOver(other, u"Another"_s);
    EXPECT_FALSE(form->flying()); // stopped before anything is drawn
    ASSERT_TRUE(test::waitFor([this] { return form->flying(); }));
    for (const TGLFly& fly : form->flies().entries) {
        EXPECT_TRUE(fly.FlyTimer.enabled) << fly.Index;
        EXPECT_FALSE(fly.RestTimer.enabled || fly.LandTimer.enabled) << fly.Index;
    }
    land();
    for (int n = 1; n < FlyCount; ++n)
        EXPECT_EQ(picture(n)->y(), form->flies().entries[std::size_t(n)].Image.rect.y()) << n;
    EXPECT_EQ(form->flies().entries[7].Value, 130);
}

TEST_F(FlyWindowTest, PressesExplainFliesAndGauges) {
    handOver(sampleValues());
    land();
    QTest::mouseClick(picture(3), Qt::RightButton);
    EXPECT_TRUE(prompts->infoMessages.isEmpty());
    QTest::mouseClick(picture(3), Qt::LeftButton);
    QTest::mouseClick(child<TFlyPicture>(u"FlyAlt"_s), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(u"Label5"_s), Qt::LeftButton);
    const QStringList expected = {FlyPressText(60, 12), FlyPressText(73, 9), StyleCaptionText(1)};
    EXPECT_EQ(prompts->infoMessages, expected);
}

TEST_F(FlyWindowTest, CopyWhitensExactlyTheBandColoursWhenAsked) {
    handOver(sampleValues());
    land();
    QGuiApplication::clipboard()->clear();
    form->copyPicture(true);
    EXPECT_EQ(prompts->informations, QStringList{QString::fromUtf8(PictureCopiedMessage)});
    const QImage whitened =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(whitened.size(), form->size());
    bool bandLeft = false;
    bool greyKept = false;
    for (int y = 0; y < whitened.height(); ++y) {
        for (int x = 0; x < whitened.width(); ++x) {
            const QRgb c = whitened.pixel(x, y) & 0xFFFFFF;
            for (const std::uint32_t band : colours::WhitenedColours)
                bandLeft = bandLeft || c == BgrToRgb(band);
            greyKept = greyKept || c == BgrToRgb(colours::Grey);
        }
    }
    EXPECT_FALSE(bandLeft);
    EXPECT_TRUE(greyKept); // outlines and the scale's line are not band colours
    // They come back afterwards.
    EXPECT_TRUE(child<QToolButton>(u"SpeedButton1"_s)->isVisible());
    EXPECT_TRUE(child<QToolButton>(u"SpeedButton4"_s)->isVisible());
    EXPECT_TRUE(child<QWidget>(u"Image2"_s)->isVisible());

    // Without Ctrl the colours and the header's background stay; the buttons never show.
    form->copyPicture(false);
    const QImage plain =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    const QPoint inHighBand(300, 65 + form->flies().Graph.height() / 6);
    EXPECT_EQ(plain.pixel(inHighBand) & 0xFFFFFF, BgrToRgb(0xEDDC8F));
    EXPECT_EQ(whitened.pixel(inHighBand) & 0xFFFFFF, 0xFFFFFFu);
    const QImage background = HeaderBackground(QSize(form->width(), 65));
    int buttonsSeen = 0;
    int backgroundInWhitened = 0;
    for (int y = 0; y < 65; ++y) {
        for (int x = 12; x < 81; ++x) {
            buttonsSeen += plain.pixel(x, y) != background.pixel(x, y);
            backgroundInWhitened += whitened.pixel(x, y) == background.pixel(x, y);
        }
    }
    EXPECT_EQ(buttonsSeen, 0);
    EXPECT_EQ(backgroundInWhitened, 0);
}

TEST_F(FlyWindowTest, ClosingKeepsThePlaceAndClearsTheTitle) {
    handOver(sampleValues());
    form->move(40, 30);
    QCoreApplication::processEvents();
    const QPoint at = form->pos();
    form->close();
    EXPECT_TRUE(child<QLabel>(u"Label1"_s)->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(u"Label3"_s)->text().isEmpty());
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(u"FlyPos/left"_s).toInt(), at.x());
    EXPECT_EQ(settings.value(u"FlyPos/top"_s).toInt(), at.y());
    EXPECT_EQ(makeForm()->pos(), at);

    // A place on a monitor that is gone comes back into sight.
    settings.setValue(u"FlyPos/left"_s, 40000);
    settings.setValue(u"FlyPos/top"_s, -40000);
    settings.sync();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(QRect(makeForm()->pos(), QSize(1, 1))));
}

TEST(WhitenBandColours, OnlyExactBandColoursTurnWhite) {
    const std::uint32_t kept[] = {0x8FEAEE, 0xC0C0C1, 0x808080, 0x000000, 0x0055EE};
    QImage image(int(colours::WhitenedColours.size() + std::size(kept)), 1, QImage::Format_RGB32);
    int x = 0;
    for (const std::uint32_t band : colours::WhitenedColours)
        image.setPixel(x++, 0, BgrToRgb(band));
    for (const std::uint32_t other : kept)
        image.setPixel(x++, 0, BgrToRgb(other));
    WhitenBandColours(image);
    x = 0;
    for (std::size_t i = 0; i < colours::WhitenedColours.size(); ++i)
        EXPECT_EQ(image.pixel(x++, 0) & 0xFFFFFF, 0xFFFFFFu) << i;
    for (const std::uint32_t other : kept)
        EXPECT_EQ(image.pixel(x++, 0) & 0xFFFFFF, BgrToRgb(other)) << std::hex << other;
}

// The main window with the fly graph on a virtual clock and the other windows beside it, all
// features shown.
class FlyFromMainWindow : public testing::Test {
protected:
    void SetUp() override {
        test::forgetProgramFiles();
        TFlySeams seams;
        seams.prompts = std::make_unique<test::TFakePrompts>();
        seams.virtualClock = true;
        fly = std::make_unique<TForm4>(std::move(seams));
        auto prompts = std::make_unique<test::TFakePrompts>();
        asked = prompts.get();
        window = std::make_unique<TForm1>(std::move(prompts));
        window->attachWindows(&history, fly.get(), &result);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->setAllFeatures(true);
    }
    void TearDown() override {
        fly->close();
        window->close();
        QFile::remove(SettingsFilePath());
    }

    TForm2 history;
    TFormResult result;
    std::unique_ptr<TForm4> fly;
    std::unique_ptr<TForm1> window;
    test::TFakePrompts* asked = nullptr;
};

// The main window hands its first measurement over; later fly actions only show the window.
TEST_F(FlyFromMainWindow, FirstFlyAfterAMeasurementShowsThatText) {

    QTemporaryDir dir;
    const QString path = dir.filePath(u"aesop.txt"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("The fox saw the grapes. They were high on the vine.\n");
    }
    asked->openAnswer = path;
    window->findChild<QAction*>(u"acOpen"_s)->trigger();
    window->findChild<QAction*>(u"acCount"_s)->trigger();

    window->findChild<QAction*>(u"acFlyWindow"_s)->trigger();
    ASSERT_TRUE(test::waitFor([&] { return fly->flying(); }));
    EXPECT_EQ(fly->findChild<QLabel*>(u"Label1"_s)->text(), u"aesop"_s);
    EXPECT_EQ(fly->findChild<QLabel*>(u"Label3"_s)->text(),
              u"%1 words"_s.arg(window->totals().Words));
    for (int n = 0; n < FlyCount; ++n)
        EXPECT_EQ(fly->flies().entries[std::size_t(n)].Value,
                  window->wholeText().tenths[std::size_t(n)])
            << n;
    fly->advanceClock(60'000);

    // Shown again as it stands.
    fly->hide();
    window->findChild<QAction*>(u"acFlyGraph"_s)->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fly->isVisible());
    EXPECT_FALSE(fly->flying());

    // A pasted text has no name.
    QGuiApplication::clipboard()->setText(u"One more line. And another one here."_s);
    window->findChild<QAction*>(u"acPaste"_s)->trigger();
    window->findChild<QAction*>(u"acCount"_s)->trigger();
    window->findChild<QAction*>(u"acFlyGraph"_s)->trigger();
    ASSERT_TRUE(test::waitFor([&] { return fly->flying(); }));
    EXPECT_EQ(fly->findChild<QLabel*>(u"Label1"_s)->text(), u"無題"_s);
}

// Once the history window has flown a saved record, the main window's fly action shows that
// record as it stands: the kept values are the record's now, not the text measured before.
TEST_F(FlyFromMainWindow, ARecordFlownFromTheHistoryStaysAsItStands) {
    QGuiApplication::clipboard()->setText(u"One more line. And another one here."_s);
    window->findChild<QAction*>(u"acPaste"_s)->trigger();
    window->findChild<QAction*>(u"acCount"_s)->trigger();

    TRecItem record;
    record.Title = u"Saved story"_s;
    record.Values = {4, 4, 6, 40, 52, 30, 3, 80, 160, 52, 41, 33, 60, 28, 30, 77, 50, 61, 70, 800};
    // What the history window's fly action does with the selected record.
    window->ShowRecordValues(record);
    TTextCounts totals;
    TWholeTextValues whole;
    PutRecordForFly(record, totals, whole);
    fly->handOver(FlyValuesOf(totals, whole), record.Title);
    ASSERT_TRUE(test::waitFor([&] { return fly->flying(); }));
    fly->advanceClock(60'000);
    ASSERT_FALSE(fly->flying());

    window->findChild<QAction*>(u"acFlyGraph"_s)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(fly->flying());
    EXPECT_EQ(fly->findChild<QLabel*>(u"Label1"_s)->text(), u"Saved story"_s);
    EXPECT_EQ(fly->flies().entries[0].Value, 52);
}

} // namespace
} // namespace pelmar

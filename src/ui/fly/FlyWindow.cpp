#include "ui/fly/FlyWindow.h"

#include "desktop/GraphColours.h"
#include "desktop/WindowPlacement.h"
#include "fly/FlyRandom.h"
#include "fly/FlyTendency.h"
#include "fly/FlyTexts.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"
#include "ui/common/BgrColor.h"
#include "ui/common/CopyScreenRect.h"
#include "ui/common/WindowFont.h"
#include "ui/fly/BitmapView.h"
#include "ui/fly/FlyArtwork.h"
#include "ui/fly/FlyPicture.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QToolButton>

namespace pelmar {

namespace {

// The window's design: a fixed client area, the header strip across the top, the graph below.
constexpr int ClientWidth = 692;
constexpr int ClientHeight = 466;
constexpr int PanelHeight = 65;
const QRect GraphPlace(0, PanelHeight, ClientWidth, ClientHeight - PanelHeight);

constexpr int FirstCaptionTag = 45;
constexpr std::array<int, 4> CaptionLefts = {488, 536, 584, 640};

QString positionKey(std::size_t i) {
    const auto key = vocab::PositionKeys[i];
    return QStringLiteral("FlyPos/") + QString::fromLatin1(key.data(), qsizetype(key.size()));
}

QToolButton* headerButton(QWidget* parent, const char* name, const QString& caption, int y) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(12, y, 69, 33);
    return button;
}

std::unique_ptr<TFlyRandom> clockSeeded() {
    return std::make_unique<TSeededRandom>(std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
}

} // namespace

TForm4::TForm4(TFlySeams seams, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_prompts(seams.prompts ? std::move(seams.prompts) : MakeDesktopPrompts()),
      m_random(seams.random ? std::move(seams.random) : clockSeeded()),
      m_flies(GraphPlace, ClientWidth) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pelmar Major 8 + 2"));
    setFont(JapaneseWindowFont());
    setFixedSize(ClientWidth, ClientHeight);
    m_fonts = MakeFlyFonts(font());
    m_logo = FlyLogo();
    m_timers = new TFlyTimers([this](int entry, TFlyTimerKind kind) { phaseTick(entry, kind); },
                              seams.virtualClock, this);

    m_graph = new TBitmapView(this);
    m_graph->setObjectName(QStringLiteral("Image1"));
    m_graph->setGeometry(GraphPlace);
    m_graph->setBitmap(QImage(GraphPlace.size(), QImage::Format_RGB32));
    createHeader();
    createFlies();
    readSettings();
    // Until a text comes, the plain scale.
    DrawScale(false);
}

TForm4::~TForm4() = default;

void TForm4::createHeader() {
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(0, 0, ClientWidth, PanelHeight);

    m_background = new TBitmapView(m_panel);
    m_background->setObjectName(QStringLiteral("Image2"));
    m_background->setGeometry(m_panel->rect());
    m_background->setStretched(true);
    m_background->setBitmap(HeaderBackground(m_panel->size()));

    // The gauges are drawn on a silver bitmap whose silver lets the background through.
    m_overlay = new TBitmapView(m_panel);
    m_overlay->setObjectName(QStringLiteral("Image3"));
    m_overlay->setGeometry(m_panel->rect());
    m_overlay->setTransparentColour(QRgb(BgrToRgb(colours::Silver)));
    QImage overlay(m_panel->size(), QImage::Format_RGB32);
    overlay.fill(BgrColor(colours::Silver));
    m_overlay->setBitmap(overlay);

    m_close = headerButton(m_panel, "SpeedButton1", QStringLiteral("とじる"), 0);
    m_copy = headerButton(m_panel, "SpeedButton4", QStringLiteral("コピー"), 32);
    connect(m_close, &QToolButton::clicked, this, &QWidget::close);
    connect(m_copy, &QToolButton::clicked, this, [this] {
        copyPicture(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier));
    });

    m_title = new QLabel(m_panel);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setFont(JapaneseWindowFont(19));
    m_title->setGeometry(104, 10, 361, 24);
    m_words = new QLabel(m_panel);
    m_words->setObjectName(QStringLiteral("Label3"));
    m_words->setFont(JapaneseWindowFont(16));
    m_words->setGeometry(104, 40, 361, 20);

    for (int k = 0; k < 4; ++k) {
        auto* caption = new QLabel(GaugeCaption(k), m_panel);
        // A size smaller, so the four captions fit the 48 pixels between the gauges.
        caption->setFont(JapaneseWindowFont(11));
        caption->setObjectName(QStringLiteral("Label%1").arg(k + 4));
        caption->move(CaptionLefts[std::size_t(k)], 8);
        caption->adjustSize();
        caption->setCursor(Qt::PointingHandCursor);
        caption->setProperty("tag", FirstCaptionTag + k);
        caption->installEventFilter(this);
        m_captions[std::size_t(k)] = caption;
    }
}

void TForm4::createFlies() {
    for (int n = 0; n < FlyCount; ++n) {
        auto* picture = new TFlyPicture(FlyBadge(n, false), n + 9, this);
        picture->setObjectName(QStringLiteral("Fly%1").arg(n));
        picture->hide();
        connect(picture, &TFlyPicture::pressed, this, &TForm4::flyPressed);
        m_pictures[std::size_t(n)] = picture;
    }
    m_alt = new TFlyPicture(FlyBadge(0, true), 9, this);
    m_alt->setObjectName(QStringLiteral("FlyAlt"));
    m_alt->hide();
    connect(m_alt, &TFlyPicture::pressed, this, &TForm4::flyPressed);
    // The header stays above the flies passing under it.
    m_panel->raise();
}

void TForm4::readSettings() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : size();
    const QPoint centred = CenteredPosition(screen, size());
    const QPoint saved(settings.value(positionKey(0), centred.x()).toInt(),
                       settings.value(positionKey(1), centred.y()).toInt());
    // A position saved on a monitor that is gone would leave the window out of sight.
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->geometry();
    move(ClampWindowPosition(saved, size(), screens));
}

void TForm4::writeSettings() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.setValue(positionKey(0), x());
    settings.setValue(positionKey(1), y());
    settings.sync();
}

// --- hand-over and showing ----------------------------------------------------------------

void TForm4::handOver(const TFlyValues& values, const QString& title) {
    m_flies.StopPhases();
    m_timers->sync(m_flies);
    m_values = values;
    SetFlyTitle(title);
    hide();
    m_pending = true;
    show();
    raise();
    activateWindow();
}

void TForm4::SetFlyTitle(const QString& title) {
    m_title->setText(title);
    m_words->setText(FlyWordsText(title, m_values.words));
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_pending)
        return;
    m_pending = false;
    m_flies.Prepare(m_values);
    // Drawn once the window is up; a newer hand-over in between wins.
    const int generation = ++m_drawGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_drawGeneration)
                drawAndLaunch();
        },
        Qt::QueuedConnection);
}

void TForm4::drawAndLaunch() {
    DrawScale(true);
    DrawTendency();
    LaunchFlies();
}

void TForm4::DrawScale(bool fitToValues) {
    m_flies.ClientWidth = width();
    m_flies.Graph = m_graph->geometry();
    m_flies.FitFlySize();
    if (fitToValues)
        m_flies.FitScale();
    m_flies.DigitsWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("999"));

    TScaleInput in;
    in.graph = m_graph->size();
    in.windowHeight = height();
    in.flyWidth = m_flies.FlyWidth;
    in.scaleMax = m_flies.ScaleMax;
    in.scaleMin = m_flies.ScaleMin;
    in.logo = m_logo.size();
    const TQtFlyMetrics metrics(m_fonts);
    PaintScale(m_graph->bitmap(), PlanScale(in, metrics), m_fonts, m_logo);
    m_graph->refresh();
    syncPictures();
}

void TForm4::DrawTendency() {
    const QFontMetrics metrics(font());
    const auto gauges = PlanTendency(m_values.styles, [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text);
    });
    PaintTendency(m_overlay->bitmap(), gauges, font());
    m_overlay->refresh();
}

void TForm4::LaunchFlies() {
    m_flies.LaunchFlies(m_timers->now(), *m_random);
    syncPictures();
    m_timers->sync(m_flies);
}

// --- flight ---------------------------------------------------------------------------------

void TForm4::phaseTick(int entry, TFlyTimerKind kind) {
    const std::uint32_t now = m_timers->now();
    switch (kind) {
    case TFlyTimerKind::Fly:
        m_flies.FlyTick(entry, now, *m_random);
        break;
    case TFlyTimerKind::Rest:
        m_flies.RestTick(entry, now, *m_random);
        break;
    case TFlyTimerKind::Land:
        if (const auto dot = m_flies.LandTick(entry, now, *m_random)) {
            PaintLandingDot(m_graph->bitmap(), *dot);
            m_graph->refresh();
        }
        break;
    }
    syncPictures();
    m_timers->sync(m_flies);
}

void TForm4::advanceClock(int milliseconds) {
    m_timers->advance(milliseconds);
}

void TForm4::syncPictures() {
    for (int n = 0; n < FlyCount; ++n) {
        const TPicturePlace& place = m_flies.entries[std::size_t(n)].Image;
        TFlyPicture* picture = m_pictures[std::size_t(n)];
        picture->setGeometry(place.rect);
        picture->setVisible(place.visible);
    }
    const TPicturePlace& alt = m_flies.entries[0].AltImage;
    m_alt->setGeometry(alt.rect);
    m_alt->setVisible(alt.visible);
    if (m_flies.zOrder != m_shownOrder) {
        m_shownOrder = m_flies.zOrder;
        for (const int id : m_shownOrder)
            (id == AltPictureId ? m_alt : m_pictures[std::size_t(id)])->raise();
        m_panel->raise();
    }
}

// --- presses, clicks, copy, close -----------------------------------------------------------

void TForm4::flyPressed(int tag) {
    const TGLFly* fly = m_flies.item(tag - 9);
    if (!fly)
        return;
    m_prompts->infoMessage(FlyPressText(fly->Value, tag));
}

void TForm4::captionClicked(int tag) {
    const QString text = StyleCaptionText(tag - FirstCaptionTag);
    if (!text.isEmpty())
        m_prompts->infoMessage(text);
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QVariant tag = watched->property("tag");
        if (mouse->button() == Qt::LeftButton && tag.isValid()) {
            captionClicked(tag.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm4::copyPicture(bool whiten) {
    m_close->hide();
    m_copy->hide();
    if (whiten)
        m_background->hide();
    CopyScreenRect(this, rect(), whiten,
                   [this](const QString& message) { m_prompts->information(this, message); });
    m_background->show();
    m_close->show();
    m_copy->show();
}

void TForm4::closeEvent(QCloseEvent* event) {
    writeSettings();
    SetFlyTitle(QString());
    QWidget::closeEvent(event);
}

} // namespace pelmar

#include "ui/history/GLItems.h"

#include "history/RecItems.h"
#include "ui/common/CopyScreenRect.h"
#include "ui/dialogs/Prompts.h"
#include "ui/history/GLILable.h"
#include "ui/history/GLImage.h"
#include "ui/history/GraphRangeBar.h"
#include "ui/history/GraphText.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace pelmar {

namespace {

constexpr int WheelNotch = 120;
constexpr int SecondDrawMs = 100;

QString pictureFileFromDialog(QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("グラフを画像で保存"),
                                        QDir::homePath(), QStringLiteral("PNG (*.png)"));
}

} // namespace

TGLItems::TGLItems(QWidget* parent)
    : QWidget(parent), m_textFont(GothicFont(12)), m_smallFont(GothicFont(11)),
      m_titleFont(GothicFont(12)) {
    setObjectName(QStringLiteral("GLItems"));
    // The history window keeps its lower half at least this high.
    setMinimumHeight(345);
    for (int f = 0; f < SeriesCount; ++f)
        m_series.push_back(std::make_unique<TGLItem>(f, this));
    m_auxiliary.fill(false);

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("GraphScrollBar"));
    m_axis = new TGraphImage(this);
    m_axis->setObjectName(QStringLiteral("GraphAxis"));
    m_legend = new TGraphImage(this);
    m_legend->setObjectName(QStringLiteral("GraphLegend"));
    m_top = new TGraphImage(this);
    m_top->setObjectName(QStringLiteral("GraphTop"));
    m_plot = new TGraphImage(this);
    m_plot->setObjectName(QStringLiteral("GraphPlot"));
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    m_titles = new TGLImage(this);
    m_overlay = new TGraphImage(this, true);
    m_overlay->setObjectName(QStringLiteral("GraphOverlay"));
    m_overlay->hide();

    for (int f = 0; f < GradeFormulaCount; ++f) {
        auto* label = new TGLILable(f + 9, m_legend);
        label->setFont(m_textFont);
        label->hide();
        connect(label, &TGLILable::pointerEntered, this,
                [this](int tag) { highlightFormula(tag - 9); });
        connect(label, &TGLILable::pointerLeft, this, [this](int) { clearHighlight(); });
        connect(label, &TGLILable::clicked, this, &TGLItems::formulaClicked);
        m_formulaLabels.push_back(label);
    }
    for (std::size_t i = 0; i < AuxMeasures().size(); ++i) {
        auto* label = new QLabel(m_legend);
        label->setObjectName(QStringLiteral("GraphAuxLabel%1").arg(i));
        label->setFont(m_textFont);
        label->hide();
        m_auxLabels.push_back(label);
    }

    connect(m_scroll, &QScrollBar::valueChanged, this, &TGLItems::onScroll);
    connect(m_titles, &TGLImage::clicked, this, [this](QPoint at) {
        const int position = m_plane.TitleRecordAt(at.x());
        if (position >= 0 && position < count())
            Q_EMIT recordClicked(position);
    });
    connect(m_titles, &TGLImage::pointerEntered, this,
            [this](QPoint at) { highlightColumn(at.x()); });
    connect(m_titles, &TGLImage::pointerMoved, this,
            [this](QPoint at) { highlightColumn(at.x()); });
    connect(m_titles, &TGLImage::pointerLeft, this, &TGLItems::clearHighlight);

    // Sizes may still settle after a layout, so the graph draws once more a moment later.
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(SecondDrawMs);
    connect(&m_redrawTimer, &QTimer::timeout, this, [this] { draw(false); });

    pump = [] { QCoreApplication::processEvents(); };
    ctrlHeld = [] {
        return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    };
    chooseSaveFile = [this] { return pictureFileFromDialog(this); };
    message = [this](const QString& text) { MakeDesktopPrompts()->information(this, text); };
    createActions();
    placeParts();
}

TGLItems::~TGLItems() = default;

void TGLItems::createActions() {
    m_acGraphSave = new QAction(QStringLiteral("グラフを画像で保存(&S)..."), this);
    m_acGraphSave->setObjectName(QStringLiteral("acGraphSave"));
    connect(m_acGraphSave, &QAction::triggered, this, [this] { savePicture(); });
    // The window adds its copy commands in front of it.
    addAction(m_acGraphSave);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TGLItems::showMessage(const QString& text) {
    if (message)
        message(text);
}

void TGLItems::setItems(const TRecItems* items) {
    m_items = items;
    m_selected.clear();
}

void TGLItems::setFormulaVisible(int formula, bool visible) {
    if (formula >= 0 && formula < SeriesCount)
        m_series[static_cast<std::size_t>(formula)]->Visible = visible;
}

bool TGLItems::formulaVisible(int formula) const {
    return formula >= 0 && formula < SeriesCount &&
           m_series[static_cast<std::size_t>(formula)]->Visible;
}

void TGLItems::setAuxiliary(int measure, bool on) {
    if (FindAuxMeasure(measure) != nullptr)
        m_auxiliary[static_cast<std::size_t>(measure)] = on;
}

bool TGLItems::auxiliary(int measure) const {
    return FindAuxMeasure(measure) != nullptr && m_auxiliary[static_cast<std::size_t>(measure)];
}

void TGLItems::setSampleMarkers(bool shown) { m_sampleMarkers = shown; }

const TGLItem& TGLItems::series(int formula) const {
    return *m_series[static_cast<std::size_t>(std::clamp(formula, 0, SeriesCount - 1))];
}

QWidget* TGLItems::legendImage() const { return m_legend; }

int TGLItems::count() const { return m_items != nullptr ? m_items->Count() : 0; }

std::vector<int> TGLItems::auxiliaryOn() const {
    std::vector<int> measures;
    for (const TAuxMeasure& aux : AuxMeasures()) {
        if (m_auxiliary[static_cast<std::size_t>(aux.measure)])
            measures.push_back(aux.measure);
    }
    return measures;
}

bool TGLItems::isSelected(int position) const {
    return std::binary_search(m_selected.begin(), m_selected.end(), position);
}

void TGLItems::resizeEvent(QResizeEvent*) {
    placeParts();
    layoutGraph();
}

void TGLItems::placeParts() {
    const int w = width();
    const int h = height();
    const int bar = m_scroll->sizeHint().height();
    const int middle = std::max(0, w - GraphSize::Axis - GraphSize::Legend);
    m_axis->setGeometry(0, 0, GraphSize::Axis, h);
    m_legend->setGeometry(std::max(0, w - GraphSize::Legend), 0, GraphSize::Legend, h);
    m_scroll->setGeometry(GraphSize::Axis, 0, middle, bar);
    m_top->setGeometry(GraphSize::Axis, bar, middle, GraphSize::TopStrip);
    const int plotHeight = std::max(0, h - bar - GraphSize::TopStrip - GraphSize::Titles);
    m_plot->setGeometry(GraphSize::Axis, bar + GraphSize::TopStrip, middle, plotHeight);
    m_overlay->setGeometry(m_plot->geometry());
    m_titles->setGeometry(GraphSize::Axis, std::max(0, h - GraphSize::Titles), middle,
                          GraphSize::Titles);
    for (TGraphImage* image : {m_axis, m_legend, m_top, m_plot, static_cast<TGraphImage*>(m_titles),
                               m_overlay})
        image->Fit();
    m_overlay->raise();
}

void TGLItems::layoutGraph() {
    m_layoutPending = true;
    draw(false);
    m_redrawTimer.start();
}

void TGLItems::computeLayout() {
    m_range.Layout(m_items != nullptr ? GradeRangeOf(*m_items) : GradeRangeFor(-20, 10));
    rangeChanged();
    m_visible = VisibleColumns(m_plot->width(), m_step, count());
    const TGraphScroll scroll = ScrollAfterLayout(count(), m_visible);
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setRange(scroll.minimum, scroll.last);
    // Qt's page step is both the thumb's share and the jump of a click beside it; the jump is
    // what a user feels, so it gets the large change.
    m_scroll->setPageStep(scroll.largeChange);
    m_scroll->setSingleStep(1);
    m_scroll->setValue(scroll.position);
    m_first = scroll.position;
    m_plane.First = -1; // the next scroll always redraws
}

void TGLItems::applyScroll(int first) {
    m_first = ClampScroll(first, count(), m_visible);
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setRange(0, std::max(0, count() - m_visible));
    m_scroll->setValue(m_first);
}

void TGLItems::setStep(int position) {
    position = std::clamp(position, GraphStepMinPosition, GraphStepMaxPosition);
    if (position == m_stepPosition)
        return;
    m_stepPosition = position;
    m_step = StepForPosition(position);
    Dirty = true;
    m_visible = VisibleColumns(m_plot->width(), m_step, count());
    m_scroll->setPageStep(ScrollAfterLayout(count(), m_visible).largeChange);
    applyScroll(m_first);
}

void TGLItems::setStepPosition(int position) {
    if (std::clamp(position, GraphStepMinPosition, GraphStepMaxPosition) == m_stepPosition)
        return;
    setStep(position);
    draw(false);
}

void TGLItems::onScroll(int value) {
    m_first = value;
    if (value != m_plane.First)
        draw(false);
}

void TGLItems::onWheel(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        // A plain wheel scrolls through the records.
        QCoreApplication::sendEvent(m_scroll, event);
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / WheelNotch;
    m_wheelRemainder %= WheelNotch;
    const int position =
        std::clamp(m_stepPosition + notches, GraphStepMinPosition, GraphStepMaxPosition);
    if (notches == 0 || position == m_stepPosition)
        return;
    const int oldVisible = m_visible;
    const int oldFirst = m_first;
    setStep(position);
    applyScroll(ZoomScrollPosition(oldFirst, oldVisible, m_visible,
                                   event->position().toPoint().x(), m_plot->width(), count()));
    Q_EMIT stepPositionChanged(position);
    draw(false);
}

void TGLItems::showSelection(std::vector<int> positions) {
    std::sort(positions.begin(), positions.end());
    m_selected = std::move(positions);
    if (m_selected.size() == 1) {
        const int next = ScrollToSelection(m_first, m_visible, count(), m_selected.front());
        if (next != m_first) {
            applyScroll(next);
            draw(false);
            return;
        }
    }
    // A running drawing draws the marks at its end.
    if (!m_drawing && count() > 0)
        drawSelectionMarks(m_plane);
}

void TGLItems::pressRange(RangeButton button) {
    bool changed = false;
    switch (button) {
    case RangeButton::UpperUp: changed = m_range.UpperUp(); break;
    case RangeButton::UpperDown: changed = m_range.UpperDown(); break;
    case RangeButton::LowerUp: changed = m_range.LowerUp(); break;
    case RangeButton::LowerDown: changed = m_range.LowerDown(); break;
    }
    rangeChanged();
    if (changed)
        draw(false);
}

void TGLItems::setRangeBar(TGraphRangeBar* bar) {
    m_rangeBar = bar;
    rangeChanged();
}

void TGLItems::rangeChanged() {
    if (m_rangeBar != nullptr) {
        m_rangeBar->setRange(m_range.Minimum(), m_range.Maximum());
        m_rangeBar->setSelection(m_range.SelStart(), m_range.SelEnd());
    }
    Q_EMIT rangeButtonsChanged(m_range.UpperUpEnabled, m_range.UpperDownEnabled,
                               m_range.LowerUpEnabled, m_range.LowerDownEnabled);
}

TGraphPlane TGLItems::currentPlane() const {
    TGraphPlane p;
    p.Width = m_plot->Picture().width();
    p.Height = m_plot->Picture().height();
    p.Range = m_range.Shown();
    p.Step = m_step;
    p.First = m_first;
    p.Visible = m_visible;
    p.Count = count();
    return p;
}

bool TGLItems::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_plot)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        onHover(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::Wheel:
        onWheel(static_cast<QWheelEvent*>(event));
        return true;
    case QEvent::Leave:
        m_plot->setToolTip(QString());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TGLItems::onHover(QPoint position) {
    std::array<std::vector<TGraphPoint>, GradeFormulaCount> points;
    std::array<bool, GradeFormulaCount> visible{};
    for (int f = 0; f < GradeFormulaCount; ++f) {
        points[static_cast<std::size_t>(f)] = m_series[static_cast<std::size_t>(f)]->Points;
        visible[static_cast<std::size_t>(f)] = m_series[static_cast<std::size_t>(f)]->Visible;
    }
    QString hint;
    if (const auto hit = PointNear(points, visible, position.x(), position.y())) {
        if (const TRecItem* item =
                m_items != nullptr ? m_items->Item(m_plane.First + hit->column) : nullptr)
            hint = PointHint(*item, hit->formula);
    }
    if (hint == m_plot->toolTip())
        return;
    m_plot->setToolTip(hint);
    if (QToolTip::isVisible()) {
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(m_plot->mapToGlobal(position), hint, m_plot);
    }
}

QRect TGLItems::pictureArea() {
    // The panel below the scroll bar, as the copy has always taken it, without a highlight the
    // pointer happened to leave on the way to the command.
    clearHighlight();
    const int top = m_scroll->height() + 2;
    return QRect(0, top, width() - 1, height() - 1 - top);
}

QImage TGLItems::picture(bool whiten) {
    const QRect area = pictureArea();
    if (area.isEmpty())
        return {};
    QImage shot = grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (whiten)
        WhitenBandColours(shot);
    return shot;
}

bool TGLItems::copyPicture(bool whiten) {
    const QRect area = pictureArea();
    return !area.isEmpty() && !CopyScreenRect(this, area, whiten, {}).isNull();
}

bool TGLItems::savePicture() {
    QString path = chooseSaveFile ? chooseSaveFile() : QString();
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    const QImage shot = picture(ctrlHeld && ctrlHeld());
    if (shot.isNull() || !shot.save(path, "PNG")) {
        showMessage(QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

} // namespace pelmar

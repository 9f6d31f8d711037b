#include "ui/history/HistoryToolArea.h"

#include "history/HistoryWindowSettings.h"
#include "measure/Vocabulary.h"
#include "ui/history/GraphRangeBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace pelmar {

namespace {

QString u(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A push button as wide as its caption: the style's least width for push buttons would make
// the tool area too wide for the window's default size on a small screen.
QPushButton* smallButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    const QStyle* style = button->style();
    const int padding = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
    QString text = caption;
    text.remove(QLatin1Char('&'));
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + padding + 4);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return button;
}

QToolButton* toolButton(const QString& caption, const QString& hint, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(false);
    return button;
}

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    return box;
}

template <typename Layout> Layout* tight(Layout* layout) {
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    return layout;
}

} // namespace

THistoryToolArea::THistoryToolArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ToolArea"));
    // Three columns, no higher than the upper panel's least height and narrow enough to leave
    // the lists room in the window's default size on a 1024x768 screen: the window's and the
    // graph's commands, the formulas, and the auxiliary bars over the samples.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 2, 4, 2);
    columns->setSpacing(6);

    auto* commands = new QGridLayout;
    commands->setHorizontalSpacing(2);
    commands->setVerticalSpacing(3);
    closeButton = smallButton(QStringLiteral("閉じる"), "CloseButton", this);
    measureButton = smallButton(QStringLiteral("計測"), "MeasureButton", this);
    openButton = smallButton(QStringLiteral("開く"), "OpenButton", this);
    flyButton = toolButton(QStringLiteral("フライ"), QString(), "FlyButton", this);
    flyButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    flyButton->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    commands->addWidget(closeButton, 0, 0);
    commands->addWidget(measureButton, 0, 1);
    commands->addWidget(openButton, 1, 0);
    commands->addWidget(flyButton, 1, 1);

    auto* search = new QHBoxLayout;
    search->setSpacing(2);
    searchBox = new QLineEdit(this);
    searchBox->setObjectName(QStringLiteral("SearchBox"));
    searchBox->setMinimumWidth(60);
    searchBox->installEventFilter(this);
    searchButton = smallButton(QStringLiteral("検索"), "SearchButton", this);
    searchButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    searchButton->setFixedWidth(searchButton->minimumWidth());
    search->addWidget(searchBox, 1);
    search->addWidget(searchButton);
    commands->addLayout(search, 2, 0, 1, 2);

    stepBar = new QSlider(Qt::Horizontal, this);
    stepBar->setObjectName(QStringLiteral("StepBar"));
    stepBar->setRange(1, 6);
    stepBar->setValue(2);
    stepBar->setPageStep(1);
    stepBar->setTickPosition(QSlider::TicksBelow);
    commands->addWidget(stepBar, 3, 0, 1, 2);

    const QString raise = QStringLiteral("グラフの上限を上げる");
    const QString lower = QStringLiteral("グラフの上限を下げる");
    auto* range = new QGridLayout;
    range->setSpacing(2);
    upperUp = toolButton(QStringLiteral("▲"), raise, "UpperUp", this);
    upperDown = toolButton(QStringLiteral("▼"), lower, "UpperDown", this);
    lowerUp = toolButton(QStringLiteral("▲"), raise, "LowerUp", this);
    lowerDown = toolButton(QStringLiteral("▼"), lower, "LowerDown", this);
    range->addWidget(upperUp, 0, 0);
    range->addWidget(upperDown, 0, 1);
    range->addWidget(lowerUp, 1, 0);
    range->addWidget(lowerDown, 1, 1);
    tableCopyButton = toolButton(QString(), QString(), "TableCopyButton", this);
    graphCopyButton = toolButton(QString(), QString(), "GraphCopyButton", this);
    rangeBar = new TGraphRangeBar(this);
    range->addWidget(rangeBar, 0, 2, 2, 1);
    range->setColumnStretch(3, 1);
    range->addWidget(tableCopyButton, 0, 4);
    range->addWidget(graphCopyButton, 1, 4);
    commands->addLayout(range, 4, 0, 1, 2);
    commands->setRowStretch(5, 1);
    columns->addLayout(commands);

    auto* graphGroup = group(QStringLiteral("グラフ表示"), this);
    auto* graphLayout = tight(new QVBoxLayout(graphGroup));
    formulaList = new QListWidget(graphGroup);
    formulaList->setObjectName(QStringLiteral("FormulaList"));
    for (int f = 0; f < 10; ++f) {
        const QString name = u(vocab::IndexNames[static_cast<std::size_t>(f)]);
        auto* item = new QListWidgetItem(name, formulaList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setToolTip(name);
    }
    // Long names end in "…" (their hints give them whole); the list scrolls to the last ones.
    formulaList->setFixedWidth(
        formulaList->fontMetrics().horizontalAdvance(QStringLiteral("Flesch-Kincaid Grade")) + 44);
    formulaList->setMinimumHeight(60);
    formulaList->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    formulaList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formulaList->setTextElideMode(Qt::ElideRight);
    graphLayout->addWidget(formulaList, 1);
    auto* graphButtons = new QHBoxLayout;
    graphButtons->setSpacing(2);
    formulasOn = smallButton(QStringLiteral("ON"), "FormulasOn", graphGroup);
    formulasOff = smallButton(QStringLiteral("OFF"), "FormulasOff", graphGroup);
    graphButtons->addWidget(formulasOn);
    graphButtons->addWidget(formulasOff);
    graphLayout->addLayout(graphButtons);
    columns->addWidget(graphGroup);

    // The six boxes in two rows of three, "ON" and "OFF" closing the rows.
    auto* auxGroup = group(QStringLiteral("補助表示"), this);
    auto* auxLayout = tight(new QGridLayout(auxGroup));
    const char* const captions[] = {"wps", "civ", "wpp", "sypw", "pps", "psy3"};
    for (std::size_t i = 0; i < auxiliary.size(); ++i) {
        const int measure = AuxiliaryMeasures[i];
        auto* box = new QCheckBox(QString::fromLatin1(captions[i]), auxGroup);
        box->setObjectName(QStringLiteral("Aux_") + u(vocab::ColumnKeys[static_cast<std::size_t>(measure)]));
        box->setToolTip(u(vocab::RatioNames[static_cast<std::size_t>(measure - 22)]) + QLatin1Char(' ') +
                        u(vocab::RatioNamesJa[static_cast<std::size_t>(measure - 22)]));
        auxiliary[i] = box;
        auxLayout->addWidget(box, static_cast<int>(i / 3), static_cast<int>(i % 3));
    }
    auxiliaryOn = smallButton(QStringLiteral("ON"), "AuxiliaryOn", auxGroup);
    auxiliaryOff = smallButton(QStringLiteral("OFF"), "AuxiliaryOff", auxGroup);
    auxLayout->addWidget(auxiliaryOn, 0, 3);
    auxLayout->addWidget(auxiliaryOff, 1, 3);

    auto* sampleBox = group(QStringLiteral("サンプル"), this);
    sampleBox->setObjectName(QStringLiteral("SampleGroup"));
    auto* sampleLayout = tight(new QGridLayout(sampleBox));
    sampleGroup = new QButtonGroup(this);
    const char* const sampleCaptions[] = {"すべて", "一部", "なし"};
    const char* const levelHints[] = {
        "Authentic Materials  特に語学教材として作られたわけではない作品",
        "Text for Learners of English as Native Language 母語話者、英米人にとっての英語教材",
        "Text for Learners of English as Foreign Language 第二言語、日本人にとっての英語教材",
    };
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(sampleCaptions[i]), sampleBox);
        radio->setObjectName(QStringLiteral("Sample%1").arg(i));
        sampleGroup->addButton(radio, i);
        sampleButtons[static_cast<std::size_t>(i)] = radio;
        sampleLayout->addWidget(radio, 0, i);
        auto* level = new QCheckBox(QStringLiteral("L%1 text").arg(i), sampleBox);
        level->setObjectName(QStringLiteral("Level%1").arg(i));
        level->setToolTip(QString::fromUtf8(levelHints[i]));
        levels[static_cast<std::size_t>(i)] = level;
        sampleLayout->addWidget(level, 1, i);
    }
    auto* choices = new QVBoxLayout;
    choices->setSpacing(2);
    choices->addWidget(auxGroup);
    choices->addWidget(sampleBox);
    choices->addStretch();
    columns->addLayout(choices);
    columns->addStretch();
}

void THistoryToolArea::setSampleControlsEnabled(bool on) {
    for (QRadioButton* radio : sampleButtons)
        radio->setEnabled(on);
    for (QCheckBox* level : levels)
        level->setEnabled(on);
}

bool THistoryToolArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT searchRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pelmar

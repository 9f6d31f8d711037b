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
#include <QToolButton>
#include <QVBoxLayout>

namespace pelmar {

namespace {

QString u(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* smallButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
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

} // namespace

THistoryToolArea::THistoryToolArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ToolArea"));
    // Four columns in two rows, so the area stays low enough for the lists beside it.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    closeButton = smallButton(QStringLiteral("閉じる"), "CloseButton", this);
    measureButton = smallButton(QStringLiteral("計測"), "MeasureButton", this);
    openButton = smallButton(QStringLiteral("開く"), "OpenButton", this);
    for (QPushButton* b : {closeButton, measureButton, openButton})
        buttons->addWidget(b);
    flyButton = toolButton(QStringLiteral("フライ"), QString(), "FlyButton", this);
    flyButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    flyButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(flyButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 0, 2, 1);

    auto* graphGroup = new QGroupBox(QStringLiteral("グラフ表示"), this);
    auto* graphLayout = new QVBoxLayout(graphGroup);
    graphLayout->setContentsMargins(4, 2, 4, 2);
    graphLayout->setSpacing(2);
    formulaList = new QListWidget(graphGroup);
    formulaList->setObjectName(QStringLiteral("FormulaList"));
    for (int f = 0; f < 10; ++f) {
        const QString name = u(vocab::IndexNames[static_cast<std::size_t>(f)]);
        auto* item = new QListWidgetItem(name, formulaList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setToolTip(name);
    }
    formulaList->setFixedWidth(210);
    formulaList->setMinimumHeight(60);
    formulaList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formulaList->setTextElideMode(Qt::ElideRight);
    graphLayout->addWidget(formulaList);
    auto* graphButtons = new QHBoxLayout;
    formulasOn = smallButton(QStringLiteral("ON"), "FormulasOn", graphGroup);
    formulasOff = smallButton(QStringLiteral("OFF"), "FormulasOff", graphGroup);
    graphButtons->addWidget(formulasOn);
    graphButtons->addWidget(formulasOff);
    graphLayout->addLayout(graphButtons);
    grid->addWidget(graphGroup, 0, 1, 2, 1);

    auto* auxGroup = new QGroupBox(QStringLiteral("補助表示"), this);
    auto* auxLayout = new QGridLayout(auxGroup);
    auxLayout->setContentsMargins(4, 2, 4, 2);
    auxLayout->setSpacing(2);
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
    auxLayout->addWidget(auxiliaryOn, 2, 0);
    auxLayout->addWidget(auxiliaryOff, 2, 1);
    grid->addWidget(auxGroup, 0, 2);

    auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
    sampleBox->setObjectName(QStringLiteral("SampleGroup"));
    auto* sampleLayout = new QGridLayout(sampleBox);
    sampleLayout->setContentsMargins(4, 2, 4, 2);
    sampleLayout->setSpacing(2);
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
    grid->addWidget(sampleBox, 1, 2);

    auto* search = new QHBoxLayout;
    searchBox = new QLineEdit(this);
    searchBox->setObjectName(QStringLiteral("SearchBox"));
    searchBox->setMinimumWidth(90);
    searchBox->installEventFilter(this);
    searchButton = smallButton(QStringLiteral("検索"), "SearchButton", this);
    search->addWidget(searchBox);
    search->addWidget(searchButton);
    auto* graphControls = new QVBoxLayout;
    graphControls->setSpacing(2);
    graphControls->addLayout(search);
    stepBar = new QSlider(Qt::Horizontal, this);
    stepBar->setObjectName(QStringLiteral("StepBar"));
    stepBar->setRange(1, 6);
    stepBar->setValue(2);
    stepBar->setPageStep(1);
    stepBar->setTickPosition(QSlider::TicksBelow);
    graphControls->addWidget(stepBar);
    grid->addLayout(graphControls, 0, 3);

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
    range->addWidget(tableCopyButton, 0, 3);
    range->addWidget(graphCopyButton, 1, 3);
    range->setColumnStretch(4, 1);
    grid->addLayout(range, 1, 3);
    grid->setRowStretch(2, 1);
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

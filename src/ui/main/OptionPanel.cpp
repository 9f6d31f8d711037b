#include "ui/main/OptionPanel.h"

#include "measure/Vocabulary.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace pelmar {
namespace {

void setMark(QListWidget* list, int row, bool on) {
    if (QListWidgetItem* item = list->item(row))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

template <std::size_t N>
void fillList(QListWidget* list, const std::array<std::string_view, N>& names) {
    for (std::string_view name : names) {
        auto* item = new QListWidgetItem(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), list);
        // The panel flips the mark itself, so a click on the box or the text toggles it once.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
}

template <std::size_t N>
void showMarks(QListWidget* list, const std::array<bool, N>& marks) {
    for (std::size_t i = 0; i < N; ++i)
        setMark(list, static_cast<int>(i), marks[i]);
}

} // namespace

TOptionPanel::TOptionPanel(TMeasureOptions& options, QWidget* parent)
    : QWidget(parent), m_options(options) {
    setObjectName(QStringLiteral("Panel2"));
    setFixedHeight(164);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);

    auto group = [&](int index, const char* name, const QString& caption) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(4, 4, 4, 4);
        m_groups[index] = box;
        // The two short after-measurement items leave the room to the lists of long names.
        row->addWidget(box, index == 3 ? 2 : 3);
        return layout;
    };
    auto list = [this](const char* name, QWidget* owner) {
        auto* widget = new QListWidget(owner);
        widget->setObjectName(QString::fromLatin1(name));
        connect(widget, &QListWidget::itemClicked, this, [this, widget](QListWidgetItem* item) {
            clicked(widget, widget->row(item));
        });
        return widget;
    };

    QVBoxLayout* conditions = group(0, "gbConditions", QStringLiteral("測定条件"));
    m_ruleList = list("clbRules", m_groups[0]);
    m_conditionList = list("clbConditions", m_groups[0]);
    conditions->addWidget(m_ruleList);
    conditions->addWidget(m_conditionList);
    QVBoxLayout* readability = group(1, "gbReadability", QStringLiteral("読みやすさの計測"));
    m_readabilityList = list("clbReadability", m_groups[1]);
    readability->addWidget(m_readabilityList);
    QVBoxLayout* display = group(2, "gbDisplay", QStringLiteral("結果表示"));
    m_displayList = list("clbDisplay", m_groups[2]);
    display->addWidget(m_displayList);
    QVBoxLayout* after = group(3, "gbAfter", QStringLiteral("計測後の処理"));
    m_afterList = list("clbAfter", m_groups[3]);
    after->addWidget(m_afterList);

    m_readabilityList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_readabilityList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const QListWidgetItem* item = m_readabilityList->itemAt(at))
            Q_EMIT describeFormula(m_readabilityList->row(item) + 9);
    });

    fillList(m_ruleList, vocab::RuleNames);
    m_ruleList->hide();
    fillList(m_conditionList, vocab::ConditionNames);
    fillList(m_displayList, vocab::ResultItemNames);
    fillList(m_readabilityList, vocab::IndexNames);
    fillList(m_afterList, vocab::PostActionNames);
    refresh();
}

void TOptionPanel::refresh() {
    showMarks(m_ruleList, m_options.syllableRules);
    showMarks(m_conditionList, m_options.conditions);
    showMarks(m_displayList, m_options.resultDisplay);
    showMarks(m_readabilityList, m_options.readability);
    showMarks(m_afterList, m_options.afterMeasurement);
}

void TOptionPanel::setGroupsVisible(bool visible) {
    for (QGroupBox* group : m_groups)
        group->setVisible(visible);
}

void TOptionPanel::clicked(QListWidget* list, int item) {
    if (item < 0)
        return;
    const auto flip = [item](auto& marks) {
        if (static_cast<std::size_t>(item) < marks.size())
            marks[static_cast<std::size_t>(item)] = !marks[static_cast<std::size_t>(item)];
    };
    if (list == m_displayList)
        flip(m_options.resultDisplay);
    else if (list == m_readabilityList)
        flip(m_options.readability);
    else if (list == m_afterList)
        flip(m_options.afterMeasurement);
    else if (list == m_conditionList)
        flip(m_options.conditions);
    else if (list == m_ruleList)
        flip(m_options.syllableRules);
    refresh();
}

} // namespace pelmar

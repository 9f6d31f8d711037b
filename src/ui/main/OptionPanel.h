#pragma once

#include "measure/MeasureOptions.h"

#include <QWidget>

class QGroupBox;
class QListWidget;

namespace pelmar {

// The bottom option panel: the four groups with the five check lists (the syllable rules stay
// hidden). The lists show and flip the marks of the options they are given; a click on an item's
// box or text toggles it once.
class TOptionPanel : public QWidget {
    Q_OBJECT
public:
    TOptionPanel(TMeasureOptions& options, QWidget* parent);

    // Shows the options' marks again after they were changed elsewhere.
    void refresh();
    void setGroupsVisible(bool visible);

Q_SIGNALS:
    // A right click on a readability item: explain the index at this column position.
    void describeFormula(int column);

private:
    void clicked(QListWidget* list, int item);

    TMeasureOptions& m_options;
    QGroupBox* m_groups[4] = {};
    QListWidget* m_displayList = nullptr;
    QListWidget* m_readabilityList = nullptr;
    QListWidget* m_afterList = nullptr;
    QListWidget* m_conditionList = nullptr;
    QListWidget* m_ruleList = nullptr;
};

} // namespace pelmar

#pragma once

#include <QWidget>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace pelmar {

class TGraphRangeBar;

// The controls left of the history window's lists: the window buttons, the formulas and
// auxiliary bars the graph draws, the samples shown, the search box, the graph's step and
// grade range, and the copy and fly buttons. It only holds the controls; the window wires them.
class THistoryToolArea : public QWidget {
    Q_OBJECT
public:
    explicit THistoryToolArea(QWidget* parent = nullptr);

    QPushButton* closeButton = nullptr;   // "閉じる"
    QPushButton* measureButton = nullptr; // "計測"
    QPushButton* openButton = nullptr;    // "開く": the text list

    QListWidget* formulaList = nullptr; // the ten grade-level formulas, checkable
    QPushButton* formulasOn = nullptr;
    QPushButton* formulasOff = nullptr;

    // wps, civ, wpp, sypw, pps, psy3 (measure numbers in AuxiliaryMeasures)
    std::array<QCheckBox*, 6> auxiliary{};
    QPushButton* auxiliaryOn = nullptr;
    QPushButton* auxiliaryOff = nullptr;

    QButtonGroup* sampleGroup = nullptr; // ids 0 "すべて", 1 "一部", 2 "なし"
    std::array<QRadioButton*, 3> sampleButtons{};
    std::array<QCheckBox*, 3> levels{}; // "L0 text", "L1 text", "L2 text"

    QLineEdit* searchBox = nullptr;
    QPushButton* searchButton = nullptr; // "検索"

    QSlider* stepBar = nullptr; // 1..6
    QToolButton* upperUp = nullptr;
    QToolButton* upperDown = nullptr;
    QToolButton* lowerUp = nullptr;
    QToolButton* lowerDown = nullptr;
    TGraphRangeBar* rangeBar = nullptr; // the grades shown, beside the range buttons

    QToolButton* tableCopyButton = nullptr;
    QToolButton* graphCopyButton = nullptr;
    QToolButton* flyButton = nullptr;

    // Enables or disables the sample radio group and the level boxes together.
    void setSampleControlsEnabled(bool on);

Q_SIGNALS:
    // Enter in the search box (the key goes no further).
    void searchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace pelmar

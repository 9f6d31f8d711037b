#pragma once

#include "history/RecItems.h"

#include <QWidget>

#include <array>
#include <vector>

namespace pelmar {

// The lower half of the history window, where the line graph of the records' grade levels is
// drawn. The history window steers it only through this class: which records, which formulas
// and auxiliary bars, the step between columns, the grade range buttons, the selection, and
// when to lay out and draw. For now it keeps those choices and draws an empty white plot.
class TLineGraphPanel : public QWidget {
    Q_OBJECT
public:
    explicit TLineGraphPanel(QWidget* parent = nullptr);

    // The records drawn, in collection order; not owned.
    void setItems(const TRecItems* items) { m_items = items; }
    // Formula numbers 0..9 (PMJP .. ARI).
    void setFormulaVisible(int formula, bool visible);
    [[nodiscard]] bool formulaVisible(int formula) const;
    // Auxiliary bars by measure number (22..32).
    void setAuxiliary(int measure, bool on);
    [[nodiscard]] bool auxiliary(int measure) const;
    // The horizontal-step track bar's position 1..6: columns are position * 10 + 2 pixels apart.
    void setStepPosition(int position);
    [[nodiscard]] int step() const { return m_step; }
    // Whether the sample level markers may be drawn (the sample display is not "なし").
    void setSampleMarkers(bool on) { m_sampleMarkers = on; }

    enum class RangeButton { UpperUp, UpperDown, LowerUp, LowerDown };
    void pressRange(RangeButton button);

    // Records were loaded, hidden, moved or sorted: forget the scroll position and draw anew.
    void layoutGraph();
    // Draws; with light the captions, axis texts, sample markers and titles stay as they are.
    void draw(bool light);
    // The positions of the selected records, for the selection marks.
    void showSelection(const std::vector<int>& positions);
    // Puts a picture of the graph on the clipboard (whiten: band colours become white).
    // Returns whether the clipboard took it.
    bool copyPicture(bool whiten);

Q_SIGNALS:
    // A record's title under the graph was clicked (its collection position).
    void recordClicked(int position);
    // A legend entry was clicked (the formula's column position 9..18).
    void formulaClicked(int columnPosition);
    // The grade range buttons that can be pressed now.
    void rangeButtonsChanged(bool upperUp, bool upperDown, bool lowerUp, bool lowerDown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const TRecItems* m_items = nullptr;
    std::array<bool, 10> m_formulas{true, true, true, true, true, true, true, true, true, true};
    std::array<bool, 11> m_auxiliary{}; // measures 22..32
    int m_step = 22;
    bool m_sampleMarkers = true;
    std::vector<int> m_selection;
};

} // namespace pelmar

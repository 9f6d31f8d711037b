#pragma once

#include "history/GraphPlane.h"
#include "history/GraphRangeButtons.h"
#include "history/GraphStyle.h"
#include "ui/history/GLItem.h"

#include <QFont>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QScrollBar;

namespace pelmar {

class TGLILable;
class TGLImage;
class TGraphImage;
class TGraphRangeBar;
class TRecItems;

// The line graph of the history window: one point column per record, left to right in
// collection order, a line per grade-level formula over grade bands, auxiliary bars, the
// titles written vertically under the plot, a legend and the sample level markers.
//
// The panel is a scroll bar over a caption strip, the plot and the title image, between the
// axis on the left and the legend on the right, all of the panel's height. Geometry comes from
// TGraphPlane; this widget paints and handles the pointer.
class TGLItems : public QWidget {
    Q_OBJECT
public:
    explicit TGLItems(QWidget* parent = nullptr);
    ~TGLItems() override;

    // The records to draw (not owned); none draws an empty graph. Lay out afterwards.
    void setItems(const TRecItems* items);

    // What is drawn; the caller redraws (draw(true)) when it changed something.
    void setFormulaVisible(int formula, bool visible);
    [[nodiscard]] bool formulaVisible(int formula) const;
    void setAuxiliary(int measure, bool on);
    [[nodiscard]] bool auxiliary(int measure) const;
    // Whether the sample display shows samples at all; the markers also need loaded samples
    // and a collection in its loaded order.
    void setSampleMarkers(bool shown);

    // The horizontal-step track bar position 1..6; a change redraws.
    void setStepPosition(int position);
    [[nodiscard]] int stepPosition() const { return m_stepPosition; }
    [[nodiscard]] int step() const { return m_step; }

    // The collection positions selected in the lists. Exactly one selected record outside the
    // columns shown scrolls the graph towards it; otherwise only the selection marks change.
    void showSelection(std::vector<int> positions);
    // No record selected, without drawing: for a change of the collection, which redraws.
    void clearSelection() { m_selected.clear(); }
    // The collection positions the selection marks stand for, ascending.
    [[nodiscard]] const std::vector<int>& selectedPositions() const { return m_selected; }

    // The range buttons: each narrows or widens the grades shown by three and redraws.
    enum class RangeButton { UpperUp, UpperDown, LowerUp, LowerDown };
    void pressRange(RangeButton button);
    [[nodiscard]] const TGraphRangeButtons& rangeButtons() const { return m_range; }
    // The vertical track bar beside the buttons, which shows the range; not owned.
    void setRangeBar(TGraphRangeBar* bar);

    // After the panel was resized, records were loaded or hidden or the sort changed: the grade
    // range, the columns and the scroll bar anew (scrolled to the newest records), then a full
    // drawing, and one more a moment later.
    void layoutGraph();
    // Draws everything; a light drawing leaves the top strip, the axis texts, the sample
    // markers and the titles as they are. A request while drawing makes the running drawing
    // stop at its next pause, and the newest request draws.
    void draw(bool light);

    // The panel's picture as the copy commands take it, band colours whitened on request.
    [[nodiscard]] QImage picture(bool whiten);
    // Puts the picture on the clipboard; false when there was nothing to take.
    bool copyPicture(bool whiten);
    // Writes the picture to a PNG file the user chooses (whitened while Ctrl is held); false
    // when cancelled or failed, which it says.
    bool savePicture();
    // "グラフを画像で保存(&S)...", for the window's graph menu.
    [[nodiscard]] QAction* saveAction() const { return m_acGraphSave; }

    // Seams: what runs at each pause of a drawing (pending window events by default), the file
    // a picture is saved to, whether Ctrl is held, and how a message is shown.
    std::function<void()> pump;
    std::function<QString()> chooseSaveFile;
    std::function<bool()> ctrlHeld;
    std::function<void(const QString&)> message;

    // A redraw was requested while drawing.
    bool Dirty = false;

    // For the window and tests: the geometry of the last drawing and the parts of the panel.
    [[nodiscard]] const TGraphPlane& plane() const { return m_plane; }
    [[nodiscard]] const TGLItem& series(int formula) const;
    [[nodiscard]] int drawCount() const { return m_drawCount; }
    [[nodiscard]] QScrollBar* scrollBar() const { return m_scroll; }
    [[nodiscard]] TGraphImage* plotImage() const { return m_plot; }
    [[nodiscard]] TGLImage* titleImage() const { return m_titles; }
    [[nodiscard]] TGraphImage* overlayImage() const { return m_overlay; }
    [[nodiscard]] QWidget* legendImage() const;

Q_SIGNALS:
    // A click on a title: the record at that collection position.
    void recordClicked(int position);
    // A click on a legend label: the formula's column position (9..18).
    void formulaClicked(int columnPosition);
    // The wheel zoom moved the step.
    void stepPositionChanged(int position);
    // The range buttons that can be pressed now.
    void rangeButtonsChanged(bool upperUp, bool upperDown, bool lowerUp, bool lowerDown);
    // A drawing started or ended (the window's redraw command waits meanwhile).
    void busyChanged(bool busy);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Drawing (GLItemsDraw.cpp).
    bool drawOnce(bool light);
    bool pause();
    void clearImages(bool light);
    void drawBands(const TGraphPlane& p);
    void drawScaleLabels(const TGraphPlane& p);
    void drawAxis(const TGraphPlane& p);
    void drawCaption(const TGraphPlane& p);
    void drawAuxBars(const TGraphPlane& p);
    bool drawSeries(const TGraphPlane& p);
    void drawTopText();
    void drawAxisTexts(const TGraphPlane& p);
    void drawSampleMarkers(const TGraphPlane& p);
    void drawTitles(const TGraphPlane& p);
    void drawLegend(const TGraphPlane& p);
    void drawSelectionMarks(const TGraphPlane& p);
    void highlightFormula(int formula);
    void highlightColumn(int pointerX);
    void clearHighlight();

    // Layout and pointer (GLItems.cpp).
    void createActions();
    [[nodiscard]] QRect pictureArea();
    void showMessage(const QString& text);
    void placeParts();
    void computeLayout();
    void applyScroll(int first);
    void setStep(int position);
    [[nodiscard]] TGraphPlane currentPlane() const;
    [[nodiscard]] int count() const;
    [[nodiscard]] std::vector<int> auxiliaryOn() const;
    [[nodiscard]] bool isSelected(int position) const;
    void onScroll(int value);
    void onWheel(QWheelEvent* event);
    void onHover(QPoint position);
    void rangeChanged();

    const TRecItems* m_items = nullptr;
    std::vector<std::unique_ptr<TGLItem>> m_series;
    std::array<bool, LastAuxMeasure + 1> m_auxiliary{};
    bool m_sampleMarkers = true;
    std::vector<int> m_selected; // sorted collection positions

    int m_stepPosition = GraphDefaultStepPosition;
    int m_step = StepForPosition(GraphDefaultStepPosition);
    int m_first = 0;
    int m_visible = 0;
    TGraphRangeButtons m_range;
    TGraphRangeBar* m_rangeBar = nullptr;
    TGraphPlane m_plane;
    int m_wheelRemainder = 0;
    int m_highlightColumn = -1;

    bool m_drawing = false;
    bool m_pendingLight = true;
    bool m_layoutPending = false;
    int m_drawCount = 0;
    QTimer m_redrawTimer;

    QScrollBar* m_scroll;
    TGraphImage* m_top;
    TGraphImage* m_plot;
    TGraphImage* m_axis;
    TGraphImage* m_legend;
    TGLImage* m_titles;
    TGraphImage* m_overlay;
    std::vector<TGLILable*> m_formulaLabels; // by formula number
    std::vector<QLabel*> m_auxLabels;        // reused in drawing order

    QAction* m_acGraphSave = nullptr;

    QFont m_textFont;
    QFont m_smallFont;
    QFont m_titleFont;
};

} // namespace pelmar

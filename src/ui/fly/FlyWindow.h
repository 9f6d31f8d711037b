#pragma once

#include "fly/FlyRandom.h"
#include "fly/FlyValues.h"
#include "fly/GLFlies.h"
#include "ui/dialogs/Prompts.h"
#include "ui/fly/FlyCanvas.h"
#include "ui/fly/FlyTimers.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QToolButton;

namespace pelmar {

class TBitmapView;
class TFlyPicture;

// What a test replaces: the dialogs, the randomness, and the clock with its timers.
struct TFlySeams {
    std::unique_ptr<TPrompts> prompts;  // null: the real dialogs
    std::unique_ptr<TFlyRandom> random; // null: seeded from the clock
    bool virtualClock = false;          // time moves only by advanceClock
};

// The fly graph: one text's ten grade levels fly in as badges, line up at the right edge, rest,
// and settle beside a grade scale, with the text's style gauges in the header. Created once;
// new data comes only through handOver, every other way in just shows it as it stands.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(TFlySeams seams = {}, QWidget* parent = nullptr);
    ~TForm4() override;

    // Shows a text: its values and its title. A flight still under way stops first, so two
    // flights never steer the same pictures; then the window is shown afresh, which draws the
    // scale and the gauges and sends the flies off.
    void handOver(const TFlyValues& values, const QString& title);

    // The header's title and, while there is one, the text's word count.
    void SetFlyTitle(const QString& title);
    // The copy button: a picture of the window to the clipboard; whitened (and without the
    // header's background) when Ctrl is held.
    void copyPicture(bool whiten);

    [[nodiscard]] bool Pending() const { return m_pending; }
    [[nodiscard]] const TGLFlies& flies() const { return m_flies; }
    [[nodiscard]] bool flying() const { return m_flies.moving(); }
    // With the virtual clock: moves time on, running the phase timers as they fall due.
    void advanceClock(int milliseconds);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createHeader();
    void createFlies();
    void readSettings();
    void writeSettings();
    void drawAndLaunch();
    void DrawScale(bool fitToValues);
    void DrawTendency();
    void LaunchFlies();
    void phaseTick(int entry, TFlyTimerKind kind);
    void syncPictures();
    void flyPressed(int tag);
    void captionClicked(int tag);

    std::unique_ptr<TPrompts> m_prompts;
    std::unique_ptr<TFlyRandom> m_random;
    TFlyTimers* m_timers = nullptr;
    TGLFlies m_flies;
    TFlyValues m_values;
    TFlyFonts m_fonts;
    QImage m_logo;
    bool m_pending = false;
    int m_drawGeneration = 0;
    std::vector<int> m_shownOrder;

    QWidget* m_panel = nullptr;
    TBitmapView* m_background = nullptr; // Image2
    TBitmapView* m_overlay = nullptr;    // Image3, the gauges
    TBitmapView* m_graph = nullptr;      // Image1
    QToolButton* m_close = nullptr;
    QToolButton* m_copy = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_words = nullptr;
    std::array<QLabel*, 4> m_captions{};
    std::array<TFlyPicture*, FlyCount> m_pictures{};
    TFlyPicture* m_alt = nullptr;
};

} // namespace pelmar

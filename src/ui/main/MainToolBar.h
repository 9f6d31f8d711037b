#pragma once

#include <QToolBar>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QToolButton;

namespace pelmar {

// The commands the tool bar shows, in its order; the count button starts with `count`.
struct TMainToolActions {
    QAction* close = nullptr;
    QAction* open = nullptr;
    QAction* paste = nullptr;
    QAction* count = nullptr;
    QAction* copy = nullptr;
    QAction* save = nullptr;
    QAction* lineGraph = nullptr;
    QAction* flyGraph = nullptr;
    QAction* result = nullptr;
    QMenu* helpMenu = nullptr; // opened by the help button
};

// The main window's tool bar: the commands, the count button that turns into the stop button
// during a run, the progress panel (progress bar, batch label, clock) and the help button.
class TMainToolBar : public QToolBar {
    Q_OBJECT
public:
    TMainToolBar(const TMainToolActions& actions, QWidget* parent);

    [[nodiscard]] QToolButton* countButton() const { return m_countButton; }
    [[nodiscard]] QToolButton* helpButton() const { return m_helpButton; }
    [[nodiscard]] QProgressBar* progressBar() const { return m_progressBar; }
    [[nodiscard]] QLabel* batchLabel() const { return m_batchLabel; }
    [[nodiscard]] QLabel* timeLabel() const { return m_timeLabel; }

    // Puts an action on the count button: count, or stop during a run.
    void bindCountButton(QAction* action);
    // The width that shows every visible command without the overflow button.
    [[nodiscard]] int widthForAllCommands() const;
    // Narrower buttons when many commands share the bar.
    void setCompact(bool compact);

    // Enables or disables every button but the count button; with `fromActions` each follows
    // its action again.
    void setOtherButtonsEnabled(bool enabled, bool fromActions);

private:
    QToolButton* m_countButton = nullptr;
    QToolButton* m_helpButton = nullptr;
    QFrame* m_progressPanel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_batchLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
};

// The empty band above the tool bar.
[[nodiscard]] QToolBar* MakeUpperBand(QWidget* parent);

} // namespace pelmar

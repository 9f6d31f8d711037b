#pragma once

#include "history/HistoryColumns.h"
#include "history/HistoryDialogs.h"
#include "history/HistoryWindowSettings.h"
#include "history/RecItems.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSplitter;

namespace pelmar {

class TForm1;
class TForm4;
class THistoryTableModel;
class THistoryTableView;
class THistoryToolArea;
class TGLItems;
struct TDataGroupMenus;

// The history window "Pelmar - Graph": the saved measurements as a table with the tool area
// above and the line graph below; folders and groups, editing, search, copy and help.
class TForm2 : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the desktop's own are used.
    explicit TForm2(std::unique_ptr<THistoryDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~TForm2() override;

    // The main window and the fly graph, created at start-up; not owned.
    void attachMain(TForm1* main, TForm4* fly);
    // Where pelmar.hst, datas/ and texts/ are (the program's data folder unless set).
    void setDataFolder(const QString& folder) { m_dataFolder = folder; }
    // How a pop-up menu is run: by default at the given screen position, waiting for a choice.
    void setMenuRunner(std::function<void(QMenu&, QPoint)> run) { m_runMenu = std::move(run); }

    void acDrawExecute();
    void acRedrawExecute();
    void acCopyExecute(bool heading);
    void acDeleteExecute();
    void acRenameExecute();
    void acHideExecute();
    void acPropertyExecute();
    void acSearchExecute();
    void acShowViewerExecute();
    void acShowFlyGraphExecute();
    void acShowTextExecute();
    void acOpenExecute();
    void acGraphCopyExecute(bool whiten);
    void ShowFormulaDescription(int k);
    // A header click: sort by the column, keeping the selected and focused records.
    void SortByColumn(THistoryTableView* view, int column);
    // Rows dragged with the right button dropped on a row.
    void DropOnRow(int row);
    // A change of the sample radio group or a level box.
    void SampleSettingsChanged();

    [[nodiscard]] TRecItems& items() { return m_items; }
    [[nodiscard]] THistoryTableModel* model() const { return m_model; }
    [[nodiscard]] THistoryTableView* titleList() const { return m_titleList; }
    [[nodiscard]] THistoryTableView* valueTable() const { return m_valueTable; }
    [[nodiscard]] THistoryToolArea* toolArea() const { return m_tools; }
    [[nodiscard]] TGLItems* graph() const { return m_graph; }
    [[nodiscard]] QMenu* dataGroupMenu() const { return m_dataMenu; }
    [[nodiscard]] QMenu* helpMenu() const { return m_helpMenu; }
    [[nodiscard]] QMenu* listPopup() const { return m_popup; }
    // Rows selected, from the top down.
    [[nodiscard]] std::vector<int> selectedRows() const;
    [[nodiscard]] QString statusText(int panel) const;
    // Enables the commands that need a selection, as when a menu opens.
    void UpdateActions();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Least widths of the value table and of both lists together.
    static constexpr int ValueTableLeast = 90;
    static constexpr int ListsLeast = 240;

    QAction* makeAction(const char* name, const QString& caption);
    void createActions();
    void createMenus();
    void createPanes();
    void wireToolArea();
    void applySettings();
    void keepFrameOnDesktop();
    void writeSettings();
    void rebuildDataGroupMenu();
    void rebuildFormulaDetails();
    // Around every change of the collection: the tables are told, the graph laid out again
    // and the counts updated.
    void changeItems(const std::function<void()>& change);
    void updateCounts();
    void selectionChanged();
    void selectPositions(const std::vector<int>& positions, int focusPosition);
    void clearSortMarks();
    [[nodiscard]] bool sampleSelected() const;
    [[nodiscard]] std::vector<const TRecItem*> selectedItems() const;
    [[nodiscard]] TRecItem* singleSelected() const;
    [[nodiscard]] QString historyFile() const;
    void showOutcome(const QString& message);

    std::unique_ptr<THistoryDialogs> m_dialogs;
    TRecItems m_items;
    THistorySorter m_sorter;
    THistoryWindowSettings m_settings;
    QString m_dataFolder;
    TForm1* m_main = nullptr;
    TForm4* m_fly = nullptr;
    bool m_shownOnce = false;
    bool m_frameKept = false;
    std::function<void(QMenu&, QPoint)> m_runMenu;

    THistoryTableModel* m_model = nullptr;
    THistoryToolArea* m_tools = nullptr;
    THistoryTableView* m_titleList = nullptr;
    THistoryTableView* m_valueTable = nullptr;
    QSplitter* m_halves = nullptr;
    QSplitter* m_upperSplitter = nullptr;
    QSplitter* m_listSplitter = nullptr;
    TGLItems* m_graph = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_selectedLabel = nullptr;

    QMenu* m_editMenu = nullptr;
    QMenu* m_dataMenu = nullptr;
    std::unique_ptr<TDataGroupMenus> m_dataMenus;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_detailMenu = nullptr;
    QMenu* m_popup = nullptr;

    QAction* acCopy = nullptr;
    QAction* acCopyA = nullptr;
    QAction* acDraw = nullptr;
    QAction* acDrawGroup = nullptr;
    QAction* acRedraw = nullptr;
    QAction* acClose = nullptr;
    QAction* acDelete = nullptr;
    QAction* acRename = nullptr;
    QAction* acHide = nullptr;
    QAction* acProperty = nullptr;
    QAction* acSearch = nullptr;
    QAction* acSelAllItems = nullptr;
    QAction* acSelAllGraph = nullptr;
    QAction* acSelGraphClear = nullptr;
    QAction* acGraphCopy = nullptr;
    QAction* acGraphCopyW = nullptr;
    QAction* acShowViewer = nullptr;
    QAction* acShowFlyGraph = nullptr;
    QAction* acShowText = nullptr;
    QAction* acOpen = nullptr;
    QAction* acWord = nullptr;
};

} // namespace pelmar

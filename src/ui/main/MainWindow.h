#pragma once

#include "desktop/MainWindowTexts.h"
#include "engine/TextCounts.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"
#include "ui/dialogs/Prompts.h"

#include <QDateTime>
#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QToolBar;
class QToolButton;

namespace pelmar {

class TDataFile;
class TForm2;
class TForm4;
class TFormResult;
class TPelgine;
class TRecItem;

// The main window: takes text in by paste, typing, open or drop, measures it line by line with
// progress and stop, shows and copies the result text, and opens the other windows.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Without prompts the real dialogs and the desktop are used.
    explicit TForm1(std::unique_ptr<TPrompts> prompts = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other windows, created at start-up after this one; not owned.
    void attachWindows(TForm2* history, TForm4* fly, TFormResult* result);

    void acPasteExecute();
    void acCopyExecute();
    void acCountExecute();
    void acStopExecute();
    void acOpenExecute();
    void acSaveExecute();
    void acHelpExecute();
    void acVersionExecute();
    void acLineGraphExecute();
    void acFlyGraphExecute();
    void acResultExecute();
    void SendSupportMail(TMailKind kind);

    void SetMeasuring(bool on);
    void ShowTextLoaded(bool loaded);
    void SetBatchIndex(int index);
    void LoadTextFile(const QString& path);
    // Measures a list of ".txt" files one after another, pausing between them.
    void MeasureFiles(QStringList paths);
    // What a drop of files on the window does.
    void DropFiles(const QStringList& paths);
    bool SaveRecord(const QString& historyFile, const QString& listName, const QString& title);
    // From the history window: a saved record's values for the fly graph, and a saved text to
    // measure again.
    void ShowRecordValues(const TRecItem& record);
    void ShowText(const QString& text);

    [[nodiscard]] bool measuring() const { return m_measuring; }
    [[nodiscard]] bool saved() const { return m_saved; }
    [[nodiscard]] const TTextCounts& totals() const { return m_totals; }
    [[nodiscard]] const TWholeTextValues& wholeText() const { return m_whole; }
    [[nodiscard]] const QString& dateString() const { return m_dateString; }
    [[nodiscard]] const QString& filePath() const { return m_filePath; }
    [[nodiscard]] const TProgramInfo& programInfo() const { return m_info; }

    // The marks of the option lists; after changing them, call refreshOptionLists.
    [[nodiscard]] TMeasureOptions& options() { return m_options; }
    void refreshOptionLists();

    // Shows the main menu, the option panel and the hidden commands.
    void setAllFeatures(bool on);
    [[nodiscard]] bool allFeatures() const { return m_allFeatures; }

    // Seams for tests: the pause between the files of a batch, the manual's path.
    void setBatchPause(int milliseconds) { m_batchPause = milliseconds; }
    void setHelpDocument(const QString& path) { m_helpDocument = path; }

    // The main history file, pelmar.hst in the data folder.
    [[nodiscard]] static QString HistoryFilePath();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* makeAction(const char* name, const QString& caption, const QString& hint = {});
    void createActions();
    void createMenus();
    void createToolBars();
    void createPanes();
    void createOptionPanel();
    void fillOptionLists();
    void optionClicked(QListWidget* list, int item);
    void readSettings();
    void writeSettings();
    void applyFeatureVisibility();
    void pump(bool userInput = true);
    void pause(int milliseconds);
    bool countButtonCarriesStop() const;
    void bindCountButton(QAction* action);
    void loadIntoInputPane(const QString& path, bool& ok);
    QDateTime nextSaveTime();

    std::unique_ptr<TPrompts> m_prompts;
    TForm2* m_history = nullptr;
    TForm4* m_fly = nullptr;
    TFormResult* m_result = nullptr;

    std::unique_ptr<TDataFile> m_wordData;
    std::unique_ptr<TPelgine> m_engine;
    TMeasureOptions m_options;
    TProgramInfo m_info;

    // State of the window.
    bool m_measuring = false;
    bool m_saved = true;
    bool m_loaded = false;
    bool m_allFeatures = false;
    bool m_shownOnce = false;
    bool m_inBatch = false;
    bool m_closePending = false;
    QString m_filePath;
    QString m_textName; // the file the input pane holds, if any
    QString m_lastFolder;
    int m_batchIndex = -1;
    QStringList m_batchList;
    int m_batchMeasured = 0;
    int m_batchPause = 987;
    QString m_historyTarget;
    QString m_listName;
    QString m_helpDocument;
    int m_rightWidth = 207;

    // The last completed run.
    TTextCounts m_totals;
    TWholeTextValues m_whole;
    QString m_dateString;
    std::vector<std::string> m_measuredLines;
    QString m_measuredName;       // its title in the fly graph
    bool m_flyHandOverDue = false; // the fly graph has not shown it yet
    QDateTime m_lastSave;

    // Actions.
    QAction* acPaste = nullptr;
    QAction* acCopy = nullptr;
    QAction* acCount = nullptr;
    QAction* acStop = nullptr;
    QAction* acOpen = nullptr;
    QAction* acSave = nullptr;
    QAction* acClose = nullptr;
    QAction* acHelp = nullptr;
    QAction* acVersion = nullptr;
    QAction* acViewFull = nullptr;
    QAction* acViewSimple = nullptr;
    QAction* acViewReadability = nullptr;
    QAction* acLineGraph = nullptr;
    QAction* acFlyGraph = nullptr;
    QAction* acResult = nullptr;
    QAction* acQue = nullptr;
    QAction* acWish = nullptr;
    QAction* acError = nullptr;
    QAction* acInf = nullptr;
    QAction* acSendEmail = nullptr;
    QAction* acFlyWindow = nullptr;
    QAction* acAllFeatures = nullptr;
    QActionGroup* m_viewModes = nullptr;

    // Controls.
    QToolBar* m_upperBand = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_countButton = nullptr;
    QToolButton* m_helpButton = nullptr;
    QFrame* m_progressPanel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_batchLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QSplitter* m_splitter = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QPlainTextEdit* RichEdit2 = nullptr;
    QWidget* m_optionPanel = nullptr;
    QGroupBox* m_groups[4] = {};
    QListWidget* m_displayList = nullptr;
    QListWidget* m_readabilityList = nullptr;
    QListWidget* m_afterList = nullptr;
    QListWidget* m_conditionList = nullptr;
    QListWidget* m_ruleList = nullptr;
    QLabel* m_status = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_editMenu = nullptr;
};

} // namespace pelmar

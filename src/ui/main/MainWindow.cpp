#include "ui/main/MainWindow.h"

#include "desktop/WindowPlacement.h"
#include "engine/Pelgine.h"
#include "measure/FormulaDescription.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"
#include "platform/DocumentLauncher.h"
#include "storage/BuiltinWordData.h"
#include "ui/common/WindowFont.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/MainToolBar.h"
#include "ui/main/OptionPanel.h"
#include "ui/main/TextPanes.h"
#include "ui/main/ToolIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelmar {
namespace {

constexpr int DesignWidth = 743;
constexpr int DefaultHeight = 490;
constexpr int DefaultRightWidth = 207;

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString key(std::size_t position) { return utf8(vocab::PositionKeys[position]); }

} // namespace

TForm1::TForm1(std::unique_ptr<TPrompts> prompts, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts ? std::move(prompts) : MakeDesktopPrompts()) {
    setObjectName(QStringLiteral("Form1"));
    m_info.fileVersion = QStringLiteral(PELMAR_VERSION);
    m_info.executablePath = QCoreApplication::applicationFilePath();
    m_info.fileTime = QFileInfo(m_info.executablePath).lastModified();
    m_info.systemName = QSysInfo::prettyProductName();
    m_info.systemVersion = QSysInfo::kernelVersion();
    m_helpDocument = HelpDocumentPath(QCoreApplication::applicationDirPath());

    setFont(JapaneseWindowFont());
    setMinimumWidth(DesignWidth);
    setAcceptDrops(true);

    createActions();
    createMenus();
    createControls();

    SetBatchIndex(-1);
    acFlyGraph->setEnabled(false);
    acResult->setEnabled(false);
    acSave->setEnabled(false);
    acLineGraph->setEnabled(false);
    setWindowTitle(MainCaption(m_info));
    RichEdit1->setPlainText(InstructionLines().join(QLatin1Char('\n')));
    RichEdit2->clear();
    readSettings();
    applyFeatureVisibility();
}

TForm1::~TForm1() = default;

void TForm1::attachWindows(TForm2* history, TForm4* fly, TFormResult* result) {
    m_history = history;
    m_fly = fly;
    m_result = result;
    if (history)
        history->attachMain(this, fly);
}

QString TForm1::HistoryFilePath() {
    return QDir(AppDataFolder()).filePath(QStringLiteral("pelmar.hst"));
}

// --- building -------------------------------------------------------------------------------

QAction* TForm1::makeAction(const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    // Tool buttons show the icon text; keeping the "&" keeps the mnemonic.
    action->setIconText(caption);
    if (!hint.isEmpty())
        action->setToolTip(hint);
    return action;
}

void TForm1::createActions() {
    acPaste = makeAction("acPaste", QStringLiteral("貼り付け(&V)"),
                         QStringLiteral("クリップボードにあるテキストを取り込む"));
    acPaste->setIcon(ToolIcon("paste"));
    acCopy = makeAction("acCopy", QStringLiteral("コピー(&C)"),
                        QStringLiteral("結果をクリップボードにコピー"));
    acCopy->setIcon(ToolIcon("copy"));
    acCount = makeAction("acCount", QStringLiteral("計測開始(&A)"),
                         QStringLiteral("リーダビリティを計測する"));
    acCount->setIcon(ToolIcon("count"));
    acStop = makeAction("acStop", QStringLiteral("計測中止(&Q)"));
    acStop->setIcon(ToolIcon("stop"));
    acOpen = makeAction("acOpen", QStringLiteral("開く(&O)"), QStringLiteral("テキストファイルを開く"));
    acOpen->setIcon(ToolIcon("open"));
    acSave = makeAction("acSave", QStringLiteral("記録する(&S)"));
    acSave->setIcon(ToolIcon("save"));
    acClose = makeAction("acClose", QStringLiteral("終了(&X)"), QStringLiteral("ペルマーを終わる"));
    acClose->setIcon(ToolIcon("close"));
    acHelp = makeAction("acHelp", QStringLiteral("ヘルプ(&H)"), QStringLiteral("説明を見る"));
    acHelp->setIcon(ToolIcon("help"));
    acVersion = makeAction("acVersion", QStringLiteral("バージョン情報(&V)"));
    acViewFull = makeAction("acViewFull", QStringLiteral("すべて(&A)"));
    acViewSimple = makeAction("acViewSimple", QStringLiteral("音節数のみ(&S)"));
    acViewReadability = makeAction("acViewReadability", QStringLiteral("読みやすさ指標だけ(&R)"));
    acLineGraph = makeAction("acLineGraph", QStringLiteral("折れ線(&G)"));
    acLineGraph->setIcon(ToolIcon("linegraph"));
    acFlyGraph = makeAction("acFlyGraph", QStringLiteral("フライ(&F)"));
    acFlyGraph->setIcon(ToolIcon("fly"));
    acResult = makeAction("acResult", QStringLiteral("結果(&R)"));
    acResult->setIcon(ToolIcon("result"));
    acQue = makeAction("acQue", QStringLiteral("Question(&Q) 質問"));
    acWish = makeAction("acWish", QStringLiteral("Wish(&W) 要望"));
    acError = makeAction("acError", QStringLiteral("Error(&E) 誤作動"));
    acInf = makeAction("acInf", QStringLiteral("Information(&I) 連絡"));
    acSendEmail = makeAction("acSendEmail", QStringLiteral("Suport(&S) その他"));
    acFlyWindow = makeAction("acFlyWindow", QStringLiteral("フライ窓(&F)"));
    acAllFeatures = makeAction("acAllFeatures", QStringLiteral("すべての機能を表示"));
    acAllFeatures->setCheckable(true);

    acOpen->setShortcut(QKeySequence::Open);
    acHelp->setShortcut(QKeySequence::HelpContents);
    acClose->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    // Window-wide, whether or not a menu or a button shows them.
    addActions({acOpen, acHelp, acClose});

    m_viewModes = new QActionGroup(this);
    m_viewModes->setExclusive(true);
    for (QAction* mode : {acViewFull, acViewSimple, acViewReadability}) {
        mode->setCheckable(true);
        m_viewModes->addAction(mode);
    }

    connect(acPaste, &QAction::triggered, this, &TForm1::acPasteExecute);
    connect(acCopy, &QAction::triggered, this, &TForm1::acCopyExecute);
    connect(acCount, &QAction::triggered, this, &TForm1::acCountExecute);
    connect(acStop, &QAction::triggered, this, &TForm1::acStopExecute);
    connect(acOpen, &QAction::triggered, this, &TForm1::acOpenExecute);
    connect(acSave, &QAction::triggered, this, &TForm1::acSaveExecute);
    connect(acClose, &QAction::triggered, this, &QWidget::close);
    connect(acHelp, &QAction::triggered, this, &TForm1::acHelpExecute);
    connect(acVersion, &QAction::triggered, this, &TForm1::acVersionExecute);
    connect(acLineGraph, &QAction::triggered, this, &TForm1::acLineGraphExecute);
    connect(acFlyGraph, &QAction::triggered, this, &TForm1::acFlyGraphExecute);
    connect(acFlyWindow, &QAction::triggered, this, &TForm1::acFlyGraphExecute);
    connect(acResult, &QAction::triggered, this, &TForm1::acResultExecute);
    connect(acViewFull, &QAction::triggered, this, [this] {
        m_options.ApplyViewMode(ViewMode::Full);
        refreshOptionLists();
    });
    connect(acViewSimple, &QAction::triggered, this, [this] {
        m_options.ApplyViewMode(ViewMode::Simple);
        refreshOptionLists();
    });
    connect(acViewReadability, &QAction::triggered, this, [this] {
        m_options.ApplyViewMode(ViewMode::Readability);
        refreshOptionLists();
    });
    const std::pair<QAction*, TMailKind> mails[] = {{acQue, TMailKind::Question},
                                                    {acWish, TMailKind::Wish},
                                                    {acError, TMailKind::Error},
                                                    {acInf, TMailKind::Information},
                                                    {acSendEmail, TMailKind::Other}};
    for (const auto& [action, kind] : mails)
        connect(action, &QAction::triggered, this, [this, kind = kind] { SendSupportMail(kind); });
    connect(acAllFeatures, &QAction::toggled, this, &TForm1::setAllFeatures);
}

void TForm1::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnFile"));
    file->addAction(acOpen);
    file->addAction(acSave);
    file->addSeparator();
    file->addAction(acClose);
    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnEdit"));
    edit->addAction(acPaste);
    edit->addAction(acCount);
    edit->addAction(acCopy);
    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnView"));
    QMenu* modes = view->addMenu(QStringLiteral("結果表示モード(&R)"));
    modes->addAction(acViewFull);
    modes->addSeparator();
    modes->addAction(acViewSimple);
    modes->addAction(acViewReadability);
    view->addAction(acLineGraph);
    view->addAction(acFlyWindow);
    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnHelp"));
    QMenu* mail = help->addMenu(QStringLiteral("サポートへメール"));
    for (QAction* action : {acQue, acWish, acError, acInf, acSendEmail})
        mail->addAction(action);
    help->addSeparator();
    help->addAction(acHelp);
    help->addAction(acVersion);
    // The way back to the plain window, also where the menu bar is.
    help->addSeparator();
    help->addAction(acAllFeatures);

    m_helpMenu = new QMenu(this);
    m_helpMenu->setObjectName(QStringLiteral("pmHelp"));
    m_helpMenu->addAction(acHelp);
    QMenu* popupMail = m_helpMenu->addMenu(QStringLiteral("サポートへメール"));
    for (QAction* action : {acQue, acWish, acError, acInf, acSendEmail})
        popupMail->addAction(action);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(acVersion);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(acAllFeatures);
}

void TForm1::createControls() {
    addToolBar(Qt::TopToolBarArea, MakeUpperBand(this));
    addToolBarBreak(Qt::TopToolBarArea);
    TMainToolActions tools;
    tools.close = acClose;
    tools.open = acOpen;
    tools.paste = acPaste;
    tools.count = acCount;
    tools.copy = acCopy;
    tools.save = acSave;
    tools.lineGraph = acLineGraph;
    tools.flyGraph = acFlyGraph;
    tools.result = acResult;
    tools.helpMenu = m_helpMenu;
    m_toolBar = new TMainToolBar(tools, this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_countButton = m_toolBar->countButton();
    m_progressBar = m_toolBar->progressBar();
    m_batchLabel = m_toolBar->batchLabel();
    m_timeLabel = m_toolBar->timeLabel();

    m_panes = new TTextPanes(this);
    RichEdit1 = m_panes->input();
    RichEdit2 = m_panes->output();
    // Any change of the text makes it worth measuring again.
    connect(RichEdit1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_measuring)
            acCount->setEnabled(true);
    });

    m_optionPanel = new TOptionPanel(m_options, this);
    // A right click on an index explains its formula.
    connect(m_optionPanel, &TOptionPanel::describeFormula, this, [this](int column) {
        QStringList lines;
        DescribeFormula(column, &lines);
        m_prompts->infoMessage(lines.join(QStringLiteral("\r\n")));
    });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_panes, 1);
    column->addWidget(m_optionPanel);
    setCentralWidget(central);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(true);
}

void TForm1::refreshOptionLists() { m_optionPanel->refresh(); }

// --- settings -------------------------------------------------------------------------------

void TForm1::readSettings() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Position"));
    const auto saved = [&](std::size_t position) -> std::optional<int> {
        bool ok = false;
        const int value = settings.value(key(position)).toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    };
    m_savedPlace = {saved(0), saved(1), saved(2), saved(3)};
    m_rightWidth = std::max(100, settings.value(key(4), DefaultRightWidth).toInt());
    settings.endGroup();
    placeWindow(QMargins());

    m_allFeatures = settings.value(QStringLiteral("View/AllFeatures"), 0).toInt() != 0;
    const QSignalBlocker block(acAllFeatures);
    acAllFeatures->setChecked(m_allFeatures);
}

void TForm1::placeWindow(QMargins frame) {
    TPlacementInput in;
    std::tie(in.left, in.top, in.width, in.height) = m_savedPlace;
    in.defaultSize = QSize(DesignWidth, DefaultHeight);
    in.minimumSize = minimumSize();
    in.frame = frame;
    for (const QScreen* s : QGuiApplication::screens())
        in.screens << s->availableGeometry();
    in.primary = std::max<int>(0, static_cast<int>(QGuiApplication::screens().indexOf(
                                      QGuiApplication::primaryScreen())));
    const TPlacement place = PlaceWindow(in);
    resize(place.clientSize);
    move(place.framePosition);
}

void TForm1::writeSettings() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Position"));
    settings.setValue(key(0), x());
    settings.setValue(key(1), y());
    settings.setValue(key(2), width());
    settings.setValue(key(3), height());
    settings.setValue(key(4), m_shownOnce ? RichEdit2->width() : m_rightWidth);
    settings.endGroup();
    settings.setValue(QStringLiteral("View/AllFeatures"), m_allFeatures ? 1 : 0);
    settings.sync();
}

// --- window events --------------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Only now is the frame the window manager draws known: fit once more with it, so a window
    // saved on a larger monitor does not hang off this one.
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    if (!frame.isNull()) {
        m_savedPlace = {x(), y(), width(), height()};
        placeWindow(frame);
    }
    m_panes->setOutputWidth(m_rightWidth);

    m_wordData = LoadBuiltinWordData();
    m_engine = std::make_unique<TPelgine>();
    m_engine->Dictionary = m_wordData.get();
    ShowTextLoaded(false);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The window cannot go while a run, a batch or a load is under way on its stack: stop it
    // and close once it has returned.
    if (m_measuring || m_inBatch || m_loading) {
        m_closePending = true;
        if (m_measuring)
            acStopExecute();
        event->ignore();
        return;
    }
    writeSettings();
    QMainWindow::closeEvent(event);
    Q_EMIT closed();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_measuring && !m_inBatch && !m_loading && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    if (m_measuring || m_inBatch || m_loading)
        return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    event->acceptProposedAction();
    // Measuring inside the drop would keep the dragging program waiting for the whole batch.
    QTimer::singleShot(0, this, [this, paths] { DropFiles(paths); });
}

void TForm1::DropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    if (paths.size() > 1) {
        m_prompts->information(this, QString::fromUtf8(OneDroppedFileMessage));
        return;
    }
    if (!m_options.resultDisplay[display::Total] && !m_options.resultDisplay[display::Summary]) {
        m_options.resultDisplay[display::Total] = true;
        m_options.resultDisplay[display::Summary] = true;
        refreshOptionLists();
    }
    m_historyTarget = HistoryFilePath();
    m_listName = QStringLiteral("Index");
    MeasureFiles(paths);
}

// --- what is shown --------------------------------------------------------------------------

void TForm1::setAllFeatures(bool on) {
    if (on == m_allFeatures)
        return;
    m_allFeatures = on;
    if (!on) {
        // Without the panel nobody can see or change the marks: back to the defaults.
        m_options = TMeasureOptions();
        refreshOptionLists();
        for (QAction* mode : m_viewModes->actions())
            mode->setChecked(false);
    }
    {
        const QSignalBlocker block(acAllFeatures);
        acAllFeatures->setChecked(on);
    }
    applyFeatureVisibility();
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("View/AllFeatures"), on ? 1 : 0);
}

void TForm1::applyFeatureVisibility() {
    const bool on = m_allFeatures;
    menuBar()->setVisible(on);
    for (QAction* menu : menuBar()->actions()) {
        menu->setVisible(on);
        menu->setEnabled(on && !m_measuring);
    }
    m_optionPanel->setVisible(on);
    m_optionPanel->setGroupsVisible(on);
    acSave->setVisible(on);
    acLineGraph->setVisible(on);
    acLineGraph->setEnabled(on);
    acFlyGraph->setVisible(on);
    acResult->setVisible(on);
    if (!on) {
        acFlyGraph->setEnabled(false);
        acResult->setEnabled(false);
    }
    const TToolCaptions captions = ToolCaptions(on);
    for (auto [action, caption] : {std::pair{acPaste, captions.paste},
                                   std::pair{acFlyGraph, captions.flyGraph}}) {
        action->setText(caption);
        action->setIconText(caption);
    }
    m_toolBar->helpButton()->setText(captions.helpButton);

    // Every command stays on the bar at the window's narrowest: with all of them shown the
    // buttons narrow, and the window is never narrower than the bar needs.
    m_toolBar->setCompact(on);
    setMinimumWidth(std::max(DesignWidth, m_toolBar->widthForAllCommands()));
}

} // namespace pelmar

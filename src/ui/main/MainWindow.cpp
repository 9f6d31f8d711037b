#include "ui/main/MainWindow.h"

#include "desktop/ResultCard.h"
#include "desktop/WindowPlacement.h"
#include "fly/FlyValues.h"
#include "engine/Pelgine.h"
#include "measure/FormulaDescription.h"
#include "measure/MeasureFiles.h"
#include "measure/MeasureLines.h"
#include "measure/SaveRecord.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"
#include "platform/DocumentLauncher.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"
#include "ui/dialogs/Prompts.h"
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyWindow.h"
#include "history/RecItem.h"
#include "ui/history/HistoryWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelmar {
namespace {

// Events are pumped at most this often during a measurement: often enough for the stop button,
// the progress bar and the clock, rarely enough that a long text measures at engine speed.
constexpr qint64 PumpIntervalMs = 50;

constexpr int DesignWidth = 743;
constexpr int DefaultHeight = 490;
constexpr int DefaultRightWidth = 207;

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString key(std::size_t position) { return utf8(vocab::PositionKeys[position]); }

QStringList japaneseFamilies() {
    return {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("DejaVu Sans")};
}

void setMark(QListWidget* list, int row, bool on) {
    if (QListWidgetItem* item = list->item(row))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

template <std::size_t N>
void fillList(QListWidget* list, const std::array<std::string_view, N>& names) {
    for (std::string_view name : names) {
        auto* item = new QListWidgetItem(utf8(name), list);
        // The window flips the mark itself, so a click on the box or the text toggles it once.
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

TForm1::TForm1(std::unique_ptr<TPrompts> prompts, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts ? std::move(prompts) : MakeDesktopPrompts()) {
    setObjectName(QStringLiteral("Form1"));
    m_info.fileVersion = QStringLiteral(PELMAR_VERSION);
    m_info.executablePath = QCoreApplication::applicationFilePath();
    m_info.fileTime = QFileInfo(m_info.executablePath).lastModified();
    m_info.systemName = QSysInfo::prettyProductName();
    m_info.systemVersion = QSysInfo::kernelVersion();
    m_helpDocument = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pelmar.pdf"));

    QFont font;
    font.setFamilies(japaneseFamilies());
    font.setPixelSize(12);
    setFont(font);
    setMinimumWidth(DesignWidth);
    setAcceptDrops(true);

    createActions();
    createMenus();
    createToolBars();
    createPanes();
    createOptionPanel();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(true);

    SetBatchIndex(-1);
    acFlyGraph->setEnabled(false);
    acResult->setEnabled(false);
    fillOptionLists();
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
    QStyle* s = style();
    acPaste = makeAction("acPaste", QStringLiteral("貼り付け(&V)"),
                         QStringLiteral("クリップボードにあるテキストを取り込む"));
    acPaste->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    acCopy = makeAction("acCopy", QStringLiteral("コピー(&C)"),
                        QStringLiteral("結果をクリップボードにコピー"));
    acCopy->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    acCount = makeAction("acCount", QStringLiteral("計測開始(&A)"),
                         QStringLiteral("リーダビリティを計測する"));
    acCount->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    acStop = makeAction("acStop", QStringLiteral("計測中止(&Q)"));
    acStop->setIcon(s->standardIcon(QStyle::SP_MediaStop));
    acOpen = makeAction("acOpen", QStringLiteral("開く(&O)"), QStringLiteral("テキストファイルを開く"));
    acOpen->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    acSave = makeAction("acSave", QStringLiteral("記録する(&S)"));
    acSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    acClose = makeAction("acClose", QStringLiteral("終了(&X)"), QStringLiteral("ペルマーを終わる"));
    acClose->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    acHelp = makeAction("acHelp", QStringLiteral("ヘルプ(&H)"), QStringLiteral("説明を見る"));
    acVersion = makeAction("acVersion", QStringLiteral("バージョン情報(&V)"));
    acViewFull = makeAction("acViewFull", QStringLiteral("すべて(&A)"));
    acViewSimple = makeAction("acViewSimple", QStringLiteral("音節数のみ(&S)"));
    acViewReadability = makeAction("acViewReadability", QStringLiteral("読みやすさ指標だけ(&R)"));
    acLineGraph = makeAction("acLineGraph", QStringLiteral("折れ線(&G)"));
    acLineGraph->setIcon(s->standardIcon(QStyle::SP_FileDialogListView));
    acFlyGraph = makeAction("acFlyGraph", QStringLiteral("フライ(&F)"));
    acFlyGraph->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    acResult = makeAction("acResult", QStringLiteral("結果(&R)"));
    acResult->setIcon(s->standardIcon(QStyle::SP_FileDialogInfoView));
    acQue = makeAction("acQue", QStringLiteral("Question(&Q) 質問"));
    acWish = makeAction("acWish", QStringLiteral("Wish(&W) 要望"));
    acError = makeAction("acError", QStringLiteral("Error(&E) 誤作動"));
    acInf = makeAction("acInf", QStringLiteral("Information(&I) 連絡"));
    acSendEmail = makeAction("acSendEmail", QStringLiteral("Suport(&S) その他"));
    acFlyWindow = makeAction("acFlyWindow", QStringLiteral("フライ窓(&F)"));
    acAllFeatures = makeAction("acAllFeatures", QStringLiteral("すべての機能を表示"));
    acAllFeatures->setCheckable(true);

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

void TForm1::createToolBars() {
    const QString band = QStringLiteral(
        "QToolBar { border: 0px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #f4f6f8, stop:1 #dde3ea); }");
    m_upperBand = new QToolBar(this);
    m_upperBand->setObjectName(QStringLiteral("ToolBar2"));
    m_upperBand->setFixedHeight(25);
    m_upperBand->setMovable(false);
    m_upperBand->setFloatable(false);
    m_upperBand->setStyleSheet(band);
    m_upperBand->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_upperBand);
    addToolBarBreak(Qt::TopToolBarArea);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setFixedHeight(59);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setStyleSheet(band);
    m_toolBar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    auto sized = [](QWidget* button) {
        if (button)
            button->setMinimumSize(78, 35);
    };
    m_toolBar->addAction(acClose);
    m_toolBar->addSeparator();
    m_toolBar->addAction(acOpen);
    m_toolBar->addAction(acPaste);

    m_countButton = new QToolButton(m_toolBar);
    m_countButton->setObjectName(QStringLiteral("btnCount"));
    m_countButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bindCountButton(acCount);
    m_toolBar->addWidget(m_countButton);

    m_progressPanel = new QFrame(m_toolBar);
    m_progressPanel->setObjectName(QStringLiteral("Panel1"));
    m_progressPanel->setFixedSize(88, 35);
    m_progressPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_progressPanel->palette();
    panelPalette.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
    m_progressPanel->setPalette(panelPalette);
    m_progressBar = new QProgressBar(m_progressPanel);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(1, 2, 86, 15);
    m_progressBar->setRange(0, 100);
    m_progressBar->setTextVisible(false);
    m_batchLabel = new QLabel(m_progressPanel);
    m_batchLabel->setObjectName(QStringLiteral("lbBatch"));
    m_batchLabel->setGeometry(3, 19, 36, 14);
    m_timeLabel = new QLabel(m_progressPanel);
    m_timeLabel->setObjectName(QStringLiteral("lbTime"));
    m_timeLabel->setGeometry(36, 19, 50, 14);
    m_timeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_toolBar->addWidget(m_progressPanel);

    m_toolBar->addAction(acCopy);
    m_toolBar->addAction(acSave);
    m_toolBar->addSeparator();
    m_toolBar->addAction(acLineGraph);
    m_toolBar->addAction(acFlyGraph);
    m_toolBar->addAction(acResult);
    m_toolBar->addSeparator();

    m_helpButton = new QToolButton(m_toolBar);
    m_helpButton->setObjectName(QStringLiteral("btnHelp"));
    m_helpButton->setText(QStringLiteral("ヘルプ(&H)"));
    m_helpButton->setToolTip(QStringLiteral("説明を見る"));
    m_helpButton->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    m_helpButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(m_helpButton, &QToolButton::clicked, this,
            [this] { m_helpMenu->exec(QCursor::pos()); });
    m_toolBar->addWidget(m_helpButton);

    for (QAction* action : m_toolBar->actions())
        if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action)))
            sized(button);
    sized(m_countButton);
    sized(m_helpButton);
}

void TForm1::createPanes() {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);

    RichEdit1 = new QPlainTextEdit(m_splitter);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setMinimumWidth(100);
    // Files dropped on the pane go to the window, which measures them.
    RichEdit1->setAcceptDrops(false);
    RichEdit1->viewport()->setAcceptDrops(false);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);

    RichEdit2 = new QPlainTextEdit(m_splitter);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setReadOnly(true);
    RichEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit2->setMinimumWidth(100);
    RichEdit2->setAcceptDrops(false);
    RichEdit2->viewport()->setAcceptDrops(false);
    RichEdit2->setContextMenuPolicy(Qt::NoContextMenu);
    // Narrow tab stops keep the default four columns of a row on one line of the pane.
    RichEdit2->setTabStopDistance(40);
    QPalette outputPalette = RichEdit2->palette();
    outputPalette.setColor(QPalette::Base, outputPalette.color(QPalette::Button));
    RichEdit2->setPalette(outputPalette);

    m_splitter->addWidget(RichEdit1);
    m_splitter->addWidget(RichEdit2);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);

    // The input pane's context menu: the edit control's own clipboard commands, select all and
    // clear. The short cuts are the edit control's, shown for reference.
    m_editMenu = new QMenu(this);
    m_editMenu->setObjectName(QStringLiteral("pmEdit"));
    auto edit = [this](const char* name, const QString& caption, QKeySequence keys,
                       void (QPlainTextEdit::*slot)()) {
        QAction* action = makeAction(name, caption);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, RichEdit1, slot);
        m_editMenu->addAction(action);
    };
    edit("acEditCopy", QStringLiteral("コピー(&C)"), QKeySequence(QStringLiteral("Ctrl+C")),
         &QPlainTextEdit::copy);
    edit("acEditCut", QStringLiteral("切り取り(&T)"), QKeySequence(QStringLiteral("Ctrl+X")),
         &QPlainTextEdit::cut);
    edit("acEditPaste", QStringLiteral("貼り付け(&P)"), QKeySequence(QStringLiteral("Ctrl+V")),
         &QPlainTextEdit::paste);
    edit("acEditSelectAll", QStringLiteral("すべて選択(&A)"), QKeySequence(QStringLiteral("Ctrl+A")),
         &QPlainTextEdit::selectAll);
    edit("acEditClear", QStringLiteral("クリア(&X)"), QKeySequence(QStringLiteral("Ctrl+X")),
         &QPlainTextEdit::clear);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_editMenu->exec(RichEdit1->mapToGlobal(at));
    });

    // Any change of the text makes it worth measuring again.
    connect(RichEdit1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_measuring)
            acCount->setEnabled(true);
    });
}

void TForm1::createOptionPanel() {
    m_optionPanel = new QWidget(this);
    m_optionPanel->setObjectName(QStringLiteral("Panel2"));
    m_optionPanel->setFixedHeight(164);
    auto* row = new QHBoxLayout(m_optionPanel);
    row->setContentsMargins(4, 4, 4, 4);

    auto group = [&](int index, const char* name, const QString& caption) {
        auto* box = new QGroupBox(caption, m_optionPanel);
        box->setObjectName(QString::fromLatin1(name));
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(4, 4, 4, 4);
        m_groups[index] = box;
        row->addWidget(box, 1);
        return layout;
    };
    auto list = [this](const char* name, QWidget* parent) {
        auto* widget = new QListWidget(parent);
        widget->setObjectName(QString::fromLatin1(name));
        connect(widget, &QListWidget::itemClicked, this, [this, widget](QListWidgetItem* item) {
            optionClicked(widget, widget->row(item));
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

    // A right click on an index explains its formula.
    m_readabilityList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_readabilityList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QListWidgetItem* item = m_readabilityList->itemAt(at);
        if (!item)
            return;
        QStringList lines;
        DescribeFormula(m_readabilityList->row(item) + 9, &lines);
        m_prompts->infoMessage(lines.join(QStringLiteral("\r\n")));
    });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_splitter, 1);
    column->addWidget(m_optionPanel);
    setCentralWidget(central);
}

void TForm1::fillOptionLists() {
    fillList(m_ruleList, vocab::RuleNames);
    m_ruleList->hide();
    fillList(m_conditionList, vocab::ConditionNames);
    fillList(m_displayList, vocab::ResultItemNames);
    fillList(m_readabilityList, vocab::IndexNames);
    fillList(m_afterList, vocab::PostActionNames);
    refreshOptionLists();
}

void TForm1::refreshOptionLists() {
    showMarks(m_ruleList, m_options.syllableRules);
    showMarks(m_conditionList, m_options.conditions);
    showMarks(m_displayList, m_options.resultDisplay);
    showMarks(m_readabilityList, m_options.readability);
    showMarks(m_afterList, m_options.afterMeasurement);
}

void TForm1::optionClicked(QListWidget* list, int item) {
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
    refreshOptionLists();
}

// --- settings -------------------------------------------------------------------------------

void TForm1::readSettings() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Position"));
    const int width = std::max(DesignWidth, settings.value(key(2), DesignWidth).toInt());
    const int height = settings.value(key(3), DefaultHeight).toInt();
    m_rightWidth = std::max(100, settings.value(key(4), DefaultRightWidth).toInt());
    resize(width, height);

    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : QSize(width, height);
    const QPoint centred = CenteredPosition(screen, size());
    const QPoint saved(settings.value(key(0), centred.x()).toInt(),
                       settings.value(key(1), centred.y()).toInt());
    settings.endGroup();
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->geometry();
    move(ClampWindowPosition(saved, size(), screens));

    m_allFeatures = settings.value(QStringLiteral("View/AllFeatures"), 0).toInt() != 0;
    const QSignalBlocker block(acAllFeatures);
    acAllFeatures->setChecked(m_allFeatures);
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
    const int total = m_splitter->width();
    const int right = std::min(m_rightWidth, std::max(100, total - 100 - m_splitter->handleWidth()));
    m_splitter->setSizes({std::max(100, total - right - m_splitter->handleWidth()), right});

    m_wordData = LoadBuiltinWordData();
    m_engine = std::make_unique<TPelgine>();
    m_engine->Dictionary = m_wordData.get();
    ShowTextLoaded(false);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The window cannot go while a run or a batch is under way on its stack: stop it and close
    // once it has returned.
    if (m_measuring || m_inBatch) {
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
    if (!m_measuring && !m_inBatch && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    if (m_measuring || m_inBatch)
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

// --- getting text in ------------------------------------------------------------------------

void TForm1::pump(bool userInput) {
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
}

void TForm1::ShowTextLoaded(bool loaded) {
    m_loaded = loaded;
    acCopy->setEnabled(false);
    acSave->setEnabled(false);
    if (loaded && !m_filePath.isEmpty())
        setWindowTitle(FileCaption(m_filePath, m_info));
    else if (loaded)
        setWindowTitle(MainCaption(m_info));
    acCount->setEnabled(loaded);
    m_status->setText(LoadedStatusText(PaneLineCount(RichEdit1->toPlainText())));
    m_progressBar->setValue(0);
    m_timeLabel->setText(QString::fromStdString(ElapsedText(0)));
    pump();
}

void TForm1::SetBatchIndex(int index) {
    m_batchIndex = index;
    if (index < 0) {
        m_batchLabel->clear();
        m_batchList.clear();
        return;
    }
    m_batchLabel->setText(BatchLabelText(index, static_cast<int>(m_batchList.size())));
    pump(false);
}

void TForm1::acPasteExecute() {
    RichEdit2->clear();
    RichEdit1->clear();
    RichEdit1->setPlainText(PaneTextOf(QGuiApplication::clipboard()->text()));
    SetBatchIndex(-1);
    // Pasted text is no file: a save must not take an earlier file's name for it.
    m_filePath.clear();
    m_textName.clear();
    m_saved = true;
    ShowTextLoaded(true);
}

void TForm1::loadIntoInputPane(const QString& path, bool& ok) {
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    if (!ok)
        return;
    const QByteArray bytes = file.readAll();
    ok = file.error() == QFileDevice::NoError;
    if (!ok)
        return;
    RichEdit1->setPlainText(PaneTextOf(
        decodeTextFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))));
}

void TForm1::acOpenExecute() {
    const QString path = m_prompts->openTextFile(this, m_lastFolder);
    if (path.isEmpty())
        return;
    bool ok = false;
    loadIntoInputPane(path, ok);
    if (!ok) {
        m_prompts->information(this, QString::fromUtf8(FileNotExistMessage));
        return;
    }
    m_filePath.clear();
    m_textName = path;
    ShowTextLoaded(true);
    m_lastFolder = QFileInfo(path).absolutePath();
}

void TForm1::LoadTextFile(const QString& path) {
    m_filePath = path;
    m_textName = path;
    bool ok = false;
    if (QFileInfo::exists(path))
        loadIntoInputPane(path, ok);
    if (!ok) {
        m_prompts->information(this, QString::fromUtf8(FileNotExistMessage));
        return;
    }
    ShowTextLoaded(true);
    acCount->trigger();
}

void TForm1::pause(int milliseconds) {
    // The window keeps painting while it waits, but takes no input: nothing may start
    // between the files of a batch.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds && !m_closePending) {
        pump(false);
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(10, milliseconds - clock.elapsed())));
    }
}

void TForm1::MeasureFiles(QStringList paths) {
    if (m_measuring || m_inBatch)
        return;
    for (qsizetype i = paths.size() - 1; i >= 0; --i) {
        if (IsTextFileName(paths[i]))
            continue;
        if (!m_prompts->warningYesAbort(this, QString::fromUtf8(NotTextFileMessage)))
            return;
        paths.removeAt(i);
    }
    if (paths.isEmpty())
        return;

    m_inBatch = true;
    m_batchList = paths;
    m_batchMeasured = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        SetBatchIndex(static_cast<int>(i));
        LoadTextFile(paths[i]);
        const bool stopped = !countButtonCarriesStop() && acCount->isEnabled();
        if (stopped || m_closePending)
            break;
        if (i + 1 < paths.size())
            pause(m_batchPause);
    }
    m_inBatch = false;
    if (m_options.afterMeasurement[after::ShowGraph])
        acLineGraph->trigger();
    if (m_closePending)
        QTimer::singleShot(0, this, &QWidget::close);
}

// --- measuring ------------------------------------------------------------------------------

void TForm1::bindCountButton(QAction* action) {
    // The button holds one action at a time; a second one would give it a pop-up menu.
    for (QAction* held : m_countButton->actions())
        if (held != action)
            m_countButton->removeAction(held);
    m_countButton->setDefaultAction(action);
}

bool TForm1::countButtonCarriesStop() const { return m_countButton->defaultAction() == acStop; }

void TForm1::SetMeasuring(bool on) {
    m_measuring = on;
    RichEdit1->setEnabled(!on);
    RichEdit2->setEnabled(!on);
    m_optionPanel->setEnabled(!on);
    for (QAction* menu : menuBar()->actions())
        menu->setEnabled(!on);
    if (on) {
        for (QAction* action : m_toolBar->actions())
            if (QWidget* button = m_toolBar->widgetForAction(action); button && button != m_countButton)
                button->setEnabled(false);
        const bool replaces = m_batchIndex < 0 || m_batchMeasured == 0;
        if (replaces)
            RichEdit2->setPlainText(QString::fromUtf8(MeasuringText));
        bindCountButton(acStop);
        pump();
        return;
    }

    acCount->setEnabled(false);
    acSave->setEnabled(true);
    acCopy->setEnabled(true);
    for (QAction* action : m_toolBar->actions()) {
        QWidget* button = m_toolBar->widgetForAction(action);
        if (button && button != m_countButton)
            button->setEnabled(action->isEnabled());
    }
    if (countButtonCarriesStop()) {
        if (m_options.afterMeasurement[after::SaveResult]) {
            if (m_batchIndex < 0)
                acSave->trigger();
            else
                SaveRecord(m_historyTarget, m_listName,
                           QString::fromStdString(BatchFileName(m_filePath)));
        }
        bindCountButton(acCount);
    } else {
        // A stopped run leaves the previous run's totals: there is nothing new to save.
        acSave->setEnabled(false);
        acCount->setEnabled(true);
    }
}

void TForm1::acStopExecute() { bindCountButton(acCount); }

void TForm1::acCountExecute() {
    if (m_measuring)
        return;
    if (!m_wordData) {
        m_prompts->information(this, QString::fromUtf8(NoWordDataMessage));
        return;
    }
    m_status->clear();
    std::vector<std::string> lines = PaneLines(RichEdit1->toPlainText());
    if (!HasText(lines)) {
        m_prompts->information(this, QString::fromUtf8(NoTextMessage));
        return;
    }
    const QString question = ConditionsQuestion(m_options);
    if (!question.isEmpty() && !m_prompts->warningYesAbort(this, question))
        return;

    SetMeasuring(true);
    m_saved = false;
    acFlyGraph->setEnabled(false);
    acResult->setEnabled(false);
    m_measuredLines = lines;

    // A copy: a change of the marks during a batch applies to the next file.
    const TMeasureOptions options = m_options;
    TMeasureRequest request;
    request.options = &options;
    const bool batch = m_batchIndex >= 0;
    const bool replaces = !batch || m_batchMeasured == 0;
    if (batch) {
        request.batch.active = true;
        request.batch.first = m_batchMeasured == 0;
        request.batch.last = m_batchIndex + 1 >= m_batchList.size();
        request.batch.name = BatchFileName(m_filePath);
    }

    const int count = static_cast<int>(lines.size());
    m_progressBar->setRange(0, std::max(1, count - 1));
    m_progressBar->setValue(0);
    m_timeLabel->setText(QString::fromStdString(ElapsedText(0)));
    pump();
    QElapsedTimer sincePump;
    sincePump.start();
    request.progress = [&](int line, long long seconds) {
        if (sincePump.elapsed() >= PumpIntervalMs) {
            m_progressBar->setValue(line);
            m_timeLabel->setText(QString::fromStdString(ElapsedText(seconds)));
            pump();
            sincePump.restart();
        }
        return countButtonCarriesStop();
    };
    QElapsedTimer runClock;
    runClock.start();
    TMeasurement result = MeasureLines(lines, *m_engine, request);
    m_progressBar->setValue(m_progressBar->maximum());
    m_timeLabel->setText(QString::fromStdString(ElapsedText(runClock.elapsed() / 1000)));

    if (result.canceled) {
        m_status->setText(QString::fromUtf8(CanceledText.data(),
                                            static_cast<qsizetype>(CanceledText.size())));
    } else {
        m_status->setText(QString::fromStdString(FinishedStatusText(result.totals)));
        m_totals = result.totals;
        m_whole = result.whole;
        // The next fly action shows this text; later ones show the fly graph as it stands.
        m_flyHandOverDue = CanShowResultCard(m_totals);
        m_measuredName = m_textName.isEmpty() ? QStringLiteral("無題")
                                              : QString::fromStdString(BatchFileName(m_textName));
        if (m_allFeatures && m_totals.Sentences > 0 && m_totals.Words > 0) {
            acFlyGraph->setEnabled(true);
            acResult->setEnabled(true);
        }
    }

    const QString text = ResultPaneText(result.results);
    result = TMeasurement();
    RichEdit2->setUpdatesEnabled(false);
    if (replaces)
        RichEdit2->setPlainText(text);
    else
        RichEdit2->appendPlainText(text);
    RichEdit2->setUpdatesEnabled(true);
    if (batch)
        ++m_batchMeasured;

    SetMeasuring(false);
    if (m_closePending && !m_inBatch)
        QTimer::singleShot(0, this, &QWidget::close);
}

// --- results --------------------------------------------------------------------------------

void TForm1::acCopyExecute() {
    QGuiApplication::clipboard()->setText(ClipboardText(RichEdit2->toPlainText()));
    m_status->setText(QString::fromUtf8(CopiedStatusText));
}

QDateTime TForm1::nextSaveTime() {
    m_lastSave = NextSaveTime(m_lastSave);
    return m_lastSave;
}

bool TForm1::SaveRecord(const QString& historyFile, const QString& listName, const QString& title) {
    const QString folder = AppDataFolder();
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("texts")));
    QDir().mkpath(QFileInfo(historyFile).absolutePath());
    TSaveRecordInput input;
    input.historyFile = historyFile;
    input.listName = listName.toStdString();
    input.title = title;
    input.lines = &m_measuredLines;
    input.now = nextSaveTime();
    input.dataFolder = folder;
    input.totals = m_totals;
    input.whole = m_whole;
    const TSaveRecordResult result = pelmar::SaveRecord(input);
    if (!result.ok) {
        m_prompts->information(this, result.message);
        return false;
    }
    m_dateString = QString::fromStdString(result.key);
    m_saved = true;
    acSave->setEnabled(false);
    return true;
}

void TForm1::acSaveExecute() {
    QString title = DefaultSaveTitle(m_filePath);
    if (!(m_options.afterMeasurement[after::SaveResult] && !m_filePath.isEmpty())) {
        for (;;) {
            const std::optional<QString> answer =
                m_prompts->inputText(this, QString::fromUtf8(SaveTitlePrompt), title);
            if (!answer)
                return;
            if (!answer->isEmpty()) {
                title = *answer;
                break;
            }
        }
    }
    if (!SaveRecord(HistoryFilePath(), QStringLiteral("Index"), title))
        return;
    if (m_history) {
        m_history->show();
        m_history->raise();
        m_history->acDrawExecute();
    }
}

void TForm1::ShowRecordValues(const TRecItem& record) {
    PutRecordForFly(record, m_totals, m_whole);
    // The kept values now mix the record with the last measurement: saving them would store a
    // record of neither text.
    acSave->setEnabled(false);
}

void TForm1::ShowText(const QString& text) {
    RichEdit2->clear();
    RichEdit1->setPlainText(text);
    m_filePath.clear();
    SetBatchIndex(-1);
    ShowTextLoaded(true);
}

void TForm1::acLineGraphExecute() {
    if (acSave->isEnabled()) {
        switch (m_prompts->confirmYesNoCancel(this, UnsavedResultsQuestion())) {
        case TAnswer::Cancel: return;
        case TAnswer::Yes: acSave->trigger(); break;
        case TAnswer::No: break;
        }
    }
    if (m_history) {
        m_history->show();
        m_history->raise();
    }
}

void TForm1::acFlyGraphExecute() {
    if (!m_fly)
        return;
    if (m_flyHandOverDue && m_allFeatures) {
        m_flyHandOverDue = false;
        m_fly->handOver(FlyValuesOf(m_totals, m_whole), m_measuredName);
        return;
    }
    m_fly->show();
    m_fly->raise();
}

void TForm1::acResultExecute() {
    if (!m_result || !CanShowResultCard(m_totals))
        return;
    m_result->fill(MakeResultCard(m_totals, m_whole));
    if (m_result->exec() == TFormResult::FlyResult)
        acFlyGraphExecute();
}

void TForm1::acHelpExecute() {
    TLauncherHooks hooks;
    hooks.message = [this](const QString& text) { m_prompts->information(this, text); };
    hooks.start = [this](const QString& program, const QStringList& arguments) {
        return m_prompts->startProgram(program, arguments);
    };
    hooks.openWithDesktop = [this](const QUrl& url) { return m_prompts->openUrl(url); };
    OpenDocument(m_helpDocument, QString(), hooks);
}

void TForm1::acVersionExecute() { m_prompts->information(this, VersionMessage(m_info)); }

void TForm1::SendSupportMail(TMailKind kind) {
    m_prompts->openUrl(QUrl(SupportMailLink(m_info, kind), QUrl::TolerantMode));
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
    for (QGroupBox* group : m_groups)
        group->setVisible(on);
    acSave->setVisible(on);
    acLineGraph->setVisible(on);
    acLineGraph->setEnabled(on);
    acFlyGraph->setVisible(on);
    acResult->setVisible(on);
    if (!on) {
        acFlyGraph->setEnabled(false);
        acResult->setEnabled(false);
    }
}

} // namespace pelmar

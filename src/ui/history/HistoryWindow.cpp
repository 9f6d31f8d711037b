#include "ui/history/HistoryWindow.h"

#include "desktop/WindowPlacement.h"
#include "history/HistoryHelp.h"
#include "platform/AppPaths.h"
#include "ui/history/HistoryMenus.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"
#include "ui/history/HistoryToolArea.h"
#include "ui/history/HistoryWindowDialogs.h"
#include "ui/history/GLItems.h"
#include "ui/history/GraphRangeBar.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelmar {

TForm2::TForm2(std::unique_ptr<THistoryDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs)), m_dataFolder(AppDataFolder()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Pelmar - Graph"));
    if (!m_dialogs)
        m_dialogs = MakeHistoryWindowDialogs(this);
    m_runMenu = [](QMenu& menu, QPoint at) { menu.exec(at); };
    resize(800, 568);
    createActions();
    createPanes();
    createMenus();
    wireToolArea();
    applySettings();
    updateCounts();
    UpdateActions();
    acCopyA->setEnabled(true);
}

TForm2::~TForm2() {
    // A window still open when the program ends keeps its settings as well.
    if (isVisible())
        writeSettings();
}

QAction* TForm2::makeAction(const char* name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TForm2::createActions() {
    acCopy = makeAction("acCopy", QStringLiteral("コピー(&C)"));
    acCopyA = makeAction("acCopyA", QStringLiteral("項目見出し付きコピー(&A)"));
    acDraw = makeAction("acDraw", QStringLiteral("描画更新(&G)"));
    acDrawGroup = makeAction("acDrawGroup", QStringLiteral("サンプル以外のデータを閉じる(&X)"));
    acRedraw = makeAction("acRedraw", QStringLiteral("更新(&R)"));
    acClose = makeAction("acClose", QStringLiteral("閉じる(&C)"));
    acDelete = makeAction("acDelete", QStringLiteral("削除する(&D)"));
    acRename = makeAction("acRename", QStringLiteral("タイトル名の変更(&R)"));
    acHide = makeAction("acHide", QStringLiteral("表示しない(&H)"));
    acProperty = makeAction("acProperty", QStringLiteral("プロパティ(&P)"));
    acSearch = makeAction("acSearch", QStringLiteral("検索"));
    acSelAllItems = makeAction("acSelAllItems", QStringLiteral("すべての項目を選択する(&S)"));
    acSelAllGraph = makeAction("acSelAllGraph", QStringLiteral("すべてのリーダビリティを表示する(&A)"));
    acSelGraphClear = makeAction("acSelGraphClear", QStringLiteral("すべてのリーダビリティを取り消す(&O)"));
    acGraphCopy = makeAction("acGraphCopy", QStringLiteral("コピー(&C)"));
    // Ctrl+F5 as well, since holding Ctrl asks for the whitened picture.
    acGraphCopy->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F5)});
    acGraphCopyW = makeAction("acGraphCopyW", QStringLiteral("背景を無色でコピー(&W)"));
    acShowViewer = makeAction("acShowViewer", QStringLiteral("テキスト一覧窓を開く(&O)"));
    acShowFlyGraph = makeAction("acShowFlyGraph", QStringLiteral("フライ"));
    acShowText = makeAction("acShowText", QStringLiteral("テキストを表示(&T)"));
    acOpen = makeAction("acOpen", QStringLiteral("編集窓を開く(&W)"));
    acWord = makeAction("acWord", QStringLiteral("言葉の説明(&W)"));
    addAction(acGraphCopy);

    connect(acCopy, &QAction::triggered, this, [this] { acCopyExecute(false); });
    connect(acCopyA, &QAction::triggered, this, [this] { acCopyExecute(true); });
    connect(acDraw, &QAction::triggered, this, &TForm2::acDrawExecute);
    connect(acDrawGroup, &QAction::triggered, this, &TForm2::acDrawExecute);
    connect(acRedraw, &QAction::triggered, this, &TForm2::acRedrawExecute);
    connect(acClose, &QAction::triggered, this, &QWidget::close);
    connect(acDelete, &QAction::triggered, this, &TForm2::acDeleteExecute);
    connect(acRename, &QAction::triggered, this, &TForm2::acRenameExecute);
    connect(acHide, &QAction::triggered, this, &TForm2::acHideExecute);
    connect(acProperty, &QAction::triggered, this, &TForm2::acPropertyExecute);
    connect(acSearch, &QAction::triggered, this, &TForm2::acSearchExecute);
    connect(acSelAllItems, &QAction::triggered, this, [this] { m_titleList->selectAll(); });
    connect(acGraphCopy, &QAction::triggered, this, [this] {
        acGraphCopyExecute(QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    });
    connect(acGraphCopyW, &QAction::triggered, this, [this] { acGraphCopyExecute(true); });
    connect(acShowViewer, &QAction::triggered, this, &TForm2::acShowViewerExecute);
    connect(acShowFlyGraph, &QAction::triggered, this, &TForm2::acShowFlyGraphExecute);
    connect(acShowText, &QAction::triggered, this, &TForm2::acShowTextExecute);
    connect(acOpen, &QAction::triggered, this, &TForm2::acOpenExecute);
    connect(acWord, &QAction::triggered, this, [this] { m_dialogs->message(GlossaryText()); });
}

void TForm2::createPanes() {
    m_model = new THistoryTableModel(m_items, this);
    m_tools = new THistoryToolArea;

    m_titleList = new THistoryTableView;
    m_titleList->setObjectName(QStringLiteral("ListView1"));
    m_valueTable = new THistoryTableView;
    m_valueTable->setObjectName(QStringLiteral("ListView2"));
    m_titleList->setModel(m_model);
    m_valueTable->setModel(m_model);
    // One selection for both lists, so selecting in either selects in the other.
    m_valueTable->setSelectionModel(m_titleList->selectionModel());
    // The row number shares its 36 pixels with a small kind mark; more digits widen it.
    m_titleList->setIconSize(QSize(10, 10));
    const int numberWidth = m_titleList->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24;
    const int widths[] = {std::max(36, numberWidth), 188, 130};
    for (int column = 0; column < HistoryColumn::Count; ++column) {
        const bool titleColumn = column < HistoryColumn::FirstStored;
        m_titleList->setColumnHidden(column, !titleColumn);
        m_valueTable->setColumnHidden(column, titleColumn);
        if (titleColumn) {
            m_titleList->setColumnWidth(column, widths[column]);
        } else {
            // As wide as its header, and never too narrow for a five-digit count.
            const QFontMetrics metrics = m_valueTable->horizontalHeader()->fontMetrics();
            const int text = std::max(metrics.horizontalAdvance(HistoryColumnCaption(column)),
                                      metrics.horizontalAdvance(QStringLiteral("00000")));
            m_valueTable->setColumnWidth(column, text + 14);
        }
    }
    m_titleList->setMinimumWidth(30);
    // The title fills what the list shows beside the number, so the sort mark at its right
    // end is seen; the date lies beyond, reached sideways.
    const QFontMetrics header = m_titleList->horizontalHeader()->fontMetrics();
    m_titleList->setFillColumn(
        HistoryColumn::Title, header.horizontalAdvance(HistoryColumnCaption(HistoryColumn::Title)) +
                                  2 * header.height() + 8);
    for (THistoryTableView* view : {m_titleList, m_valueTable}) {
        view->canStartDrag = [this] { return !sampleSelected() && !selectedRows().empty(); };
        view->acceptsDrop = [this](int row) {
            const TRecItem* item = m_model->itemAtRow(row);
            return !m_titleList->selectionModel()->isRowSelected(row, QModelIndex()) && item &&
                   !item->IsSample();
        };
        connect(view, &THistoryTableView::rowsDropped, this, &TForm2::DropOnRow);
        connect(view, &THistoryTableView::popupRequested, this, [this](QPoint at) {
            UpdateActions();
            m_runMenu(*m_popup, at);
        });
        connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this, view](int column) { SortByColumn(view, column); });
    }
    // Both lists show the same top row.
    connect(m_titleList->verticalScrollBar(), &QScrollBar::valueChanged,
            m_valueTable->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_valueTable->verticalScrollBar(), &QScrollBar::valueChanged,
            m_titleList->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_titleList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TForm2::selectionChanged);

    m_listSplitter = new QSplitter(Qt::Horizontal);
    m_listSplitter->addWidget(m_titleList);
    m_listSplitter->addWidget(m_valueTable);
    m_listSplitter->setStretchFactor(1, 1);
    m_listSplitter->setChildrenCollapsible(false);
    // At the window's least width the lists still show a few titles and numbers.
    m_valueTable->setMinimumWidth(ValueTableLeast);
    m_listSplitter->setMinimumWidth(ListsLeast);

    // The tool area is never squeezed (the window's least width leaves it all its controls)
    // and never stretched: the lists take every further pixel.
    auto* upper = new QSplitter(Qt::Horizontal);
    m_upperSplitter = upper;
    upper->setObjectName(QStringLiteral("UpperPanel"));
    upper->addWidget(m_tools);
    upper->addWidget(m_listSplitter);
    upper->setChildrenCollapsible(false);
    upper->setStretchFactor(0, 0);
    upper->setStretchFactor(1, 1);
    upper->setMinimumHeight(std::max(153, m_tools->minimumSizeHint().height()));

    m_graph = new TGLItems;
    m_graph->setItems(&m_items);
    m_graph->message = [this](const QString& text) { m_dialogs->message(text); };
    auto* halves = new QSplitter(Qt::Vertical);
    m_halves = halves;
    halves->addWidget(upper);
    halves->addWidget(m_graph);
    halves->setChildrenCollapsible(false);
    halves->setStretchFactor(1, 1);
    setCentralWidget(halves);

    m_countLabel = new QLabel;
    m_countLabel->setFixedWidth(150);
    m_selectedLabel = new QLabel;
    m_selectedLabel->setFixedWidth(100);
    statusBar()->addWidget(m_countLabel);
    statusBar()->addWidget(m_selectedLabel);
    statusBar()->setSizeGripEnabled(true);
}

void TForm2::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(acShowViewer);
    file->addAction(acOpen);
    file->addSeparator();
    file->addAction(acClose);

    m_editMenu = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    for (QAction* a : {acCopy, acCopyA, static_cast<QAction*>(nullptr), acSelAllItems, acSearch,
                       static_cast<QAction*>(nullptr), acRename, acHide, acDelete,
                       static_cast<QAction*>(nullptr), acProperty, acShowFlyGraph}) {
        if (a)
            m_editMenu->addAction(a);
        else
            m_editMenu->addSeparator();
    }
    connect(m_editMenu, &QMenu::aboutToShow, this, &TForm2::UpdateActions);

    m_dataMenu = menuBar()->addMenu(QStringLiteral("データグループ(&D)"));
    m_dataMenu->setObjectName(QStringLiteral("DataGroupMenu"));
    m_dataMenus = std::make_unique<TDataGroupMenus>();
    m_dataMenus->open = m_dataMenu->addMenu(QStringLiteral("開く(&O)"));
    m_dataMenus->openAdd = m_dataMenu->addMenu(QStringLiteral("追加で開く(&A)"));
    m_dataMenus->move = m_dataMenu->addMenu(QStringLiteral("無所属のデータをグループに移動(&S)"));
    m_dataMenus->rename = m_dataMenu->addMenu(QStringLiteral("名前を変更(&N)"));
    m_dataMenus->remove = m_dataMenu->addMenu(QStringLiteral("削除(&D)"));
    m_dataMenus->problemMark = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_dataMenu->addSeparator();
    m_dataMenu->addAction(acDrawGroup);
    connect(m_dataMenu, &QMenu::aboutToShow, this, &TForm2::rebuildDataGroupMenu);

    QMenu* graph = menuBar()->addMenu(QStringLiteral("グラフ(&G)"));
    for (QAction* a : {acDraw, acRedraw, acSelAllGraph, acSelGraphClear, acGraphCopy, acGraphCopyW,
                       m_graph->saveAction()})
        graph->addAction(a);
    m_graph->insertActions(m_graph->saveAction(), {acGraphCopy, acGraphCopyW});

    QMenu* kinds = menuBar()->addMenu(QStringLiteral("グループの見分け方(&H)"));
    for (int kind : {RecKind::Sample, RecKind::GroupMember, RecKind::Unassigned}) {
        connect(kinds->addAction(RecordKindCaption(kind)), &QAction::triggered, this,
                [this, kind] { m_dialogs->message(RecordKindText(kind)); });
    }

    m_helpMenu = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    m_helpMenu->addAction(acWord);
    connect(m_helpMenu->addAction(QStringLiteral("リーダビリティとは(&Q)")), &QAction::triggered,
            this, [this] { m_dialogs->message(IntroductionText()); });
    connect(m_helpMenu->addAction(QStringLiteral("リーダビリティ公式一覧(&R)")), &QAction::triggered,
            this, [this] { m_dialogs->message(FormulaListText()); });
    connect(m_helpMenu->addAction(QStringLiteral("リーダビリティ公式集(&F)")), &QAction::triggered,
            this, [this] { m_dialogs->message(FormulaCollectionText()); });
    m_detailMenu = m_helpMenu->addMenu(QStringLiteral("リーダビリティ詳細(&D)"));
    connect(m_helpMenu, &QMenu::aboutToShow, this, &TForm2::rebuildFormulaDetails);
    rebuildFormulaDetails();

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("ListPopup"));
    for (QAction* a : {acCopy, acCopyA, static_cast<QAction*>(nullptr), acShowFlyGraph, acShowText,
                       acProperty, static_cast<QAction*>(nullptr), acRename, acHide, acDelete,
                       static_cast<QAction*>(nullptr), acSelAllItems}) {
        if (a)
            m_popup->addAction(a);
        else
            m_popup->addSeparator();
    }
    connect(m_popup, &QMenu::aboutToShow, this, &TForm2::UpdateActions);
}

void TForm2::rebuildFormulaDetails() {
    m_detailMenu->clear();
    const QStringList captions = FormulaDetailCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        connect(m_detailMenu->addAction(captions[i]), &QAction::triggered, this,
                [this, i] { ShowFormulaDescription(9 + i); });
    }
}

void TForm2::wireToolArea() {
    THistoryToolArea* t = m_tools;
    connect(t->closeButton, &QPushButton::clicked, acClose, &QAction::trigger);
    connect(t->measureButton, &QPushButton::clicked, acOpen, &QAction::trigger);
    connect(t->openButton, &QPushButton::clicked, acShowViewer, &QAction::trigger);
    t->flyButton->setDefaultAction(acShowFlyGraph);
    // The copy buttons show pictures; their tips say which copy they make.
    acCopyA->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    acGraphCopy->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    t->tableCopyButton->setDefaultAction(acCopyA);
    t->graphCopyButton->setDefaultAction(acGraphCopy);
    t->tableCopyButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    t->graphCopyButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(t->searchButton, &QPushButton::clicked, acSearch, &QAction::trigger);
    connect(t, &THistoryToolArea::searchRequested, acSearch, &QAction::trigger);

    connect(t->formulaList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_graph->setFormulaVisible(m_tools->formulaList->row(item), item->checkState() == Qt::Checked);
        acRedrawExecute();
    });
    const auto setAllFormulas = [this](bool on) {
        QListWidget* list = m_tools->formulaList;
        {
            const QSignalBlocker block(list);
            for (int f = 0; f < list->count(); ++f) {
                list->item(f)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
                m_graph->setFormulaVisible(f, on);
            }
        }
        list->viewport()->update();
        acRedrawExecute();
    };
    connect(t->formulasOn, &QPushButton::clicked, this, [setAllFormulas] { setAllFormulas(true); });
    connect(t->formulasOff, &QPushButton::clicked, this, [setAllFormulas] { setAllFormulas(false); });
    connect(acSelAllGraph, &QAction::triggered, this, [setAllFormulas] { setAllFormulas(true); });
    connect(acSelGraphClear, &QAction::triggered, this, [setAllFormulas] { setAllFormulas(false); });

    for (std::size_t i = 0; i < t->auxiliary.size(); ++i) {
        const int measure = AuxiliaryMeasures[i];
        connect(t->auxiliary[i], &QCheckBox::clicked, this, [this, measure](bool on) {
            m_graph->setAuxiliary(measure, on);
            acRedrawExecute();
        });
    }
    const auto setAllAuxiliary = [this](bool on) {
        bool changed = false;
        for (std::size_t i = 0; i < m_tools->auxiliary.size(); ++i) {
            changed = changed || m_tools->auxiliary[i]->isChecked() != on;
            m_tools->auxiliary[i]->setChecked(on);
            m_graph->setAuxiliary(AuxiliaryMeasures[i], on);
        }
        if (changed)
            acRedrawExecute();
    };
    connect(t->auxiliaryOn, &QPushButton::clicked, this, [setAllAuxiliary] { setAllAuxiliary(true); });
    connect(t->auxiliaryOff, &QPushButton::clicked, this, [setAllAuxiliary] { setAllAuxiliary(false); });

    connect(t->sampleGroup, &QButtonGroup::idClicked, this, &TForm2::SampleSettingsChanged);
    for (QCheckBox* level : t->levels)
        connect(level, &QCheckBox::clicked, this, &TForm2::SampleSettingsChanged);

    // A step change during a drawing makes that drawing give way to the newest step.
    connect(t->stepBar, &QSlider::valueChanged, m_graph, &TGLItems::setStepPosition);
    connect(m_graph, &TGLItems::stepPositionChanged, this, [this](int position) {
        const QSignalBlocker quiet(m_tools->stepBar);
        m_tools->stepBar->setValue(position);
    });
    connect(m_graph, &TGLItems::busyChanged, acRedraw, [this](bool busy) {
        acRedraw->setEnabled(!busy);
    });
    m_graph->setRangeBar(t->rangeBar);
    using B = TGLItems::RangeButton;
    connect(t->upperUp, &QToolButton::clicked, this, [this] { m_graph->pressRange(B::UpperUp); });
    connect(t->upperDown, &QToolButton::clicked, this, [this] { m_graph->pressRange(B::UpperDown); });
    connect(t->lowerUp, &QToolButton::clicked, this, [this] { m_graph->pressRange(B::LowerUp); });
    connect(t->lowerDown, &QToolButton::clicked, this, [this] { m_graph->pressRange(B::LowerDown); });
    connect(m_graph, &TGLItems::rangeButtonsChanged, this,
            [this](bool upperUp, bool upperDown, bool lowerUp, bool lowerDown) {
                m_tools->upperUp->setEnabled(upperUp);
                m_tools->upperDown->setEnabled(upperDown);
                m_tools->lowerUp->setEnabled(lowerUp);
                m_tools->lowerDown->setEnabled(lowerDown);
            });
    connect(m_graph, &TGLItems::formulaClicked, this, &TForm2::ShowFormulaDescription);
    connect(m_graph, &TGLItems::recordClicked, this, [this](int position) {
        selectPositions({position}, position);
        acShowFlyGraphExecute();
    });
}

void TForm2::applySettings() {
    QSettings ini(SettingsFilePath(), QSettings::IniFormat);
    const QScreen* primary = QGuiApplication::primaryScreen();
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->geometry();
    const QSize screen = primary ? primary->geometry().size() : QSize(1000, 710);
    m_settings = ReadHistoryWindowSettings(ini, screen, screens);
    // The window never shrinks below what its panes need; that size is kept on the desktop too.
    const QSize wanted = m_settings.geometry.size().expandedTo(minimumSizeHint());
    resize(wanted);
    move(wanted == m_settings.geometry.size()
             ? m_settings.geometry.topLeft()
             : ClampWindowPosition(m_settings.geometry.topLeft(), wanted, screens));
    m_listSplitter->setSizes({m_settings.titleWidth, std::max(100, width() - m_settings.titleWidth)});

    // The controls take the settings without running their handlers.
    const QSignalBlocker blockSamples(m_tools->sampleGroup);
    m_tools->sampleButtons[static_cast<std::size_t>(m_settings.view.samples)]->setChecked(true);
    for (std::size_t level = 0; level < 3; ++level)
        m_tools->levels[level]->setChecked(m_settings.view.levels[level]);
    for (std::size_t i = 0; i < m_tools->auxiliary.size(); ++i) {
        m_tools->auxiliary[i]->setChecked(m_settings.auxiliary[i]);
        m_graph->setAuxiliary(AuxiliaryMeasures[i], m_settings.auxiliary[i]);
    }
    const QSignalBlocker blockFormulas(m_tools->formulaList);
    for (int f = 0; f < 10; ++f) {
        const bool on = m_settings.formulas[static_cast<std::size_t>(f)];
        m_tools->formulaList->item(f)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        m_graph->setFormulaVisible(f, on);
    }
    m_graph->setStepPosition(m_tools->stepBar->value());
    m_graph->setSampleMarkers(m_settings.view.samples != SampleDisplay::None);
}

void TForm2::writeSettings() {
    m_settings.geometry = QRect(pos(), size());
    m_settings.titleWidth = m_titleList->width();
    m_settings.step = m_tools->stepBar->value();
    for (std::size_t i = 0; i < m_tools->auxiliary.size(); ++i)
        m_settings.auxiliary[i] = m_tools->auxiliary[i]->isChecked();
    for (int f = 0; f < 10; ++f)
        m_settings.formulas[static_cast<std::size_t>(f)] =
            m_tools->formulaList->item(f)->checkState() == Qt::Checked;
    QSettings ini(SettingsFilePath(), QSettings::IniFormat);
    WriteHistoryWindowSettings(ini, m_settings);
    ini.sync();
}

void TForm2::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    keepFrameOnDesktop();
    // The tool area as narrow as it can be with every control whole; the lists take the rest.
    const int tools = m_tools->minimumSizeHint().width();
    m_upperSplitter->setSizes({tools, std::max(ListsLeast, m_upperSplitter->width() - tools)});
    // The upper half as high as its tool area, never below its least height; the graph, whose
    // plot is what is left after its fixed strips, takes all the rest.
    const int upperHeight =
        std::max(m_upperSplitter->minimumHeight(), m_tools->sizeHint().height());
    m_halves->setSizes(
        {upperHeight, std::max(m_graph->minimumHeight(), m_halves->height() - upperHeight)});
    // The title list keeps its width where the value table still shows a few columns beside it.
    const int lists = m_listSplitter->width() - m_listSplitter->handleWidth();
    const int titles = std::max(m_titleList->minimumWidth(),
                                std::min(m_settings.titleWidth, lists - ValueTableLeast));
    m_listSplitter->setSizes({titles, std::max(ValueTableLeast, lists - titles)});
    // Loaded once the window is up, so a message about the file shows in front of it.
    QTimer::singleShot(0, this, &TForm2::acDrawExecute);
}

void TForm2::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    keepFrameOnDesktop();
}

void TForm2::keepFrameOnDesktop() {
    // The saved place was kept on the desktop by the client area's size; the window manager's
    // frame, known only once it has framed the window shown, can still push the bottom (and
    // the status bar) off a small screen. The position moves once so that the whole frame is
    // inside; the size stays.
    const QRect frame = frameGeometry();
    if (!m_shownOnce || m_frameKept || frame.size() == size())
        return;
    m_frameKept = true;
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->geometry();
    const QPoint place = ClampWindowPosition(frame.topLeft(), frame.size(), screens);
    if (place != frame.topLeft())
        move(place);
}

void TForm2::closeEvent(QCloseEvent* event) {
    writeSettings();
    QMainWindow::closeEvent(event);
}

void TForm2::rebuildDataGroupMenu() {
    const THistoryFolderList folders = ListHistoryFolders(m_dataFolder);
    TDataGroupActions actions;
    actions.openGroup = [this](const QString& folder, const QString& group, bool add) {
        THistoryFolders operations(m_dataFolder, *m_dialogs);
        changeItems([&] { operations.OpenGroup(m_items, folder, group, add); });
        clearSortMarks();
    };
    const auto moved = [this](const TGroupMove& move) {
        if (move.historyChanged)
            acDrawExecute();
    };
    actions.moveUnassigned = [this, moved](const QString& folder, const QString& group) {
        moved(THistoryFolders(m_dataFolder, *m_dialogs).MoveUnassignedToGroup(folder, group));
    };
    actions.newGroup = [this, moved](const QString& folder) {
        moved(THistoryFolders(m_dataFolder, *m_dialogs).NewGroup(folder));
    };
    actions.newFolder = [this] { THistoryFolders(m_dataFolder, *m_dialogs).NewFolder(); };
    actions.renameFolder = [this](const QString& folder) {
        THistoryFolders(m_dataFolder, *m_dialogs).RenameFolder(folder);
    };
    actions.renameGroup = [this](const QString& folder, const QString& group) {
        THistoryFolders(m_dataFolder, *m_dialogs).RenameGroup(folder, group);
    };
    actions.explainProblem = [this](const QString& message) { m_dialogs->message(message); };
    FillDataGroupMenus(*m_dataMenus, folders, actions);
}

} // namespace pelmar

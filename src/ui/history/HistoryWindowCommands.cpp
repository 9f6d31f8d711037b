// The history window's commands: what its actions, header clicks and drops do.
#include "ui/history/HistoryWindow.h"

#include "fly/FlyValues.h"
#include "history/HistoryCopy.h"
#include "history/HistoryFolders.h"
#include "history/HistoryHelp.h"
#include "history/HistoryStore.h"
#include "history/TextListMenu.h"
#include "platform/Cp932.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryMenus.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"
#include "ui/history/HistoryToolArea.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CopyScreenRect.h"
#include "ui/history/GLItems.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace pelmar {

void TForm2::attachMain(TForm1* main, TForm4* fly) {
    m_main = main;
    m_fly = fly;
}

QString TForm2::historyFile() const {
    return HistoryFileIn(m_dataFolder);
}

void TForm2::showOutcome(const QString& message) {
    if (!message.isEmpty())
        m_dialogs->message(message);
}

// --- the collection and the selection --------------------------------------------------------

void TForm2::changeItems(const std::function<void()>& change) {
    m_model->beginChange();
    change();
    m_model->endChange();
    // The reset dropped the selection without a word: the graph's marks and the commands
    // that need a selection follow it here.
    m_graph->clearSelection();
    m_graph->layoutGraph();
    updateCounts();
    UpdateActions();
    acCopyA->setEnabled(true);
}

void TForm2::updateCounts() {
    m_countLabel->setText(QStringLiteral("全 %1 テキスト").arg(m_items.Count()));
    m_selectedLabel->setText(QStringLiteral("%1 個選択").arg(selectedRows().size()));
}

QString TForm2::statusText(int panel) const {
    return panel == 0 ? m_countLabel->text() : m_selectedLabel->text();
}

std::vector<int> TForm2::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_titleList->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<const TRecItem*> TForm2::selectedItems() const {
    std::vector<const TRecItem*> items;
    for (int row : selectedRows())
        items.push_back(m_model->itemAtRow(row));
    return items;
}

TRecItem* TForm2::singleSelected() const {
    const std::vector<int> rows = selectedRows();
    return rows.size() == 1 ? m_model->itemAtRow(rows.front()) : nullptr;
}

bool TForm2::sampleSelected() const {
    // A sample is known by its kind: after a sort the first positions may hold the user's own
    // records and the samples stand anywhere.
    const std::vector<const TRecItem*> items = selectedItems();
    return std::any_of(items.begin(), items.end(),
                       [](const TRecItem* item) { return item && item->IsSample(); });
}

void TForm2::selectionChanged() {
    std::vector<int> positions;
    for (int row : selectedRows())
        positions.push_back(m_model->positionOfRow(row));
    m_graph->showSelection(positions);
    updateCounts();
    UpdateActions();
    // The copy with headings stays at hand (it says so when nothing is selected).
    acCopyA->setEnabled(true);
}

void TForm2::UpdateActions() {
    const std::size_t count = selectedRows().size();
    const bool sample = sampleSelected();
    acCopy->setEnabled(count >= 1);
    acCopyA->setEnabled(count >= 1);
    acShowFlyGraph->setEnabled(count == 1);
    acProperty->setEnabled(count == 1);
    acShowText->setEnabled(count == 1);
    acDelete->setEnabled(count >= 1 && !sample);
    acRename->setEnabled(count == 1 && !sample);
    acHide->setEnabled(count >= 1);
}

void TForm2::selectPositions(const std::vector<int>& positions, int focusPosition) {
    QItemSelectionModel* selection = m_titleList->selectionModel();
    QItemSelection rows;
    for (int position : positions) {
        const int row = m_model->rowOfPosition(position);
        if (row >= 0 && row < m_model->rowCount())
            rows.select(m_model->index(row, 0), m_model->index(row, HistoryColumn::Count - 1));
    }
    const int focusRow = m_model->rowOfPosition(focusPosition);
    if (focusPosition >= 0 && focusRow >= 0 && focusRow < m_model->rowCount())
        selection->setCurrentIndex(m_model->index(focusRow, 0), QItemSelectionModel::NoUpdate);
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    if (!positions.empty()) {
        const QModelIndex shown = m_model->index(m_model->rowOfPosition(positions.front()), 0);
        m_titleList->scrollTo(shown);
    }
}

void TForm2::clearSortMarks() {
    for (THistoryTableView* view : {m_titleList, m_valueTable})
        view->horizontalHeader()->setSortIndicatorShown(false);
}

// --- loading ---------------------------------------------------------------------------------

void TForm2::acDrawExecute() {
    m_tools->setSampleControlsEnabled(false);
    THistoryOutcome outcome;
    {
        TBusyCursor busy(Qt::WaitCursor);
        changeItems([&] { outcome = ReloadHistory(m_items, m_dataFolder, m_settings.view); });
        clearSortMarks();
    }
    m_tools->setSampleControlsEnabled(true);
    showOutcome(outcome.message);
}

void TForm2::SampleSettingsChanged() {
    m_settings.view.samples = static_cast<SampleDisplay>(std::max(0, m_tools->sampleGroup->checkedId()));
    for (std::size_t level = 0; level < 3; ++level)
        m_settings.view.levels[level] = m_tools->levels[level]->isChecked();
    m_graph->setSampleMarkers(m_settings.view.samples != SampleDisplay::None);
    m_tools->setSampleControlsEnabled(false);
    THistoryOutcome outcome;
    {
        TBusyCursor busy(Qt::WaitCursor);
        changeItems([&] { outcome = ReloadKeepingGroups(m_items, m_dataFolder, m_settings.view); });
    }
    m_tools->setSampleControlsEnabled(true);
    showOutcome(outcome.message);
}

void TForm2::acRedrawExecute() {
    m_graph->draw(true);
}

// --- editing ---------------------------------------------------------------------------------

void TForm2::acCopyExecute(bool heading) {
    const std::vector<const TRecItem*> items = selectedItems();
    if (items.empty()) {
        m_dialogs->message(QStringLiteral("コピーする項目を選択してください"));
        return;
    }
    QApplication::clipboard()->setText(HistoryCopyText(items, heading));
}

void TForm2::acDeleteExecute() {
    const std::vector<const TRecItem*> items = selectedItems();
    if (items.empty())
        return;
    if (sampleSelected()) {
        m_dialogs->message(QStringLiteral("サンプルは編集できません"));
        return;
    }
    if (!m_dialogs->askYesCancel(QStringLiteral("%1 項目を削除します").arg(items.size())) ||
        !m_dialogs->askYesCancel(QStringLiteral("削除すると 元には戻せません。 よろしいか？")))
        return;
    const THistoryOutcome outcome = DeleteRecords(items, m_dataFolder);
    showOutcome(outcome.message);
    acDrawExecute();
}

void TForm2::acRenameExecute() {
    TRecItem* item = singleSelected();
    if (!item || item->IsSample())
        return;
    if (RenameTitle(*item, *m_dialogs)) {
        m_model->refresh();
        m_graph->draw(false);
    }
}

void TForm2::acHideExecute() {
    std::vector<int> positions;
    for (int row : selectedRows())
        positions.push_back(m_model->positionOfRow(row));
    if (positions.empty())
        return;
    // From the last position down, so the positions still to go stay where they are.
    std::sort(positions.rbegin(), positions.rend());
    changeItems([&] {
        for (int position : positions)
            m_items.Hide(position);
    });
}

void TForm2::acPropertyExecute() {
    if (const TRecItem* item = singleSelected())
        m_dialogs->infoMessage(RecordDetailText(*item));
}

void TForm2::acSearchExecute() {
    const std::optional<std::vector<int>> found = SearchTitles(m_items, m_tools->searchBox->text());
    if (!found)
        return;
    selectPositions(*found, found->empty() ? -1 : found->front());
}

void TForm2::ShowFormulaDescription(int k) {
    const QString text = FormulaDescriptionText(k);
    if (!text.isEmpty())
        m_dialogs->infoMessage(text);
}

void TForm2::acGraphCopyExecute(bool whiten) {
    if (m_graph->copyPicture(whiten))
        m_dialogs->message(QString::fromUtf8(PictureCopiedMessage));
}

// --- sorting and moving ----------------------------------------------------------------------

void TForm2::SortByColumn(THistoryTableView* view, int column) {
    QStringList selectedKeys;
    for (const TRecItem* item : selectedItems())
        selectedKeys << item->Key;
    const QModelIndex current = m_titleList->selectionModel()->currentIndex();
    const TRecItem* focused = current.isValid() ? m_model->itemAtRow(current.row()) : nullptr;
    const QString focusedKey = focused ? focused->Key : QString();
    m_titleList->selectionModel()->clearSelection();
    clearSortMarks();

    int mark = 0;
    changeItems([&] { mark = m_sorter.Sort(m_items, column); });
    QHeaderView* header = view->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, mark == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);

    // The records keep their selection and focus at their new rows (a key listed twice is
    // found at its first row, as the window always finds keys).
    QHash<QString, int> positionOfKey;
    for (int i = m_items.Count() - 1; i >= 0; --i)
        positionOfKey.insert(m_items.Item(i)->Key, i);
    std::vector<int> positions;
    for (const QString& key : selectedKeys) {
        if (positionOfKey.contains(key))
            positions.push_back(positionOfKey.value(key));
    }
    selectPositions(positions, positionOfKey.value(focusedKey, -1));
}

void TForm2::DropOnRow(int row) {
    const std::vector<int> rows = selectedRows();
    if (rows.empty() || sampleSelected())
        return;
    for (int selected : rows)
        m_items.Mark(m_model->positionOfRow(selected));
    const int target = m_model->positionOfRow(row);
    changeItems([&] { m_items.MoveMarked(target); });
    const QModelIndex drop = m_model->index(row, 0);
    m_titleList->selectionModel()->setCurrentIndex(
        drop, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// --- other windows ---------------------------------------------------------------------------

void TForm2::acShowViewerExecute() {
    const THistoryRead read = ReadHistoryFile(historyFile());
    if (!read.outcome.ok) {
        m_dialogs->message(read.outcome.message);
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("TextListMenu"));
    FillMenu(&menu, TextListMenu(UnshownRecords(m_items, *read.file)), [this](int position) {
        const std::optional<QString> key = UnassignedKeyAt(m_dataFolder, position);
        if (!key)
            return;
        THistoryFolders operations(m_dataFolder, *m_dialogs);
        changeItems([&] { operations.OpenRecords(m_items, historyFile(), {*key}); });
    });
    m_runMenu(menu, QCursor::pos());
}

void TForm2::acShowFlyGraphExecute() {
    const TRecItem* item = singleSelected();
    if (!item)
        return;
    if (m_main)
        m_main->ShowRecordValues(*item);
    if (m_fly) {
        TTextCounts totals;
        TWholeTextValues whole;
        PutRecordForFly(*item, totals, whole);
        m_fly->handOver(FlyValuesOf(totals, whole), item->Title);
    }
}

void TForm2::acShowTextExecute() {
    const TRecItem* item = singleSelected();
    if (!item)
        return;
    const TSavedText text = LoadSavedText(m_dataFolder, item->Key);
    if (!text.outcome.ok) {
        m_dialogs->message(text.outcome.message);
        return;
    }
    QStringList lines;
    for (const std::string& line : text.lines)
        lines << fromCp932(line);
    if (m_main) {
        m_main->ShowText(lines.join(QLatin1Char('\n')));
        acOpenExecute();
    }
}

void TForm2::acOpenExecute() {
    if (!m_main)
        return;
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

} // namespace pelmar

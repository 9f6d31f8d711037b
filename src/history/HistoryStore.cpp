#include "history/HistoryStore.h"

#include "measure/Vocabulary.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <unordered_map>

namespace pelmar {

std::uint8_t ListKind(std::string_view listName) {
    if (listName == "Index")
        return RecKind::Unassigned;
    if (listName.substr(0, 6) == "Sample")
        return RecKind::Sample;
    return RecKind::GroupMember;
}

int AddRecords(TRecItems& items, const THistorySections& sections, const QString& path,
               const std::vector<std::string>& keys, std::uint8_t kind, const QString& listName,
               std::vector<std::string>* dangling) {
    int added = 0;
    const THistorySections::TRange none;
    for (const std::string& key : keys) {
        const THistorySections::TRange* range = sections.find(key);
        if (!range && dangling) {
            dangling->push_back(key);
            continue;
        }
        TRecItem* item = items.Add(QString(), fromCp932(key));
        ReadRecord(sections, range ? *range : none, *item);
        item->Kind = kind;
        item->FileName = path;
        item->ListName = listName;
        ++added;
    }
    return added;
}

THistoryOutcome RemoveDanglingEntries(const QString& path, const std::vector<std::string>& lists) {
    return ChangeHistoryFile(path, [&](TDataIndexFile& file) {
        bool changed = false;
        for (const std::string& list : lists) {
            const THistorySections sections(file);
            if (!sections.exists(list))
                continue;
            std::vector<std::string> kept;
            bool dropped = false;
            for (std::string& entry : sections.values(list)) {
                if (sections.exists(entry))
                    kept.push_back(std::move(entry));
                else
                    dropped = true;
            }
            if (dropped) {
                file.WriteSection(list, kept);
                changed = true;
            }
        }
        return changed;
    });
}

namespace {

// Loads lists of an opened file and cleans their dangling entries afterwards.
class TListLoader {
public:
    TListLoader(TRecItems& items, const THistoryRead& read, QString path)
        : m_items(items), m_sections(*read.file), m_path(std::move(path)) {}

    int load(std::string_view list) {
        std::vector<std::string> dangling;
        const int added = AddRecords(m_items, m_sections, m_path, m_sections.values(list),
                                     ListKind(list), fromCp932(list), &dangling);
        if (!dangling.empty())
            m_dirtyLists.emplace_back(list);
        return added;
    }

    // Only a file that had dangling entries is written, so a plain reload never replaces a
    // file another process has just saved into.
    THistoryOutcome finish() {
        if (m_dirtyLists.empty())
            return {};
        return RemoveDanglingEntries(m_path, m_dirtyLists);
    }

private:
    TRecItems& m_items;
    THistorySections m_sections;
    QString m_path;
    std::vector<std::string> m_dirtyLists;
};

} // namespace

int LoadList(TRecItems& items, const QString& path, std::string_view listName,
             THistoryOutcome* outcome) {
    const THistoryRead read = ReadHistoryFile(path);
    if (!read.outcome.ok) {
        if (outcome)
            *outcome = read.outcome;
        return 0;
    }
    TListLoader loader(items, read, path);
    const int added = loader.load(listName);
    const THistoryOutcome cleaned = loader.finish();
    if (outcome)
        *outcome = cleaned;
    return added;
}

std::string_view SampleListName(const THistoryView& view, int level) {
    if (level < 0 || level > 2 || !view.levels[static_cast<std::size_t>(level)])
        return {};
    switch (view.samples) {
    case SampleDisplay::All: return vocab::SampleListNames[static_cast<std::size_t>(level)];
    case SampleDisplay::Part: return vocab::SampleListNames[static_cast<std::size_t>(level + 3)];
    case SampleDisplay::None: break;
    }
    return {};
}

THistoryOutcome ReloadHistory(TRecItems& items, const QString& dataFolder,
                              const THistoryView& view, bool cleanUp) {
    const QString path = HistoryFileIn(dataFolder);
    const THistoryRead read = ReadHistoryFile(path);
    // A file that cannot be read leaves the records shown before as they were.
    if (read.exists && !read.outcome.ok)
        return read.outcome;
    items.Clear();
    items.SampleLevelCounts = {0, 0, 0};
    if (!read.exists)
        return {};
    TListLoader loader(items, read, path);
    for (int level = 0; level < SampleLevelCount; ++level) {
        const std::string_view list = SampleListName(view, level);
        if (!list.empty())
            items.SampleLevelCounts[static_cast<std::size_t>(level)] = loader.load(list);
    }
    loader.load("Index");
    return cleanUp ? loader.finish() : THistoryOutcome{};
}

THistoryOutcome ReloadKeepingGroups(TRecItems& items, const QString& dataFolder,
                                    const THistoryView& view) {
    TRecItems members;
    for (int i = 0; i < items.Count(); ++i) {
        const TRecItem* item = items.Item(i);
        if (item->Kind == RecKind::GroupMember)
            *members.Add(item->Title, item->Key) = *item;
    }
    const THistoryOutcome outcome = ReloadHistory(items, dataFolder, view);
    if (!outcome.unreadable)
        items.CopyFrom(members);
    return outcome;
}

THistoryOutcome DeleteRecords(const std::vector<const TRecItem*>& items,
                              const QString& dataFolder) {
    // Items are taken in their order; those of one file are deleted in one change of it, and a
    // vanished file stops the pass where it was met.
    struct TFileBatch {
        QString path;
        std::unordered_map<std::string, std::vector<std::string>> keysByList;
        std::vector<std::string> keys;
    };
    std::vector<TFileBatch> batches;
    QString missing;
    for (const TRecItem* item : items) {
        if (!item || item->IsSample())
            continue;
        if (!QFileInfo::exists(item->FileName)) {
            missing = item->FileName;
            break;
        }
        auto batch = std::find_if(batches.begin(), batches.end(),
                                  [&](const TFileBatch& b) { return b.path == item->FileName; });
        if (batch == batches.end()) {
            batches.push_back(TFileBatch{item->FileName, {}, {}});
            batch = batches.end() - 1;
        }
        const std::string key = toCp932(item->Key);
        batch->keysByList[toCp932(item->ListName)].push_back(key);
        batch->keys.push_back(key);
    }
    for (const TFileBatch& batch : batches) {
        const THistoryOutcome outcome = ChangeHistoryFile(batch.path, [&](TDataIndexFile& file) {
            for (const auto& [list, keys] : batch.keysByList) {
                if (!list.empty())
                    RemoveListEntries(file, list, keys);
            }
            EraseSections(file, batch.keys);
            return true;
        });
        if (!outcome.ok)
            return outcome;
    }
    if (!missing.isEmpty()) {
        const QString shown = QDir::toNativeSeparators(QDir(dataFolder).relativeFilePath(missing));
        return THistoryOutcome::failed(QStringLiteral("ファイル %1 が 見つかりません").arg(shown));
    }
    return {};
}

bool RenameTitle(TRecItem& item, THistoryDialogs& dialogs) {
    if (!QFileInfo::exists(item.FileName))
        return false;
    const std::optional<QString> answer =
        dialogs.input(QStringLiteral("新しい名前"), item.Title, item.Title);
    if (!answer)
        return false;
    // A line break would start a new line in the history file.
    QString title = *answer;
    title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    title = title.trimmed();
    if (title.isEmpty() || title == item.Title)
        return false;
    const std::string key = toCp932(item.Key);
    const THistoryOutcome outcome = ChangeHistoryFile(item.FileName, [&](TDataIndexFile& file) {
        // A record deleted meanwhile is not brought back as a section holding only a title.
        if (!file.SectionExists(key))
            return false;
        file.WriteString(key, "TITL", toCp932(title));
        return true;
    });
    if (!outcome.ok) {
        dialogs.message(outcome.message);
        return false;
    }
    item.Title = title;
    return true;
}

QString SavedTextFile(const QString& dataFolder, const QString& key) {
    QString digits;
    for (QChar c : key) {
        if (c.isDigit())
            digits += c;
    }
    return QDir(dataFolder).filePath(QStringLiteral("texts/pm") + digits + QStringLiteral(".dat"));
}

TSavedText LoadSavedText(const QString& dataFolder, const QString& key) {
    TSavedText text;
    const QString path = SavedTextFile(dataFolder, key);
    TCompressStringList list;
    const LoadResult loaded = QFileInfo::exists(path) ? list.LoadFromFile(path)
                                                      : LoadResult{LoadResult::Status::Missing, {}};
    if (loaded.status == LoadResult::Status::Missing) {
        const QString shown = QDir::toNativeSeparators(QDir(dataFolder).relativeFilePath(path));
        text.outcome = THistoryOutcome::failed(
            QStringLiteral("テキストファイル %1 が 見つかりません").arg(shown));
    } else if (!loaded.ok()) {
        text.outcome = THistoryOutcome::failed(
            QStringLiteral("テキストファイル %1 を読み込めません").arg(QDir::toNativeSeparators(path)));
    } else {
        text.lines = list.Lines();
    }
    return text;
}

} // namespace pelmar

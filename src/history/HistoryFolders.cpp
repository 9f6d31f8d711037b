#include "history/HistoryFolders.h"

#include "history/HistoryStore.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace pelmar {

namespace {

const QString FolderSuffix = QStringLiteral(".hst");
const char* const TitlesSection = "Titles";

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool containsName(const QStringList& names, const QString& name) {
    return std::any_of(names.begin(), names.end(), [&](const QString& n) { return sameName(n, name); });
}

QStringList groupsOf(const TDataFile& file) {
    QStringList groups;
    for (const std::string& line : file.ReadSection(TitlesSection))
        groups << fromCp932(line);
    return groups;
}

} // namespace

QString NameTakenMessage(const QString& name) {
    return name + QStringLiteral(" は登録済みです 別の名前にしてください");
}

QString BadNameMessage(const QString& name) {
    return name + QStringLiteral(" には 使えない記号が入っています 別の名前にしてください");
}

bool IsBadFolderName(const QString& name) {
    if (name.startsWith(QLatin1Char('.')))
        return true;
    return std::any_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control;
    });
}

bool IsBadGroupName(const QString& name) {
    return IsBadFolderName(name) || name.startsWith(QLatin1Char('['));
}

QString MoveQuestion(const QStringList& titles, int count, const QString& group) {
    QString text;
    for (const QString& title : titles.mid(0, 3))
        text += title + QStringLiteral("\r\n");
    text += count < 4 ? QStringLiteral("以上") : QStringLiteral("など");
    text += QStringLiteral(" %1 個のデータを %2 に追加します").arg(count).arg(group);
    text += QStringLiteral("\r\nよろしいか？");
    return text;
}

THistoryFolderList ListHistoryFolders(const QString& dataFolder) {
    THistoryFolderList list;
    const QDir datas(FoldersFolderIn(dataFolder));
    // Unreadable files too: left out, a folder would vanish from the menu without a word, and
    // a new folder could take its name in another case.
    const QFileInfoList files =
        datas.entryInfoList({QStringLiteral("*") + FolderSuffix}, QDir::Files);
    for (const QFileInfo& info : files) {
        // Only the exact extension: "x.hst2", "x.hst.lock" and saving leftovers are no folders.
        const QString fileName = info.fileName();
        if (!fileName.endsWith(FolderSuffix) || fileName.size() == FolderSuffix.size())
            continue;
        THistoryFolder folder;
        folder.name = fileName.chopped(FolderSuffix.size());
        folder.path = info.filePath();
        const THistoryRead read = ReadHistoryFile(folder.path);
        if (read.outcome.ok) {
            folder.groups = groupsOf(*read.file);
        } else {
            folder.problem = read.outcome.message;
            list.problems << read.outcome.message;
        }
        list.folders.push_back(std::move(folder));
    }
    std::sort(list.folders.begin(), list.folders.end(),
              [](const THistoryFolder& a, const THistoryFolder& b) {
                  const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
                  return c != 0 ? c < 0 : a.name < b.name;
              });
    return list;
}

THistoryFolders::THistoryFolders(QString dataFolder, THistoryDialogs& dialogs)
    : m_dataFolder(std::move(dataFolder)), m_dialogs(dialogs) {}

QString THistoryFolders::FolderPath(const QString& folder) const {
    return QDir(FoldersFolderIn(m_dataFolder)).filePath(folder + FolderSuffix);
}

bool THistoryFolders::readable(const THistoryRead& read) {
    if (!read.outcome.ok)
        m_dialogs.message(read.outcome.message);
    return read.outcome.ok;
}

void THistoryFolders::OpenGroup(TRecItems& items, const QString& folder, const QString& group,
                                bool add) {
    if (!add) {
        // Every record but the samples goes; after a sort they need not be the first ones.
        for (int i = items.Count() - 1; i >= 0; --i) {
            if (!items.Item(i)->IsSample())
                items.Delete(i);
        }
    }
    const QString path = FolderPath(folder);
    const THistoryRead read = ReadHistoryFile(path);
    if (!readable(read))
        return;
    const THistorySections sections(*read.file);
    const QString name = group.trimmed();
    AddRecords(items, sections, path, sections.values(toCp932(name)), RecKind::GroupMember, name,
               nullptr);
}

TGroupMove THistoryFolders::fileUnassigned(const QString& folderPath,
                                           const std::vector<std::string>& keys,
                                           const std::function<bool(TDataIndexFile&)>& intoFolder) {
    TGroupMove move;
    bool filedThere = false;
    const THistoryOutcome filed = ChangeHistoryFile(folderPath, [&](TDataIndexFile& file) {
        filedThere = intoFolder(file);
        return filedThere;
    });
    if (!filed.ok || !filedThere) {
        // The records stay where they were: nothing is taken out of pelmar.hst.
        if (!filed.ok)
            m_dialogs.message(filed.message);
        return move;
    }
    move.folderChanged = true;
    if (!m_dialogs.askYesNo(QStringLiteral("保存した現在のグラフをクリアしますか？")))
        return move;
    const QString mainPath = HistoryFileIn(m_dataFolder);
    const THistoryOutcome cleared = ChangeHistoryFile(mainPath, [&](TDataIndexFile& file) {
        // Only the records that were filed leave the list: one saved meanwhile stays.
        RemoveListEntries(file, "Index", keys);
        if (file.SectionExists("Index") && file.ReadSection("Index").empty())
            file.DeleteSection("Index");
        EraseSections(file, keys);
        return true;
    });
    if (!cleared.ok)
        m_dialogs.message(cleared.message);
    else
        move.historyChanged = true;
    return move;
}

TGroupMove THistoryFolders::MoveUnassignedToGroup(const QString& folder, const QString& group) {
    const THistoryRead main = ReadHistoryFile(HistoryFileIn(m_dataFolder));
    if (!readable(main))
        return {};
    const THistorySections sections(*main.file);
    const std::vector<std::string> keys = sections.values("Index");
    QStringList titles;
    for (std::size_t i = 0; i < keys.size() && i < 3; ++i) {
        TRecItem record;
        if (const auto* range = sections.find(keys[i]))
            ReadRecord(sections, *range, record);
        else
            record.Title = QStringLiteral("無題");
        titles << record.Title;
    }
    const QString name = group.trimmed();
    if (!m_dialogs.askYesNo(MoveQuestion(titles, static_cast<int>(keys.size()), name)))
        return {};
    const std::string list = toCp932(name);
    return fileUnassigned(FolderPath(folder), keys, [&](TDataIndexFile& file) {
        CopySections(sections, file, keys);
        std::vector<std::string> entries = file.ReadSection(list);
        entries.insert(entries.end(), keys.begin(), keys.end());
        file.WriteSection(list, entries);
        return true;
    });
}

std::optional<QString> THistoryFolders::askGroupName(const QString& caption, const QString& prompt,
                                                     QString initial, const QStringList& taken,
                                                     const QString& keep) {
    for (;;) {
        const std::optional<QString> answer = m_dialogs.input(caption, prompt, initial);
        if (!answer)
            return std::nullopt;
        const QString name = answer->trimmed();
        initial = name;
        if (name.isEmpty() || name == keep)
            return name;
        if (IsBadGroupName(name))
            m_dialogs.message(BadNameMessage(name));
        else if (containsName(taken, name) && !sameName(name, keep))
            m_dialogs.message(NameTakenMessage(name));
        else
            return name;
    }
}

TGroupMove THistoryFolders::NewGroup(const QString& folder) {
    const QString path = FolderPath(folder);
    const THistoryRead current = ReadHistoryFile(path);
    if (!readable(current))
        return {};
    const QStringList taken = groupsOf(*current.file);
    QString name;
    QString initial = QStringLiteral("無題");
    // A group without a name would vanish from the menu (readers skip empty lines) while its
    // records leave pelmar.hst, so an empty answer asks again.
    while (name.isEmpty()) {
        const std::optional<QString> answer = askGroupName(
            QStringLiteral("計測データの保存"), QStringLiteral("名前を入力する"), initial, taken);
        if (!answer)
            return {};
        name = *answer;
    }
    const THistoryRead main = ReadHistoryFile(HistoryFileIn(m_dataFolder));
    if (!readable(main))
        return {};
    const THistorySections sections(*main.file);
    const std::vector<std::string> keys = sections.values("Index");
    const std::string list = toCp932(name);
    bool takenMeanwhile = false;
    TGroupMove move = fileUnassigned(path, keys, [&](TDataIndexFile& file) {
        std::vector<std::string> titles = file.ReadSection(TitlesSection);
        if (containsName(groupsOf(file), name)) {
            takenMeanwhile = true;
            return false;
        }
        titles.push_back(list);
        file.WriteSection(TitlesSection, titles);
        file.WriteSection(list, keys);
        CopySections(sections, file, keys);
        return true;
    });
    if (takenMeanwhile)
        m_dialogs.message(NameTakenMessage(name));
    return move;
}

bool THistoryFolders::NewFolder() {
    const QString caption = QStringLiteral("計測データの保存");
    QString initial;
    QString path;
    for (;;) {
        const std::optional<QString> answer = m_dialogs.input(caption, QStringLiteral("分類名"), initial);
        if (!answer)
            return false;
        const QString name = answer->trimmed();
        initial = name;
        if (name.isEmpty())
            return false;
        if (IsBadFolderName(name)) {
            m_dialogs.message(BadNameMessage(name));
            continue;
        }
        const THistoryFolderList existing = ListHistoryFolders(m_dataFolder);
        path = FolderPath(name);
        if (QFileInfo::exists(path) ||
            std::any_of(existing.folders.begin(), existing.folders.end(),
                        [&](const THistoryFolder& f) { return sameName(f.name, name); })) {
            m_dialogs.message(NameTakenMessage(name));
            continue;
        }
        bool existed = false;
        QDir().mkpath(FoldersFolderIn(m_dataFolder));
        const THistoryOutcome created = ChangeHistoryFile(path, [&](TDataIndexFile&) {
            existed = QFileInfo::exists(path); // created by someone else meanwhile
            return !existed;
        });
        if (existed) {
            m_dialogs.message(NameTakenMessage(name));
            continue;
        }
        if (!created.ok) {
            // The folder itself refused the name (too long, not valid in the file system).
            const bool nameRefused = !QFileInfo::exists(path) &&
                                     QFileInfo(FoldersFolderIn(m_dataFolder)).isWritable();
            if (nameRefused) {
                m_dialogs.message(BadNameMessage(name));
                continue;
            }
            m_dialogs.message(created.message);
            return false;
        }
        break;
    }
    // The new folder's first group: without one nothing could be filed into it.
    const std::optional<QString> group = askGroupName(caption, QStringLiteral("グループ名"), QString(), {});
    if (!group || group->isEmpty())
        return true;
    const std::string list = toCp932(*group);
    const THistoryOutcome grouped = ChangeHistoryFile(path, [&](TDataIndexFile& file) {
        std::vector<std::string> titles = file.ReadSection(TitlesSection);
        titles.push_back(list);
        file.WriteSection(TitlesSection, titles);
        file.WriteSection(list, {});
        return true;
    });
    if (!grouped.ok)
        m_dialogs.message(grouped.message);
    return true;
}

bool THistoryFolders::RenameFolder(const QString& folder) {
    QString initial = folder;
    for (;;) {
        const std::optional<QString> answer = m_dialogs.input(
            QStringLiteral("計測データのフォルダ名を変更"), QStringLiteral("新しい名前"), initial);
        if (!answer)
            return false;
        const QString name = answer->trimmed();
        initial = name;
        if (name.isEmpty() || name == folder)
            return false;
        if (IsBadFolderName(name)) {
            m_dialogs.message(BadNameMessage(name));
            continue;
        }
        // Another folder of this name, even in another case, is never replaced: a rename would
        // overwrite it here, and the two would collide on a system that ignores case.
        const THistoryFolderList existing = ListHistoryFolders(m_dataFolder);
        const bool clash = std::any_of(existing.folders.begin(), existing.folders.end(),
                                       [&](const THistoryFolder& f) {
                                           return sameName(f.name, name) && f.name != folder;
                                       });
        bool renamed = false;
        if (!clash) {
            const QString from = FolderPath(folder);
            QLockFile lock(from + QStringLiteral(".lock"));
            if (lock.tryLock(10000) && !QFileInfo::exists(FolderPath(name)))
                renamed = QFile::rename(from, FolderPath(name));
        }
        if (renamed)
            return true;
        m_dialogs.message(QStringLiteral("変更に失敗しました 名前を変えて試してみましょう"));
    }
}

bool THistoryFolders::RenameGroup(const QString& folder, const QString& group) {
    const QString path = FolderPath(folder);
    const THistoryRead current = ReadHistoryFile(path);
    if (!readable(current))
        return false;
    const QString old = group.trimmed();
    const std::optional<QString> answer =
        askGroupName(QStringLiteral("計測データのグループ名を変更"), QStringLiteral("新しい名前"),
                     old, groupsOf(*current.file), old);
    if (!answer || answer->isEmpty() || *answer == old)
        return false;
    const std::string from = toCp932(old);
    const std::string to = toCp932(*answer);
    const THistoryOutcome outcome = ChangeHistoryFile(path, [&](TDataIndexFile& file) {
        std::vector<std::string> lines = file.Lines();
        const std::string header = detail::foldedName("[" + from + "]");
        for (std::string& line : lines) {
            if (!line.empty() && line.front() == '[' && detail::foldedName(line) == header) {
                line = "[" + to + "]";
                break;
            }
        }
        file.SetLines(std::move(lines));
        std::vector<std::string> titles = file.ReadSection(TitlesSection);
        for (std::string& title : titles) {
            if (fromCp932(title).trimmed().compare(old, Qt::CaseInsensitive) == 0) {
                title = to;
                break;
            }
        }
        file.WriteSection(TitlesSection, titles);
        return true;
    });
    if (!outcome.ok) {
        m_dialogs.message(outcome.message);
        return false;
    }
    return true;
}

void THistoryFolders::OpenRecords(TRecItems& items, const QString& path, const QStringList& keys) {
    if (!QFileInfo::exists(path))
        return;
    const THistoryRead read = ReadHistoryFile(path);
    if (!readable(read))
        return;
    std::vector<std::string> list;
    for (const QString& key : keys)
        list.push_back(toCp932(key));
    AddRecords(items, THistorySections(*read.file), path, list, RecKind::GroupMember, QString(),
               nullptr);
}

} // namespace pelmar

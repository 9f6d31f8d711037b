#include "history/HistoryFile.h"

#include "measure/Vocabulary.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <array>
#include <unordered_set>

namespace pelmar {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::unordered_set<std::string> foldedSet(const std::vector<std::string>& names) {
    std::unordered_set<std::string> set;
    set.reserve(names.size());
    for (const std::string& name : names)
        set.insert(detail::foldedName(name));
    return set;
}

bool isHeader(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

// The folded section name of a header line, or nothing a name could match.
std::string headerName(const std::string& line) {
    if (line.size() < 2 || line.back() != ']')
        return std::string();
    return detail::foldedName(std::string_view(line).substr(1, line.size() - 2));
}

// The record's keys in lower case, by the position of the value they fill (0..19), then the
// title and the style.
constexpr int TitleSlot = StoredValueCount;
constexpr int StyleSlot = StoredValueCount + 1;
const std::array<std::string, StoredValueCount + 2>& recordKeys() {
    static const auto keys = [] {
        std::array<std::string, StoredValueCount + 2> k;
        for (int i = 0; i < StoredValueCount; ++i)
            k[static_cast<std::size_t>(i)] =
                detail::foldedName(vocab::ColumnKeys[static_cast<std::size_t>(i)]);
        k[TitleSlot] = "titl";
        k[StyleSlot] = "style";
        return k;
    }();
    return keys;
}

} // namespace

QString HistoryFileIn(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("pelmar.hst"));
}

QString FoldersFolderIn(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("datas"));
}

QString UnreadableHistoryMessage(const QString& path) {
    return QStringLiteral("履歴ファイル %1 を読み込めません").arg(shown(path));
}

QString WriteFailureMessage(const QString& path, const SaveResult& result) {
    if (!result.message.isEmpty())
        return result.message;
    return QStringLiteral("%1 に書き込めません (%2)").arg(shown(path)).arg(result.code);
}

THistoryRead ReadHistoryFile(const QString& path) {
    THistoryRead read;
    read.file = std::make_unique<TDataIndexFile>(path);
    read.file->ReadOnly = true;
    read.exists = QFileInfo::exists(path);
    if (read.exists && !read.file->CreateResult().ok())
        read.outcome = THistoryOutcome{false, UnreadableHistoryMessage(path), true};
    return read;
}

THistoryOutcome ChangeHistoryFile(const QString& path,
                                  const std::function<bool(TDataIndexFile&)>& change,
                                  const TChangeOptions& options) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(options.lockTimeoutMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return THistoryOutcome::failed(
                QStringLiteral("履歴ファイル %1 は他の操作で使用中です しばらくしてから試してください")
                    .arg(shown(path)));
        return THistoryOutcome::failed(WriteFailureMessage(path, SaveResult{1, {}}));
    }
    TDataIndexFile file(path);
    if (QFileInfo::exists(path) && !file.CreateResult().ok())
        return THistoryOutcome{false, UnreadableHistoryMessage(path), true};
    if (!change(file))
        return {};
    const SaveResult saved = file.Save();
    if (!saved.ok())
        return THistoryOutcome::failed(WriteFailureMessage(path, saved));
    return {};
}

void ReadRecord(const THistorySections& sections, const THistorySections::TRange& range,
                TRecItem& item) {
    const auto& keys = recordKeys();
    std::array<bool, StoredValueCount + 2> seen{};
    bool titled = false;
    item.Values.fill(0);
    item.Style = 0;
    const TDataFile& file = sections.file();
    for (int i = range.begin; i < range.end; ++i) {
        const std::string& line = file[i];
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string name = detail::foldedName(std::string_view(line).substr(0, eq));
        const auto slot = std::find(keys.begin(), keys.end(), name);
        if (slot == keys.end())
            continue;
        const auto s = static_cast<std::size_t>(slot - keys.begin());
        if (seen[s])
            continue; // the first line of a name is the one that counts
        seen[s] = true;
        const std::string_view value = std::string_view(line).substr(eq + 1);
        if (s == TitleSlot) {
            item.Title = fromCp932(value);
            titled = true;
        } else if (s == StyleSlot) {
            item.Style = static_cast<std::uint8_t>(detail::toIntDef(value, 0));
        } else {
            item.Values[s] = detail::toIntDef(value, 0);
        }
    }
    if (!titled)
        item.Title = QStringLiteral("無題");
}

void EraseSections(TDataFile& file, const std::vector<std::string>& names) {
    if (names.empty())
        return;
    const auto erase = foldedSet(names);
    const auto& lines = file.Lines();
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    bool dropping = false;
    bool changed = false;
    for (const std::string& line : lines) {
        if (isHeader(line))
            dropping = erase.count(headerName(line)) != 0;
        if (dropping)
            changed = true;
        else
            kept.push_back(line);
    }
    if (changed)
        file.SetLines(std::move(kept));
}

bool RemoveListEntries(TDataFile& file, std::string_view list,
                       const std::vector<std::string>& keys) {
    const THistorySections sections(file);
    const THistorySections::TRange* range = sections.find(list);
    if (!range || keys.empty())
        return false;
    const auto remove = foldedSet(keys);
    std::vector<std::string> lines = file.Lines();
    const auto begin = lines.begin() + range->begin;
    const auto end = lines.begin() + range->end;
    const auto kept = std::remove_if(begin, end, [&](const std::string& line) {
        return !line.empty() && remove.count(detail::foldedName(detail::listEntry(line))) != 0;
    });
    if (kept == end)
        return false;
    lines.erase(kept, end);
    file.SetLines(std::move(lines));
    return true;
}

void CopySections(const THistorySections& from, TDataFile& to,
                  const std::vector<std::string>& keys) {
    std::vector<std::string> present;
    for (const std::string& key : keys) {
        if (from.exists(key))
            present.push_back(key);
    }
    EraseSections(to, present);
    std::unordered_set<std::string> copied;
    for (const std::string& key : present) {
        if (!copied.insert(detail::foldedName(key)).second)
            continue; // a key listed twice is copied once
        const THistorySections::TRange* range = from.find(key);
        to.Add(from.file()[range->begin - 1]);
        for (int i = range->begin; i < range->end; ++i) {
            if (!from.file()[i].empty())
                to.Add(from.file()[i]);
        }
    }
}

} // namespace pelmar

#include "history/TextListMenu.h"

#include "history/HistorySections.h"
#include "platform/Cp932.h"

#include <QSet>

namespace pelmar {

namespace {
constexpr int MenuRows = 33;
}

std::vector<TTextListEntry> UnshownRecords(const TRecItems& items, const TDataFile& history) {
    QSet<QString> shown;
    for (int i = 0; i < items.Count(); ++i) {
        const TRecItem* item = items.Item(i);
        if (item->ListName.isEmpty() || item->ListName == QLatin1String("Index"))
            shown.insert(item->Key);
    }
    const THistorySections sections(history);
    std::vector<TTextListEntry> entries;
    const std::vector<std::string> keys = sections.values("Index");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (shown.contains(fromCp932(keys[i])))
            continue;
        const THistorySections::TRange* range = sections.find(keys[i]);
        const std::string title = range ? sections.readString(*range, "TITL", "") : std::string();
        entries.push_back({static_cast<int>(i), fromCp932(title)});
    }
    return entries;
}

std::vector<THistoryMenuItem> TextListMenu(const std::vector<TTextListEntry>& entries) {
    std::vector<THistoryMenuItem> menu;
    const auto entryItem = [](const TTextListEntry& e) { return THistoryMenuItem{e.title, e.position, false, {}}; };
    const int count = static_cast<int>(entries.size());
    if (count <= MenuRows) {
        for (const TTextListEntry& e : entries)
            menu.push_back(entryItem(e));
    } else {
        const int shown = std::min(count, MenuRows * MenuRows);
        for (int first = 0; first < shown; first += MenuRows) {
            const int last = std::min(first + MenuRows, shown) - 1;
            THistoryMenuItem sub;
            sub.caption = first == last ? QString::number(first)
                                        : QStringLiteral("%1 ～ %2").arg(first).arg(last);
            for (int i = first; i <= last; ++i)
                sub.items.push_back(entryItem(entries[static_cast<std::size_t>(i)]));
            menu.push_back(std::move(sub));
        }
    }
    if (menu.empty())
        menu.push_back(THistoryMenuItem{QStringLiteral("ありません"), -1, false, {}});
    else
        menu.push_back(THistoryMenuItem{QStringLiteral("-"), -1, true, {}});
    menu.push_back(THistoryMenuItem{QStringLiteral("キャンセル"), -1, false, {}});
    return menu;
}

std::optional<QString> UnassignedKeyAt(const QString& dataFolder, int position) {
    const THistoryRead read = ReadHistoryFile(HistoryFileIn(dataFolder));
    if (!read.outcome.ok || position < 0)
        return std::nullopt;
    const std::vector<std::string> keys = read.file->ReadValues("Index");
    if (position >= static_cast<int>(keys.size()))
        return std::nullopt;
    return fromCp932(keys[static_cast<std::size_t>(position)]);
}

} // namespace pelmar

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace pelmar::manual {

// Text as Markdown shows it literally: every ASCII punctuation character is escaped, so a
// formula's "*" or a "|" inside a table cell stays what it is.
[[nodiscard]] QString MarkdownEscape(QStringView text);

// A Markdown table; cells are escaped here.
[[nodiscard]] QString MarkdownTable(const QStringList& header, const QList<QStringList>& rows);

// The manual's tables of columns, indices, ratios and options, made from the program's own
// vocabulary, formula texts and defaults, so the manual cannot say otherwise than the program.
[[nodiscard]] QStringList GeneratedTableNames();
// Markdown for one table; nothing for a name not in the list.
[[nodiscard]] std::optional<QString> GeneratedTable(const QString& name);

} // namespace pelmar::manual

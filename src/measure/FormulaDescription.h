#pragma once

#include <QString>
#include <QStringList>

namespace pelmar {

// The formula text of index 0..10, the first two completed with their constants.
[[nodiscard]] const QString& FormulaText(int index);

// Appends the description block of the index at column position k (9..19) to `list`; any other
// position, or no list, writes nothing.
void DescribeFormula(int k, QStringList* list);

} // namespace pelmar

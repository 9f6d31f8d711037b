#pragma once

#include "measure/MeasureOptions.h"

#include <QString>
#include <QStringList>

namespace pelmar {

// What pelmar-count was asked to do.
struct TCountSettings {
    enum class Action { Measure, Words, Help, Version };
    Action action = Action::Measure;
    TMeasureOptions options;
    bool json = false;
    int jobs = 1;
    bool save = false;
    QString title;
    QString dataDir;
    QStringList files; // never empty: "-" is standard input
    QString helpText;  // for Action::Help
};

// Reads pelmar-count's arguments (without the program name). The list options (--show, --index,
// --condition) take comma-separated lists whose names match without regard to case or blanks
// around them, and they apply in the order given together with --view: a view sets its items,
// the first --show after it (or with none before it) sets exactly its items and each further one
// adds; --index and --condition always add, and "all" anywhere in an --index list takes all.
// False, with the message, for a bad option.
[[nodiscard]] bool ParseCountArguments(const QStringList& arguments, TCountSettings& settings,
                                       QString& error);

} // namespace pelmar

#pragma once

#include <QString>

namespace pelmar::manual {

// Writes the history the manual's pelmar-history examples list into `dataFolder`, as a teacher
// would build it: each "save" line of `script` measures a text of the examples folder and saves
// it at the time given (so the examples print the same keys on every build), a "folder" line
// makes a folder, and a "group" line files every record still unassigned into a new group of
// a folder. Fields are tab-separated; empty lines and lines starting with "#" are skipped:
//
//     save	2025/04/14 09:00:00	Spring in Kyoto	lesson.txt
//     folder	2025年度
//     group	2025年度	1学期
//
// Returns an error ("history.txt:3: what is wrong"), empty on success.
[[nodiscard]] QString WriteExampleHistory(const QString& script, const QString& examplesFolder,
                                          const QString& dataFolder);

} // namespace pelmar::manual

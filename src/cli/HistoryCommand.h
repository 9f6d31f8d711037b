#pragma once

#include <QStringList>

#include <iosfwd>

namespace pelmar {

// The pelmar-history command, run in-process: arguments without the program name. Lists what
// the history window would list, or the folders and groups; never writes a file. Returns the
// exit status.
int RunHistoryCommand(const QStringList& arguments, std::ostream& out, std::ostream& err);

} // namespace pelmar

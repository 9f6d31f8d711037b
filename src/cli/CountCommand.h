#pragma once

#include <QStringList>

#include <iosfwd>

namespace pelmar {

// The pelmar-count command, run in-process: arguments without the program name; `in` is read
// when no file (or "-") is given. Returns the exit status.
int RunCountCommand(const QStringList& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err);

} // namespace pelmar

#pragma once

#include <QIcon>

namespace pelmar {

// The program's own pictures for its commands, drawn from the SVG files in its resources:
// "close", "open", "paste", "count", "stop", "copy", "save", "linegraph", "fly", "result",
// "help". A null icon for any other name.
[[nodiscard]] QIcon ToolIcon(const char* name);

} // namespace pelmar

#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace pelmar {

// The fly graph's pictures, drawn once at start-up.

// A capsule badge of the design size 229 x 61 carrying the formula's key, with a darker head
// in the formula's line colour: at the left end, or at the right end for the mirrored picture
// PMJP shows in its own column. Transparent outside the capsule.
[[nodiscard]] QImage FlyBadge(int entry, bool mirrored);

// The header strip's background.
[[nodiscard]] QImage HeaderBackground(QSize size);

// The grey product logo the scale shows in its lower right corner, 168 x 46.
[[nodiscard]] QImage FlyLogo();

// A small badge for buttons that open the fly graph.
[[nodiscard]] QIcon FlyButtonIcon();

} // namespace pelmar

#pragma once

#include "desktop/MessageLayout.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace pelmar {

// How wide a message's lines may be: `preferred` half the screen, `widest` what the screen
// holds beside the icon and the margins.
struct TMsgTextWidths {
    int preferred = 0;
    int widest = 0;
};
[[nodiscard]] TMsgTextWidths MessageTextWidths(int unitWidth, TMsgKind kind, QSize screen);

// The lines a message is shown in ("\r\n" or "\n" end its paragraphs). A line breaks at blanks
// and between Japanese characters, though never before closing punctuation or a small kana nor
// after an opening bracket. A Latin word, or a path (a blank-free run with "/" or "\"), stays
// whole: the lines widen to hold it, up to `widths.widest`; only a run wider than that is
// split, after its last separator that fits, else where it must. `widthOf` measures a piece
// of text as the dialog draws it.
[[nodiscard]] QStringList WrapMessageText(const QString& text, TMsgTextWidths widths,
                                          const std::function<int(const QString&)>& widthOf);

} // namespace pelmar

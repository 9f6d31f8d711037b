#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

namespace pelmar {

// The button kinds of the program's own message dialog, as bits of a set.
enum class TMsgButton : int { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help, Copy };
inline constexpr int MsgButtonCount = 12;
using TMsgButtons = std::uint16_t;
[[nodiscard]] constexpr TMsgButtons msgButton(TMsgButton b) {
    return static_cast<TMsgButtons>(1u << static_cast<int>(b));
}
// OK and Copy, the set every information message uses.
inline constexpr TMsgButtons OkAndCopy = msgButton(TMsgButton::OK) | msgButton(TMsgButton::Copy);

enum class TMsgKind : int { Warning, Error, Information, Confirmation, Custom };

struct TMsgButtonInfo {
    const char* name;
    const char* caption;
    int result; // the dialog's result; 0 keeps it open
};
[[nodiscard]] const TMsgButtonInfo& MsgButtonInfo(TMsgButton button);
// The caption of a kind; empty for the custom kind, which shows the application title.
[[nodiscard]] const char* MsgKindCaption(TMsgKind kind);
[[nodiscard]] constexpr bool MsgKindHasIcon(TMsgKind kind) { return kind != TMsgKind::Custom; }

// The modal result of closing the dialog with its close box.
inline constexpr int MsgCancelResult = 2;

// Multiply, then divide, rounded half away from zero.
[[nodiscard]] int MulDiv(int number, int numerator, int denominator);

// Everything the dialog's layout is computed from, measured in the dialog's font.
struct TMsgLayoutInput {
    int unitWidth = 0;  // average width of "A".."Z", "a".."z"
    int unitHeight = 0; // their height
    QSize text;         // the message in its lines (WrapMessageText)
    TMsgKind kind = TMsgKind::Information;
    TMsgButtons buttons = OkAndCopy;
    std::array<int, MsgButtonCount> captionWidths{}; // caption width + 8, per kind
    QSize screen;
    bool rightToLeft = false;
};

struct TMsgLayout {
    QSize client;
    QPoint position; // centred on the screen
    QRect icon;      // empty without an icon
    QRect message;
    std::vector<std::pair<TMsgButton, QRect>> buttons; // in kind order
    TMsgButton defaultButton = TMsgButton::Retry;
    TMsgButton cancelButton = TMsgButton::OK;
};

// The geometry of the dialog, in dialog units of its font: margins, spacing, one button width
// for all buttons (at least 50 units, widened to the widest caption requested).
[[nodiscard]] TMsgLayout LayOutMessage(const TMsgLayoutInput& in);

} // namespace pelmar

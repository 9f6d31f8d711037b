#include "desktop/MessageLayout.h"

#include <algorithm>
#include <cstdlib>

namespace pelmar {
namespace {

constexpr TMsgButtonInfo Buttons[MsgButtonCount] = {
    {"Yes", "はい(&Y)", 6},          {"No", "いいえ(&N)", 7},
    {"OK", "OK", 1},                 {"Cancel", "キャンセル", 2},
    {"Abort", "中止(&A)", 3},        {"Retry", "再試行(&R)", 4},
    {"Ignore", "無視(&I)", 5},       {"All", "すべて(&A)", 8},
    {"NoToAll", "すべていいえ(&O)", 9}, {"YesToAll", "すべてはい(&A)", 10},
    {"Help", "ヘルプ(&H)", 0},       {"Copy", "コピー(&C)", 0},
};

constexpr const char* KindCaptions[] = {"警告", "エラー", "情報", "確認", ""};

[[nodiscard]] bool has(TMsgButtons set, TMsgButton b) { return (set & msgButton(b)) != 0; }

} // namespace

const TMsgButtonInfo& MsgButtonInfo(TMsgButton button) {
    return Buttons[static_cast<int>(button)];
}

const char* MsgKindCaption(TMsgKind kind) { return KindCaptions[static_cast<int>(kind)]; }

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TMsgLayout LayOutMessage(const TMsgLayoutInput& in) {
    const int dx = in.unitWidth, dy = in.unitHeight;
    const int hMargin = MulDiv(8, dx, 4);
    const int vMargin = MulDiv(8, dy, 8);
    const int hSpacing = MulDiv(10, dx, 4);
    const int vSpacing = MulDiv(10, dy, 8);
    const int buttonSpacing = MulDiv(4, dx, 4);
    const int buttonHeight = MulDiv(14, dy, 8);
    int buttonWidth = MulDiv(50, dx, 4);
    int count = 0;
    for (int b = 0; b < MsgButtonCount; ++b) {
        if (has(in.buttons, static_cast<TMsgButton>(b))) {
            ++count;
            buttonWidth = std::max(buttonWidth, in.captionWidths[static_cast<std::size_t>(b)]);
        }
    }

    int bodyWidth = in.text.width(), bodyHeight = in.text.height();
    const bool icon = MsgKindHasIcon(in.kind);
    if (icon) {
        bodyWidth += 32 + hSpacing;
        bodyHeight = std::max(bodyHeight, 32);
    }
    const int groupWidth = count > 0 ? count * buttonWidth + (count - 1) * buttonSpacing : 0;

    TMsgLayout out;
    out.client = QSize(std::max(bodyWidth, groupWidth) + 2 * hMargin,
                       bodyHeight + buttonHeight + vSpacing + 2 * vMargin);
    out.position = QPoint(in.screen.width() / 2 - out.client.width() / 2,
                          in.screen.height() / 2 - out.client.height() / 2);
    if (icon)
        out.icon = QRect(hMargin, vMargin, 32, 32);
    int textX = bodyWidth - in.text.width() + hMargin;
    if (in.rightToLeft)
        textX = out.client.width() - textX - in.text.width();
    out.message = QRect(textX, vMargin, in.text.width(), in.text.height());

    out.defaultButton = has(in.buttons, TMsgButton::OK)    ? TMsgButton::OK
                        : has(in.buttons, TMsgButton::Yes) ? TMsgButton::Yes
                                                           : TMsgButton::Retry;
    out.cancelButton = has(in.buttons, TMsgButton::Cancel) ? TMsgButton::Cancel
                       : has(in.buttons, TMsgButton::No)   ? TMsgButton::No
                                                           : TMsgButton::OK;
    int x = (out.client.width() - groupWidth) / 2;
    const int y = bodyHeight + vMargin + vSpacing;
    for (int b = 0; b < MsgButtonCount; ++b) {
        if (!has(in.buttons, static_cast<TMsgButton>(b)))
            continue;
        out.buttons.emplace_back(static_cast<TMsgButton>(b), QRect(x, y, buttonWidth, buttonHeight));
        x += buttonWidth + buttonSpacing;
    }
    return out;
}

} // namespace pelmar

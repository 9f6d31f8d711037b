#include "desktop/MessageLayout.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(MessageLayout, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(8, 7, 4), 14);
    EXPECT_EQ(MulDiv(10, 7, 4), 18);  // 17.5
    EXPECT_EQ(MulDiv(10, 15, 8), 19); // 18.75
    EXPECT_EQ(MulDiv(-10, 7, 4), -18);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TMsgLayoutInput input(QSize text, TMsgKind kind, TMsgButtons buttons) {
    TMsgLayoutInput in;
    in.unitWidth = 6;
    in.unitHeight = 16;
    in.text = text;
    in.kind = kind;
    in.buttons = buttons;
    in.screen = QSize(1024, 768);
    return in;
}

TEST(MessageLayout, InformationWithOkAndCopy) {
    // Units 6 x 16: margins 12 / 16, spacing 15 / 20, buttons 75 x 28 with 6 between.
    const TMsgLayout l = LayOutMessage(input(QSize(300, 16), TMsgKind::Information, OkAndCopy));
    // A one-line text beside the icon is as high as the icon.
    EXPECT_EQ(l.icon, QRect(12, 16, 32, 32));
    EXPECT_EQ(l.message, QRect(12 + 32 + 15, 16, 300, 16));
    EXPECT_EQ(l.client, QSize(300 + 32 + 15 + 24, 32 + 28 + 20 + 32));
    EXPECT_EQ(l.position, QPoint(512 - l.client.width() / 2, 384 - l.client.height() / 2));
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].first, TMsgButton::OK);
    EXPECT_EQ(l.buttons[1].first, TMsgButton::Copy);
    const int group = 2 * 75 + 6;
    EXPECT_EQ(l.buttons[0].second, QRect((l.client.width() - group) / 2, 32 + 16 + 20, 75, 28));
    EXPECT_EQ(l.buttons[1].second.left(), l.buttons[0].second.right() + 1 + 6);
    // OK is the default button and also answers Escape.
    EXPECT_EQ(l.defaultButton, TMsgButton::OK);
    EXPECT_EQ(l.cancelButton, TMsgButton::OK);
}

TEST(MessageLayout, DefaultAndCancelButtons) {
    using B = TMsgButton;
    struct Case {
        TMsgButtons set;
        B def, cancel;
    } cases[] = {
        {msgButton(B::Yes) | msgButton(B::No), B::Yes, B::No},
        {msgButton(B::Yes) | msgButton(B::No) | msgButton(B::Cancel), B::Yes, B::Cancel},
        {msgButton(B::OK) | msgButton(B::Cancel), B::OK, B::Cancel},
        {msgButton(B::Abort) | msgButton(B::Retry) | msgButton(B::Ignore), B::Retry, B::OK},
    };
    for (const Case& c : cases) {
        const TMsgLayout l = LayOutMessage(input(QSize(100, 16), TMsgKind::Confirmation, c.set));
        EXPECT_EQ(l.defaultButton, c.def) << c.set;
        EXPECT_EQ(l.cancelButton, c.cancel) << c.set;
    }
    EXPECT_EQ(MsgButtonInfo(B::Cancel).result, 2);
    EXPECT_EQ(MsgButtonInfo(B::Copy).result, 0);
}

TEST(MessageLayout, WideButtonsAndNoIcon) {
    TMsgLayoutInput in = input(QSize(40, 48), TMsgKind::Custom,
                               msgButton(TMsgButton::YesToAll) | msgButton(TMsgButton::No));
    in.captionWidths[static_cast<int>(TMsgButton::YesToAll)] = 120;
    const TMsgLayout l = LayOutMessage(in);
    EXPECT_TRUE(l.icon.isEmpty());
    EXPECT_EQ(l.message, QRect(12, 16, 40, 48));
    // Every button takes the widest caption; the button row sets the width.
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].first, TMsgButton::No);
    EXPECT_EQ(l.buttons[0].second.width(), 120);
    EXPECT_EQ(l.buttons[1].second.width(), 120);
    EXPECT_EQ(l.client.width(), 2 * 120 + 6 + 24);
    EXPECT_EQ(l.buttons[0].second.left(), 12);

    in.rightToLeft = true;
    EXPECT_EQ(LayOutMessage(in).message.left(), l.client.width() - 12 - 40);
}

} // namespace
} // namespace pelmar

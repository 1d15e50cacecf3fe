#include <gtest/gtest.h>

#include "platform/core/Form.h"
#include "platform/core/Layout.h"

using namespace platform;

TEST(Layout, AlignedChildrenShareTheClientArea) {
    Form form("f");
    Control& top = form.add(ControlKind::Panel, "top");
    top.setAlign(Align::Top);
    top.setBounds({0, 0, 0, 30});
    Control& bottom = form.add(ControlKind::Panel, "bottom");
    bottom.setAlign(Align::Bottom);
    bottom.setBounds({0, 0, 0, 20});
    Control& left = form.add(ControlKind::Panel, "left");
    left.setAlign(Align::Left);
    left.setBounds({0, 0, 50, 0});
    Control& hidden = form.add(ControlKind::Panel, "hidden");
    hidden.setAlign(Align::Top);
    hidden.setBounds({0, 0, 0, 500});
    hidden.setVisible(false);
    Control& client = form.add(ControlKind::Panel, "client");
    client.setAlign(Align::Client);
    Control& free = form.add(ControlKind::Label, "free");
    free.setBounds({5, 6, 7, 8});

    const auto rects =
        alignedBounds({0, 0, 400, 300}, {&top, &bottom, &left, &hidden, &client, &free});
    EXPECT_EQ(rects[0], (Rect{0, 0, 400, 30}));
    EXPECT_EQ(rects[1], (Rect{0, 280, 400, 20}));
    EXPECT_EQ(rects[2], (Rect{0, 30, 50, 250}));
    EXPECT_EQ(rects[4], (Rect{50, 30, 350, 250}));
    EXPECT_EQ(rects[5], (Rect{5, 6, 7, 8}));
}

TEST(FormModel, CloseQueryCanRefuseAndHiddenControlsTakeNoClick) {
    Form form("f");
    bool allow = false;
    int closed = 0;
    form.onCloseQuery = [&] { return allow; };
    form.onClose = [&] { ++closed; };
    form.markShown();
    form.close();
    EXPECT_TRUE(form.isShown());
    allow = true;
    form.close();
    EXPECT_FALSE(form.isShown());
    EXPECT_EQ(closed, 1);

    Control& button = form.add(ControlKind::Button, "b");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.setEnabled(false);
    button.click();
    button.setEnabled(true);
    button.setVisible(false);
    button.click();
    button.setVisible(true);
    button.click();
    EXPECT_EQ(clicks, 1);
}

// What X events mean to the window procedure, and that the pointer reaches
// the editor as Win32 would pack it, negative positions of a grabbed pointer
// included.
#include <gtest/gtest.h>

#include "editor/x11_event_message.h"

namespace {

XEvent button(int type, unsigned int which, int x, int y) {
    XEvent event{};
    event.type = type;
    event.xbutton.button = which;
    event.xbutton.x = x;
    event.xbutton.y = y;
    return event;
}

XEvent motion(int x, int y) {
    XEvent event{};
    event.type = MotionNotify;
    event.xmotion.x = x;
    event.xmotion.y = y;
    return event;
}

XEvent expose(int count) {
    XEvent event{};
    event.type = Expose;
    event.xexpose.count = count;
    return event;
}

TEST(X11EventMessages, TheLeftButtonPressesAndReleasesWhereThePointerIs) {
    const X11EventMessage press = x11EventMessage(button(ButtonPress, Button1, 6, 400));
    EXPECT_EQ(press.message, XplatMessage::leftButtonDown);
    EXPECT_EQ(xplatDecodePointer(press.packedPosition).x, 6);
    EXPECT_EQ(xplatDecodePointer(press.packedPosition).y, 400);
    EXPECT_EQ(x11EventMessage(button(ButtonRelease, Button1, 6, 400)).message, XplatMessage::leftButtonUp);
}

TEST(X11EventMessages, OtherButtonsAndTheWheelAreNoMessageOfOurs) {
    for (unsigned int which : {Button2, Button3, Button4, Button5}) {
        EXPECT_EQ(x11EventMessage(button(ButtonPress, which, 6, 6)).message, XplatMessage::other);
        EXPECT_EQ(x11EventMessage(button(ButtonRelease, which, 6, 6)).message, XplatMessage::other);
    }
    XEvent destroyed{};
    destroyed.type = DestroyNotify;
    EXPECT_EQ(x11EventMessage(destroyed).message, XplatMessage::other);
}

TEST(X11EventMessages, AGrabbedPointerLeftOfOrAboveTheWindowArrivesNegative) {
    const XplatPointer pointer = xplatDecodePointer(x11EventMessage(motion(-1, -20)).packedPosition);
    EXPECT_EQ(pointer.x, -1);
    EXPECT_EQ(pointer.y, -20);
    const XplatPointer farRight = xplatDecodePointer(x11EventMessage(motion(900, 13000)).packedPosition);
    EXPECT_EQ(farRight.x, 900);
    EXPECT_EQ(farRight.y, 13000);
    EXPECT_EQ(x11EventMessage(motion(0, 0)).message, XplatMessage::mouseMove);
}

TEST(X11EventMessages, OnlyTheLastExposeOfASeriesRepaints) {
    EXPECT_EQ(x11EventMessage(expose(2)).message, XplatMessage::other);
    EXPECT_EQ(x11EventMessage(expose(0)).message, XplatMessage::paint);
}

} // namespace

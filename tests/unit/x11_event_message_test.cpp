// X events that are no message of the editor's. Presses, releases, moves and
// a grabbed pointer's negative positions are played for real in tests/x11.
#include <gtest/gtest.h>

#include "editor/x11_event_message.h"

namespace {

TEST(X11EventMessages, OtherButtonsAndTheWheelDoNothing) {
    for (const int type : {ButtonPress, ButtonRelease}) {
        for (const unsigned int button : {Button2, Button3, Button4, Button5}) {
            XEvent event{};
            event.type = type;
            event.xbutton.button = button;
            EXPECT_EQ(x11EventMessage(event).message, XplatMessage::other) << "button " << button;
        }
    }
}

TEST(X11EventMessages, OnlyTheLastExposeOfASeriesRepaints) {
    XEvent event{};
    event.type = Expose;
    event.xexpose.count = 2;
    EXPECT_EQ(x11EventMessage(event).message, XplatMessage::other);
    event.xexpose.count = 0;
    EXPECT_EQ(x11EventMessage(event).message, XplatMessage::paint);
}

} // namespace

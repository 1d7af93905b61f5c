// The window procedure's shared half: pointer decoding and what a message
// does to the editor and to the pointer capture.
#include <gtest/gtest.h>

#include "editor/xplat_messages.h"
#include "editor/xplat_software.h"

namespace {

std::uint32_t packed(std::uint32_t x, std::uint32_t y) { return (y << 16) | x; }

TEST(PointerDecoding, ValuesAbove13000TurnNegative) {
    EXPECT_EQ(xplatDecodePointer(packed(13000, 13000)).x, 13000);
    EXPECT_EQ(xplatDecodePointer(packed(13000, 13000)).y, 13000);
    EXPECT_EQ(xplatDecodePointer(packed(13001, 0)).x, -52535);
    EXPECT_EQ(xplatDecodePointer(packed(0, 13001)).y, -52535);
    EXPECT_EQ(xplatDecodePointer(packed(65535, 65535)).x, -1);
    EXPECT_EQ(xplatDecodePointer(packed(65535, 65535)).y, -1);
    EXPECT_EQ(xplatDecodePointer(packed(6, 400)).x, 6);
    EXPECT_EQ(xplatDecodePointer(packed(6, 400)).y, 400);
}

TEST(WindowMessages, PressCapturesAndReleaseFreesEvenWithoutAnEditor) {
    EXPECT_EQ(xplatRouteMessage(nullptr, XplatMessage::leftButtonDown, packed(6, 6)), XplatCapture::take);
    EXPECT_EQ(xplatRouteMessage(nullptr, XplatMessage::leftButtonUp, packed(6, 6)), XplatCapture::release);
    EXPECT_EQ(xplatRouteMessage(nullptr, XplatMessage::mouseMove, packed(6, 6)), XplatCapture::unchanged);
    EXPECT_EQ(xplatRouteMessage(nullptr, XplatMessage::paint, 0), XplatCapture::unchanged);
    EXPECT_EQ(xplatRouteMessage(nullptr, XplatMessage::other, 0), XplatCapture::unchanged);

    XplatWindow ownerless{};
    ownerless.width = 4;
    ownerless.height = 4;
    xplatCreateWindow(nullptr, ownerless);
    xplatSoftwareSendMessage(ownerless, XplatMessage::leftButtonDown, packed(1, 1));
    EXPECT_TRUE(xplatSoftwareHasCapture(ownerless));
    xplatSoftwareSendMessage(ownerless, XplatMessage::mouseMove, packed(2, 2));
    EXPECT_TRUE(xplatSoftwareHasCapture(ownerless));
    xplatSoftwareSendMessage(ownerless, XplatMessage::leftButtonUp, packed(2, 2));
    EXPECT_FALSE(xplatSoftwareHasCapture(ownerless));
    xplatDestroyWindow(ownerless);
}

} // namespace

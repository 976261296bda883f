// The held image: the host picture's header check and the copies in and out.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plugin/filter_call.h"

namespace {

// A host picture: 40-byte header and rows filled with a pattern.
std::vector<uint8_t> HostPicture(int32_t width, int32_t height, int bitCount = 24,
                                 int32_t compression = 0) {
    // Only small pictures get their rows; the large ones are refused from the header alone.
    const int64_t rows = BoundedImageBytes(RowBytes24(width), height, 1 << 20);
    std::vector<uint8_t> bytes(40 + static_cast<size_t>(rows > 0 ? rows : 0));
    auto put32 = [&](int offset, int32_t v) { std::memcpy(bytes.data() + offset, &v, 4); };
    put32(0, 40);
    put32(4, width);
    put32(8, height);
    bytes[12] = 1;
    bytes[14] = static_cast<uint8_t>(bitCount);
    put32(16, compression);
    for (size_t i = 40; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 13);
    return bytes;
}

struct HeldImageFixture : ::testing::Test {
    FilterCall call;
};

TEST_F(HeldImageFixture, CopiesRowsWithPaddingAndTheOutputResolution) {
    struct Case {
        int dpi;
        int32_t pelsPerMeter;
    } cases[] = {{72, 2834}, {300, 11811}, {84, 3307}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        auto host = HostPicture(5, 3);
        ASSERT_EQ(CopyImageIn(call, host.data(), c.dpi), 1);
        TDib* held = call.image.get();
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(held->Width(), 5);
        EXPECT_EQ(held->RowBytes(), 16);
        EXPECT_EQ(held->XPelsPerMeter(), c.pelsPerMeter);
        EXPECT_EQ(held->YPelsPerMeter(), c.pelsPerMeter);
        EXPECT_EQ(std::memcmp(held->Bits(), host.data() + 40, 48), 0);
        call.image.reset();
    }
}

TEST_F(HeldImageFixture, CopyOutWritesThePaintedPixelsBack) {
    auto host = HostPicture(1, 2);
    ASSERT_EQ(CopyImageIn(call, host.data(), 72), 1);
    std::memset(call.image.get()->Bits(), 0x5A, call.image.get()->ImageBytes());
    CopyImageOut(call, host.data());
    for (size_t i = 40; i < host.size(); ++i) EXPECT_EQ(host[i], 0x5A);
    EXPECT_EQ(host[4], 1) << "the header stays";
}

TEST_F(HeldImageFixture, RefusesWhileAnImageIsHeld) {
    auto first = HostPicture(2, 2);
    auto second = HostPicture(3, 3);
    ASSERT_EQ(CopyImageIn(call, first.data(), 72), 1);
    TDib* held = call.image.get();
    EXPECT_EQ(CopyImageIn(call, second.data(), 72), 0);
    EXPECT_EQ(call.image.get(), held) << "the first call's image is left alone";
}

TEST_F(HeldImageFixture, RefusesPicturesOfAnotherForm) {
    struct Case {
        const char* name;
        std::vector<uint8_t> picture;
    } cases[] = {
        {"8 bits", HostPicture(4, 4, 8)},
        {"32 bits", HostPicture(4, 4, 32)},
        {"compressed", HostPicture(4, 4, 24, 1)},
        {"top-down", HostPicture(4, -4)},
        {"no width", HostPicture(0, 4)},
        {"too large for the process", HostPicture(40000, 40000)},
        {"row bytes overflow", HostPicture(0x7FFFFFFF, 0x7FFFFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapInfoHeader header;
        EXPECT_FALSE(ReadHostHeader(c.picture.data(), &header));
        EXPECT_EQ(CopyImageIn(call, c.picture.data(), 72), 0);
        EXPECT_EQ(call.image.get(), nullptr);
    }
    EXPECT_EQ(CopyImageIn(call, nullptr, 72), 0);
}

TEST_F(HeldImageFixture, CopyOutWithoutImageDoesNothing) {
    auto host = HostPicture(2, 2);
    const auto before = host;
    CopyImageOut(call, host.data());
    CopyImageOut(call, nullptr);
    EXPECT_EQ(host, before);
}

}  // namespace

// The generated icons in resources/: the sizes each holds and their formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadResource(const std::string& name)
{
    std::ifstream in(std::string(KORVANE_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}
std::uint16_t U16(const Bytes& b, std::size_t at) { return std::uint16_t(b.at(at) | b.at(at + 1) << 8); }

constexpr std::uint32_t kPngSize = 256;

// The images of an icon file hold one square 16-colour image of each size
// asked for, in that order, each drawn for its size (no size is left for
// the system to stretch from another); a 256-pixel one is a PNG.
void ExpectIconSizes(const char* name, std::initializer_list<std::uint32_t> sizes)
{
    const Bytes file = ReadResource(name);
    ASSERT_GT(file.size(), 22u) << name;
    EXPECT_EQ(U16(file, 0), 0) << name;
    EXPECT_EQ(U16(file, 2), 1) << name;  // icon
    ASSERT_EQ(U16(file, 4), sizes.size()) << name;
    std::size_t entry = 6;
    std::uint32_t end = 6 + 16 * std::uint32_t(sizes.size());
    for (const std::uint32_t pixels : sizes) {
        EXPECT_EQ(file.at(entry), pixels % 256) << name;
        EXPECT_EQ(file.at(entry + 1), pixels % 256) << name;
        const std::uint32_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
        EXPECT_EQ(offset, end) << name;  // one after the other, nothing between
        ASSERT_LE(offset + size, file.size()) << name;
        if (pixels == kPngSize) {
            const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature),
                                   file.begin() + offset))
                << name;
            // IHDR: width and height, big-endian, after the chunk's length and type.
            const auto big = [&](std::size_t at) {
                return std::uint32_t(file.at(at)) << 24 | file.at(at + 1) << 16 |
                       file.at(at + 2) << 8 | file.at(at + 3);
            };
            EXPECT_EQ(big(offset + 16), pixels) << name;
            EXPECT_EQ(big(offset + 20), pixels) << name;
            end = offset + size;
            entry += 16;
            continue;
        }
        // Header, 16 colours, colour rows of 4 bits and mask rows of 1, each
        // padded to whole 4 bytes; the header counts both images' rows.
        EXPECT_EQ(U32(file, offset + 4), pixels) << name;
        EXPECT_EQ(U32(file, offset + 8), 2 * pixels) << name;
        EXPECT_EQ(U16(file, offset + 14), 4) << name;
        const std::uint32_t colourRow = (pixels * 4 + 31) / 32 * 4;
        const std::uint32_t maskRow = (pixels + 31) / 32 * 4;
        EXPECT_EQ(size, 40u + 16 * 4 + pixels * colourRow + pixels * maskRow) << name << pixels;
        end = offset + size;
        entry += 16;
    }
    EXPECT_EQ(end, file.size()) << name;
}

}  // namespace

TEST(ImageResources, TabIconsHoldAnImageForEachScaling)
{
    // 16 pixels at 100 %, then 125, 150, 175, 200, 250 and 300 %.
    for (const char* name : {"tab_drag.ico", "tab_keys.ico", "tab_menu.ico", "tab_general.ico"})
        ExpectIconSizes(name, {16, 20, 24, 28, 32, 40, 48});
}

TEST(ImageResources, ThePadsIconHoldsAnImageForEachScaling)
{
    // 32 pixels for the pad at 100 %, 40 to 96 at 125 to 300 %; 16 to 28
    // for the small icons; 256 for the system's large views.
    ExpectIconSizes("korvane.ico", {16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, kPngSize});
}

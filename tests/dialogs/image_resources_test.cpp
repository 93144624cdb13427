// The generated images in resources/: sizes, formats and the colours that
// loading with LR_LOADMAP3DCOLORS can map to the current 3D colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "arrow_outline_oracle.h"
#include "dialogs/drag_figure.h"

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

constexpr std::uint32_t kShadow = 128, kFace = 192, kLight = 223;

// Grey level of each pixel of a 4-bit palette BMP, top row first.
struct GreyImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> greys;
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return greys.at(y * width + x); }
};

GreyImage DecodeGreyBmp(const Bytes& file)
{
    GreyImage image;
    EXPECT_EQ(file.at(0), 'B');
    EXPECT_EQ(file.at(1), 'M');
    const std::size_t info = 14;
    image.width = std::int32_t(U32(file, info + 4));
    image.height = std::int32_t(U32(file, info + 8));
    EXPECT_EQ(U16(file, info + 14), 4);  // palette image: the 3D colour mapping needs one
    EXPECT_EQ(U32(file, info + 16), 0u); // uncompressed
    const std::uint32_t colours = U32(file, info + 32);
    EXPECT_GE(colours, 1u);
    EXPECT_LE(colours, 16u);
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = info + 40 + 4 * i;
        const std::uint32_t b = file.at(at), g = file.at(at + 1), r = file.at(at + 2);
        EXPECT_TRUE(r == g && g == b) << "colour " << i << " is not grey";
        EXPECT_TRUE(r == kShadow || r == kFace || r == kLight) << "grey " << r;
        palette.push_back(r);
    }
    const std::size_t stride = ((image.width * 4 + 31) / 32) * 4;
    const std::size_t bits = U32(file, 10);
    EXPECT_EQ(file.size(), bits + stride * image.height);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::size_t row = bits + stride * (image.height - 1 - y);  // bottom-up
        for (std::int32_t x = 0; x < image.width; ++x) {
            const unsigned char pair = file.at(row + x / 2);
            const std::uint32_t index = x % 2 ? pair & 0x0F : pair >> 4;
            image.greys.push_back(index < palette.size() ? palette[index] : 0);
        }
    }
    return image;
}

bool OnAnyArrow(std::int32_t x, std::int32_t y)
{
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        if (SideOf(ArrowPolygon(d), x, y) != Side::Outside)
            return true;
    return false;
}

}  // namespace

TEST(ImageResources, DragArrowsBitmapIsTheFigureInThreeGreys)
{
    const Bytes file = ReadResource("drag_arrows.bmp");
    ASSERT_GT(file.size(), 54u);
    const GreyImage image = DecodeGreyBmp(file);
    ASSERT_EQ(image.width, kFigureSize);
    ASSERT_EQ(image.height, kFigureSize);
    for (std::int32_t y = 0; y < kFigureSize; ++y)
        for (std::int32_t x = 0; x < kFigureSize; ++x)
            if (!OnAnyArrow(x, y))
                EXPECT_EQ(image.At(x, y), kFace) << "background at " << x << ',' << y;
}

TEST(ImageResources, EachArrowTurnedOverShowsPressed)
{
    const GreyImage image = DecodeGreyBmp(ReadResource("drag_arrows.bmp"));
    ASSERT_EQ(image.greys.size(), std::size_t(kFigureSize * kFigureSize));
    for (std::int32_t d = 1; d <= kArrowCount; ++d) {
        std::set<std::uint32_t> seen;
        for (std::int32_t y = 0; y < kFigureSize; ++y) {
            for (std::int32_t x = 0; x < kFigureSize; ++x) {
                if (SideOf(ArrowPolygon(d), x, y) == Side::Outside)
                    continue;
                const std::uint32_t raised = image.At(x, y);
                const std::uint32_t turned = image.At(92 - x, 92 - y);
                seen.insert(raised);
                // Lit edges become shadow and back; faces stay faces.
                EXPECT_EQ(raised + turned, raised == kFace ? 2 * kFace : kShadow + kLight)
                    << d << ": " << x << ',' << y;
            }
        }
        EXPECT_EQ(seen, (std::set<std::uint32_t>{kShadow, kFace, kLight})) << d;
    }
}

TEST(ImageResources, TabIconsAreSixteenPixelsSquare)
{
    for (const char* name : {"tab_drag.ico", "tab_keys.ico", "tab_menu.ico", "tab_general.ico"}) {
        const Bytes file = ReadResource(name);
        ASSERT_GT(file.size(), 22u) << name;
        EXPECT_EQ(U16(file, 0), 0) << name;
        EXPECT_EQ(U16(file, 2), 1) << name;  // icon
        ASSERT_EQ(U16(file, 4), 1) << name;
        EXPECT_EQ(file.at(6), 16) << name;
        EXPECT_EQ(file.at(7), 16) << name;
        const std::uint32_t size = U32(file, 14), offset = U32(file, 18);
        EXPECT_EQ(offset + size, file.size()) << name;
        // Colour image and mask: 16 rows of 8 bytes, 16 rows of 4.
        EXPECT_EQ(U32(file, offset + 8), 32u) << name;
        EXPECT_EQ(size, 40u + 16 * 4 + 16 * 8 + 16 * 4) << name;
    }
}

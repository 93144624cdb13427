// The generated images in resources/: sizes, formats and the colours that
// loading with LR_LOADMAP3DCOLORS can map to the current 3D colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <utility>
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

TEST(ImageResources, TheFigureDrawnForEachScalingKeepsEachArrowInItsPartsAndTurnsOver)
{
    const std::pair<const char*, std::int32_t> figures[] = {
        {"drag_arrows.bmp", 93}, {"drag_arrows_125.bmp", 115}, {"drag_arrows_150.bmp", 139},
        {"drag_arrows_175.bmp", 161}, {"drag_arrows_200.bmp", 185}};
    ASSERT_EQ(std::size(figures), kFigureSizes.size());
    for (std::size_t i = 0; i < kFigureSizes.size(); ++i) {
        const auto [name, size] = figures[i];
        ASSERT_EQ(size, kFigureSizes[i]);
        const GreyImage image = DecodeGreyBmp(ReadResource(name));
        ASSERT_EQ(image.width, size) << name;
        ASSERT_EQ(image.height, size) << name;
        const FigureScale figure{size};
        std::vector<std::set<std::uint32_t>> seen(kArrowCount + 1);
        for (std::int32_t y = 0; y < size; ++y) {
            for (std::int32_t x = 0; x < size; ++x) {
                const std::uint32_t raised = image.At(x, y);
                const std::uint32_t turned = image.At(size - 1 - x, size - 1 - y);
                // Lit edges become shadow and back; faces and the background stay.
                EXPECT_EQ(raised + turned, raised == kFace ? 2 * kFace : kShadow + kLight)
                    << name << ": " << x << ',' << y;
                if (raised == kFace)
                    continue;
                // An edge pixel belongs to the parts of exactly one arrow,
                // which redraw it raised and pressed.
                std::int32_t owner = 0;
                for (std::int32_t d = 1; d <= kArrowCount; ++d) {
                    const ArrowParts parts = figure.PartsOf(d);
                    if (parts.head.Contains(x, y) || parts.shaft.Contains(x, y)) {
                        EXPECT_EQ(owner, 0) << name << ": " << x << ',' << y;
                        owner = d;
                    }
                }
                EXPECT_NE(owner, 0) << name << ": " << x << ',' << y;
                seen[std::size_t(owner)].insert(raised);
            }
        }
        for (std::int32_t d = 1; d <= kArrowCount; ++d)
            EXPECT_EQ(seen[std::size_t(d)], (std::set<std::uint32_t>{kShadow, kLight}))
                << name << ": " << d;
    }
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

namespace {

// The images of an icon file hold one square 16-colour image of each size
// asked for, in that order, each drawn for its size (no size is left for
// the system to stretch from another).
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

TEST(ImageResources, TabIconsHoldSixteenTwentyFourAndThirtyTwoPixelImages)
{
    for (const char* name : {"tab_drag.ico", "tab_keys.ico", "tab_menu.ico", "tab_general.ico"})
        ExpectIconSizes(name, {16, 24, 32});
}

TEST(ImageResources, ThePadsIconHoldsAnImageForEachScaling)
{
    // 32 pixels for the pad at 100 %, 48 and 64 at 150 and 200 %; 16 and
    // 24 for the small icons.
    ExpectIconSizes("korvane.ico", {16, 24, 32, 48, 64});
}

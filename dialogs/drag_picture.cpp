#include "dialogs/drag_picture.h"

#include <algorithm>
#include <array>

#include "forms/high_contrast.h"
#include "forms/picture.h"

void DragPicture::Clear()
{
    image_.reset();
    region_.reset();
    shades_.clear();
    figure_ = FigureScale{0};
}

UniqueGdiObject<HBITMAP> DragPicture::FigureImage(HDC screen, std::int32_t filled) const
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = figure_.size;
    info.bmiHeader.biHeight = -figure_.size;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    // In shade order: shadow, face, light. A high-contrast theme's 3D
    // colours may all be its background: the edges are drawn in its text.
    const bool contrast = HighContrastOn();
    const int kinds[] = {contrast ? COLOR_BTNTEXT : COLOR_3DSHADOW, COLOR_3DFACE,
                         contrast ? COLOR_BTNTEXT : COLOR_3DLIGHT};
    std::array<DWORD, 3> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = DibPixel(GetSysColor(kinds[i]));
    const DWORD highlight = DibPixel(GetSysColor(COLOR_HIGHLIGHT));
    const ArrowParts parts = filled != 0 ? figure_.PartsOf(filled) : ArrowParts{};
    auto* pixel = static_cast<DWORD*>(bits);
    for (std::int32_t y = 0; y < figure_.size; ++y) {
        for (std::int32_t x = 0; x < figure_.size; ++x) {
            const FigureShade shade = shades_[std::size_t(y) * std::size_t(figure_.size) + x];
            const bool inFilled = shade == FigureShade::Face &&
                                  (parts.head.Contains(x, y) || parts.shaft.Contains(x, y)) &&
                                  PtInRegion(region_.get(), x, y);
            *pixel++ = inFilled ? highlight : colours[static_cast<std::size_t>(shade)];
        }
    }
    GdiFlush();
    return bitmap;
}

void DragPicture::Draw(HWND box, std::int32_t direction, bool pressed)
{
    RECT client{};
    GetClientRect(box, &client);
    const FigureScale figure = FigureFitting(std::min(client.right, client.bottom));
    if (figure.size != figure_.size) {
        Clear();
        figure_ = figure;
        shades_ = figure.Shades();
        std::vector<POINT> points;
        for (const Point& p : DragRegionPoints(figure))
            points.push_back({p.x, p.y});
        std::array<INT, kArrowCount> counts{};
        counts.fill(kArrowPointCount);
        region_.reset(CreatePolyPolygonRgn(points.data(), counts.data(), kArrowCount, WINDING));
    }
    const WindowDc screen(box);
    UniqueGdiObject<HBITMAP> arrows = FigureImage(screen.get(), 0);
    // In a high-contrast theme a pressed arrow is filled in the highlight
    // colour instead: its turned edges alone are too faint a mark.
    UniqueGdiObject<HBITMAP> filled;
    if (pressed && direction != 0 && HighContrastOn())
        filled = FigureImage(screen.get(), direction);
    UniqueDc source(CreateCompatibleDC(screen.get()));
    UniqueDc target(CreateCompatibleDC(screen.get()));
    if (!arrows || !source || !target)
        return;
    const bool fresh = !image_;
    if (fresh)
        image_.reset(CreateCompatibleBitmap(screen.get(), figure.size, figure.size));
    if (!image_)
        return;
    const ScopedSelection from(source.get(), arrows.get());
    const ScopedSelection into(target.get(), image_.get());
    if (!from || !into)
        return;
    if (fresh || direction == 0) {
        BitBlt(target.get(), 0, 0, figure.size, figure.size, source.get(), 0, 0, SRCCOPY);
        if (direction == 0)
            return;
    }
    const ArrowParts parts = figure.PartsOf(direction);
    const ScopedSelection highlighted(source.get(), filled ? filled.get() : arrows.get());
    for (const Box& part : {parts.head, parts.shaft}) {
        if (!pressed || filled) {
            BitBlt(target.get(), part.x, part.y, part.width, part.height, source.get(), part.x,
                   part.y, SRCCOPY);
            continue;
        }
        // A raised arrow seen upside down looks pressed in.
        const Box turned = PressedSource(part, figure.size);
        StretchBlt(target.get(), part.x, part.y, part.width, part.height, source.get(), turned.x,
                   turned.y, turned.width, turned.height, SRCCOPY);
    }
}

void DragPicture::Paint(HDC dc) const
{
    if (!image_)
        return;
    UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory)
        return;
    const ScopedSelection selected(memory.get(), image_.get());
    if (selected)
        BitBlt(dc, 0, 0, figure_.size, figure_.size, memory.get(), 0, 0, SRCCOPY);
}

std::int32_t DragPicture::DirectionAt(std::int32_t x, std::int32_t y) const
{
    if (!region_)
        return 0;
    const std::int32_t centre = figure_.Centre();
    return ArrowHitDirection(PtInRegion(region_.get(), x, y) != FALSE, x - centre, y - centre,
                             figure_);
}

RECT DragPicture::ArrowBounds(std::int32_t direction) const
{
    RECT bounds{};
    if (!region_)
        return bounds;
    const ArrowParts parts = figure_.PartsOf(direction);
    for (const Box& part : {parts.head, parts.shaft}) {
        const RECT drawn{part.x, part.y, part.x + part.width, part.y + part.height};
        UnionRect(&bounds, &bounds, &drawn);
    }
    return bounds;
}

#include "dialogs/drag_picture.h"

#include <algorithm>
#include <iterator>

#include "dialogs/drag_figure.h"
#include "resources/resource_ids.h"

namespace {

// The bitmap of the figure in its size: one resource per drawn size, in the
// order of kFigureSizes.
int BitmapOf(const FigureScale& figure)
{
    const auto at = std::find(kFigureSizes.begin(), kFigureSizes.end(), figure.size);
    return IDB_DRAG_ARROWS + static_cast<int>(std::distance(kFigureSizes.begin(), at));
}

}  // namespace

void DragPicture::Draw(HWND box, std::int32_t direction, bool pressed)
{
    // The largest figure drawn for the box's size: never stretched.
    RECT client{};
    GetClientRect(box, &client);
    const FigureScale figure = FigureFitting(std::min(client.right, client.bottom));
    if (figure.size != size_)
        image_.reset();
    UniqueGdiObject<HBITMAP> arrows(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(BitmapOf(figure)), IMAGE_BITMAP, 0,
                   0, LR_LOADMAP3DCOLORS)));
    if (!arrows)
        return;
    const WindowDc screen(box);
    UniqueDc source(CreateCompatibleDC(screen.get()));
    UniqueDc target(CreateCompatibleDC(screen.get()));
    if (!source || !target)
        return;
    const bool fresh = !image_;
    if (fresh) {
        image_.reset(CreateCompatibleBitmap(screen.get(), figure.size, figure.size));
        size_ = figure.size;
    }
    if (!image_)
        return;
    const ScopedSelection from(source.get(), arrows.get());
    const ScopedSelection into(target.get(), image_.get());
    if (!from || !into)
        return;
    if (fresh) {
        const RECT all{0, 0, figure.size, figure.size};
        FillRect(target.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (direction == 0) {
        BitBlt(target.get(), 0, 0, figure.size, figure.size, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const ArrowParts parts = figure.PartsOf(direction);
    for (const Box& part : {parts.head, parts.shaft}) {
        if (!pressed) {
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
        BitBlt(dc, 0, 0, size_, size_, memory.get(), 0, 0, SRCCOPY);
}

#include "pad/drag_animation.h"

#include <utility>
#include <vector>

#include "base/interface_text.h"
#include "forms/display_dpi.h"
#include "pad/animation_geometry.h"
#include "pad/pad_metrics.h"

namespace {

constexpr std::int32_t kLastDirection = 8;

std::vector<POINT> ToPoints(const Point* points, std::size_t count)
{
    std::vector<POINT> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = {points[i].x, points[i].y};
    return out;
}

HDC OpenDisplay() { return CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr); }

}  // namespace

DragAnimation::DragAnimation(DragAnimationSource source) : source_(std::move(source))
{
    if (!source_.openDisplay)
        source_.openDisplay = OpenDisplay;
}

DragAnimation::~DragAnimation() { EndAnimation(); }

bool DragAnimation::ActiveStyle() const { return source_.activeStyle && source_.activeStyle(); }

void DragAnimation::BeginAnimation(std::int32_t x, std::int32_t y)
{
    if (!ActiveStyle())
        return;
    // A figure left from an animation that never saw its end (the release
    // went elsewhere) is taken away before the display is opened again.
    EndAnimation();

    UniqueDc screen(source_.openDisplay());
    if (!screen)
        return;
    // Stock objects: nothing to put back or delete when the context goes.
    SelectObject(screen.get(), GetStockObject(WHITE_PEN));
    SelectObject(screen.get(), GetStockObject(WHITE_BRUSH));
    SetBkMode(screen.get(), TRANSPARENT);
    SetROP2(screen.get(), R2_XORPEN);
    // The caption image is monochrome: its 0 bits take the text colour and
    // its 1 bits the background colour, so black leaves the screen as it is
    // under SRCINVERT and white inverts it.
    SetTextColor(screen.get(), RGB(0, 0, 0));
    SetBkColor(screen.get(), RGB(255, 255, 255));
    screen_ = std::move(screen);

    framePos_ = {x, y};
    padWidth_ = source_.padWidth ? source_.padWidth() : 0;
    dpi_ = source_.dpi ? source_.dpi() : kDesignDpi;
    moveFrame_ = source_.moving && source_.moving();
    if (moveFrame_) {
        DrawMoveFrame();
    } else {
        caption_ = source_.caption ? source_.caption(direction_) : std::wstring();
        DrawCaptionImage();
    }
}

void DragAnimation::EndAnimation()
{
    // Not tied to the option: a display opened while it was on is always
    // closed again.
    if (!screen_)
        return;
    if (moveFrame_) {
        DrawMoveFrame();
    } else {
        DrawCaptionImage();
        DrawSectorHighlight();
        direction_ = 0;
        caption_.clear();
    }
    screen_.reset();
    // Whatever an XOR pass could not take back (a window that repainted
    // under a figure) is repainted by its owner.
    InvalidateRect(nullptr, nullptr, FALSE);
}

void DragAnimation::ShiftMoveFrame(std::int32_t x, std::int32_t y)
{
    if (!ActiveStyle() || !screen_ || !moveFrame_)
        return;
    DrawMoveFrame();
    framePos_ = {x, y};
    DrawMoveFrame();
}

void DragAnimation::SetAnimationDirection(std::int32_t d)
{
    if (!ActiveStyle() || !screen_ || moveFrame_ || d == direction_ || d < 0 || d > kLastDirection)
        return;
    DrawCaptionImage();
    DrawSectorHighlight();
    direction_ = d;
    caption_ = source_.caption ? source_.caption(d) : std::wstring();
    DrawSectorHighlight();
    DrawCaptionImage();
}

void DragAnimation::DrawMoveFrame()
{
    if (!screen_)
        return;
    const MoveFrameFigure frame = MoveFrame(framePos_, padWidth_, dpi_);
    const std::vector<POINT> points = ToPoints(frame.points.data(), frame.points.size());
    DWORD counts[MoveFrameFigure::kLineCount];
    for (std::size_t i = 0; i < MoveFrameFigure::kLineCount; ++i)
        counts[i] = frame.counts[i];
    PolyPolyline(screen_.get(), points.data(), counts, MoveFrameFigure::kLineCount);
}

void DragAnimation::DrawSectorHighlight()
{
    const std::vector<Point> sector = SectorPolygon(framePos_, padWidth_, direction_, dpi_);
    if (!screen_ || sector.empty())
        return;
    const std::vector<POINT> points = ToPoints(sector.data(), sector.size());
    Polygon(screen_.get(), points.data(), static_cast<int>(points.size()));
}

void DragAnimation::DrawCaptionImage()
{
    if (!screen_ || caption_.empty())
        return;
    // Every object below goes again when the function returns, in the
    // reverse order of its making; a failed step skips the drawing.
    UniqueDc memory(CreateCompatibleDC(screen_.get()));
    if (!memory)
        return;
    UniqueGdiObject<HFONT> font(CreateFontW(CaptionTypeHeight(dpi_), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                                            FALSE, InterfaceCharset(), OUT_TT_PRECIS,
                                            CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0,
                                            InterfaceFontFace().c_str()));
    if (!font)
        return;
    ScopedSelection fontSelected(memory.get(), font.get());
    if (!fontSelected)
        return;
    const int length = static_cast<int>(caption_.size());
    SIZE extent{};
    if (!GetTextExtentPoint32W(memory.get(), caption_.c_str(), length, &extent) || extent.cx <= 0 ||
        extent.cy <= 0)
        return;
    // A new memory context holds a one-pixel monochrome bitmap, so the
    // compatible bitmap is monochrome too.
    UniqueGdiObject<HBITMAP> image(CreateCompatibleBitmap(memory.get(), extent.cx, extent.cy));
    if (!image)
        return;
    ScopedSelection imageSelected(memory.get(), image.get());
    if (!imageSelected)
        return;
    SetBkColor(memory.get(), RGB(0, 0, 0));
    SetTextColor(memory.get(), RGB(255, 255, 255));
    const RECT all{0, 0, extent.cx, extent.cy};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    TextOutW(memory.get(), 0, 0, caption_.c_str(), length);

    const ScreenMetrics screen = ScreenMetricsOf(MonitorAt(POINT{framePos_.x, framePos_.y}));
    const Point padTwips{framePos_.x * screen.twipsPerPixelX, framePos_.y * screen.twipsPerPixelY};
    const Point at = CaptionPosition(padTwips, extent.cx, extent.cy, screen, dpi_);
    BitBlt(screen_.get(), at.x, at.y, extent.cx, extent.cy, memory.get(), 0, 0, SRCINVERT);
}

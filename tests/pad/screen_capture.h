#pragma once
// What is on the display, for tests of drawing that goes straight to the
// screen: whole-screen captures, a patterned window to draw over, and the
// number of GDI objects the process holds.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/plane.h"

// The screen's pixels as 0xRRGGBB, row by row from the top.
struct ScreenImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels[y * width + x]; }
    friend bool operator==(const ScreenImage&, const ScreenImage&) = default;
};

ScreenImage CaptureScreen();

// The smallest box holding every pixel that differs between two captures
// (empty when none does), and whether each of them is the inverse of the
// other.
struct ScreenChange {
    Box bounds;
    std::int64_t pixels = 0;
    bool allInverted = true;
};
ScreenChange ChangeBetween(const ScreenImage& before, const ScreenImage& after);

bool Inverted(const ScreenImage& before, const ScreenImage& after, std::int32_t x, std::int32_t y);

// A topmost window painted in coloured stripes, so that drawing over it
// shows; shown and painted when the constructor returns.
class StripedWindow {
public:
    explicit StripedWindow(const Box& place);
    ~StripedWindow();
    StripedWindow(const StripedWindow&) = delete;
    StripedWindow& operator=(const StripedWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Lets the windows repaint and the display settle.
void SettleScreen();

// GDI objects held by the process. Where the system does not report them
// (Wine answers GetGuiResources with 0), the free entries of the GDI handle
// table are counted instead and subtracted from a fixed total, which moves in
// step with every object made or deleted. -1 when neither way counts.
std::int64_t GdiObjectsInUse();

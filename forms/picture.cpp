#include "forms/picture.h"

#include <algorithm>
#include <array>
#include <cstdint>



namespace {

enum class FileKind { Other, Icon, Bitmap };

std::uint32_t Uint16At(const unsigned char* bytes) { return bytes[0] | (bytes[1] << 8); }

std::uint32_t Uint32At(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the oldest info header, with 16-bit sizes
constexpr std::uint32_t kInfoHeaderSize = 40;  // the fields every later header starts with

// The bytes of pixels that the info header promises: for an uncompressed
// bitmap its rows, for a compressed one the size it states.
std::uint64_t PromisedPixelBytes(const unsigned char* info, std::uint32_t infoSize)
{
    std::int64_t width = 0, height = 0;
    std::uint32_t bitCount = 0, compression = BI_RGB, imageSize = 0;
    if (infoSize == kCoreHeaderSize) {
        width = Uint16At(info + 4);
        height = Uint16At(info + 6);
        bitCount = Uint16At(info + 10);
    } else {
        width = static_cast<std::int32_t>(Uint32At(info + 4));
        height = static_cast<std::int32_t>(Uint32At(info + 8));
        bitCount = Uint16At(info + 14);
        if (infoSize >= 20)
            compression = Uint32At(info + 16);
        if (infoSize >= 24)
            imageSize = Uint32At(info + 20);
    }
    if (compression != BI_RGB && compression != BI_BITFIELDS)
        return imageSize;
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(width < 0 ? -width : width) * bitCount + 31) / 32 * 4;
    const auto rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    if (rows != 0 && rowBytes > UINT64_MAX / rows)
        return UINT64_MAX;
    return rowBytes * rows;
}

// The file's first bytes say what it holds: "BM" for a bitmap, the icon
// directory's reserved word 0 and type 1 for an icon. A bitmap whose headers
// or pixels do not fit in the file is nothing: some systems would load what
// lies beyond, others a black picture of the size the header claims.
FileKind KindOf(const std::wstring& path)
{
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FileKind::Other;
    std::array<unsigned char, kFileHeaderSize + kInfoHeaderSize> head{};
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return FileKind::Other;
    if (read >= 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0)
        return FileKind::Icon;
    if (read < kFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M')
        return FileKind::Other;
    const DWORD size = GetFileSize(file.get(), nullptr);
    const std::uint32_t pixelsAt = Uint32At(&head[10]);
    const std::uint32_t infoSize = Uint32At(&head[14]);
    if (size == INVALID_FILE_SIZE || infoSize < kCoreHeaderSize ||
        infoSize > size - kFileHeaderSize || pixelsAt >= size ||
        read < kFileHeaderSize + std::min(infoSize, kInfoHeaderSize))
        return FileKind::Other;
    if (PromisedPixelBytes(&head[kFileHeaderSize], infoSize) > size - pixelsAt)
        return FileKind::Other;
    return FileKind::Bitmap;
}

// Ink for a pixel darker than near white, as the eye weighs the channels;
// paper for the white ones.
bool Inked(DWORD pixel)
{
    return int((pixel >> 16) & 0xFF) * 299 + int((pixel >> 8) & 0xFF) * 587 +
               int(pixel & 0xFF) * 114 <
           224 * 1000;
}

}  // namespace

DWORD DibPixel(COLORREF colour)
{
    return DWORD(GetRValue(colour)) << 16 | DWORD(GetGValue(colour)) << 8 | GetBValue(colour);
}

Picture Picture::FromIcon(UniqueIcon icon)
{
    Picture picture;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info))
        return picture;
    UniqueGdiObject<HBITMAP> mask(info.hbmMask);
    UniqueGdiObject<HBITMAP> colour(info.hbmColor);
    BITMAP bits{};
    GetObjectW(mask.get(), sizeof bits, &bits);
    // A monochrome icon keeps both halves in its mask, one above the other.
    picture.size_ = {bits.bmWidth, colour ? bits.bmHeight : bits.bmHeight / 2};
    picture.icon_ = std::move(icon);
    return picture;
}

Picture Picture::FromBitmap(UniqueGdiObject<HBITMAP> bitmap)
{
    Picture picture;
    BITMAP bits{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof bits, &bits))
        return picture;
    picture.size_ = {bits.bmWidth, bits.bmHeight};
    picture.bitmap_ = std::move(bitmap);
    return picture;
}

void Picture::Draw(HDC dc, int x, int y) const
{
    if (icon_) {
        DrawIconEx(dc, x, y, icon_.get(), size_.cx, size_.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!bitmap_)
        return;
    UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory)
        return;
    const ScopedSelection selected(memory.get(), bitmap_.get());
    BitBlt(dc, x, y, size_.cx, size_.cy, memory.get(), 0, 0, SRCCOPY);
}

Picture LoadPicture(const std::wstring& path, int width, int height)
{
    switch (KindOf(path)) {
    case FileKind::Icon:
        return Picture::FromIcon(UniqueIcon(static_cast<HICON>(
            LoadImageW(nullptr, path.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE))));
    case FileKind::Bitmap:
        return Picture::FromBitmap(UniqueGdiObject<HBITMAP>(static_cast<HBITMAP>(
            LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE))));
    case FileKind::Other:
        break;
    }
    return {};
}

Picture LoadIconPicture(int resourceId, int width, int height)
{
    return Picture::FromIcon(UniqueIcon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0))));
}

Picture LoadIconPictureInColours(int resourceId, int width, int height, COLORREF ink,
                                 COLORREF paper)
{
    const UniqueIcon icon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0)));
    const WindowDc screen(nullptr);
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    if (!icon || !dc || width <= 0 || height <= 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Drawn once on black and once on white: where the two differ, the icon
    // is transparent.
    const std::size_t count = std::size_t(width) * std::size_t(height);
    DWORD* onBlack = nullptr;
    DWORD* onWhite = nullptr;
    UniqueGdiObject<HBITMAP> black(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS,
                                                    reinterpret_cast<void**>(&onBlack), nullptr, 0));
    UniqueGdiObject<HBITMAP> white(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS,
                                                    reinterpret_cast<void**>(&onWhite), nullptr, 0));
    if (!black || !white || !onBlack || !onWhite)
        return {};
    std::fill_n(onWhite, count, 0xFFFFFFu);
    for (const HBITMAP image : {black.get(), white.get()}) {
        const ScopedSelection selected(dc.get(), image);
        DrawIconEx(dc.get(), 0, 0, icon.get(), width, height, 0, nullptr, DI_NORMAL);
    }
    GdiFlush();
    for (std::size_t i = 0; i < count; ++i)
        onBlack[i] = (onBlack[i] & 0xFFFFFF) == (onWhite[i] & 0xFFFFFF) && Inked(onBlack[i])
                         ? DibPixel(ink)
                         : DibPixel(paper);
    return Picture::FromBitmap(std::move(black));
}

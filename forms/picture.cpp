#include "forms/picture.h"

#include <array>
#include <cstdint>



namespace {

enum class FileKind { Other, Icon, Bitmap };

std::uint32_t Uint32At(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The file's first bytes say what it holds: "BM" for a bitmap, the icon
// directory's reserved word 0 and type 1 for an icon. A bitmap whose headers
// do not fit in the file is nothing: some systems would load what lies beyond.
FileKind KindOf(const std::wstring& path)
{
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FileKind::Other;
    std::array<unsigned char, 18> head{};
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return FileKind::Other;
    if (read >= 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0)
        return FileKind::Icon;
    if (read < head.size() || head[0] != 'B' || head[1] != 'M')
        return FileKind::Other;
    const DWORD size = GetFileSize(file.get(), nullptr);
    const std::uint32_t pixelsAt = Uint32At(&head[10]);
    const std::uint32_t infoSize = Uint32At(&head[14]);
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kSmallestInfoSize = 12;
    if (size == INVALID_FILE_SIZE || infoSize < kSmallestInfoSize ||
        infoSize > size - kFileHeaderSize || pixelsAt >= size)
        return FileKind::Other;
    return FileKind::Bitmap;
}

}  // namespace

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

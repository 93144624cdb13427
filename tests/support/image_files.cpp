#include "tests/support/image_files.h"

#include <cstdint>

namespace {

void PutLE(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string InfoHeader(int width, int height, int bits)
{
    std::string header;
    PutLE(header, 40, 4);
    PutLE(header, static_cast<std::uint32_t>(width), 4);
    PutLE(header, static_cast<std::uint32_t>(height), 4);
    PutLE(header, 1, 2);
    PutLE(header, static_cast<std::uint32_t>(bits), 2);
    header.append(24, '\0');
    return header;
}

}  // namespace

std::string BitmapFile(int size, COLORREF colour)
{
    const int stride = (size * 3 + 3) & ~3;
    std::string pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels.push_back(static_cast<char>(GetBValue(colour)));
            pixels.push_back(static_cast<char>(GetGValue(colour)));
            pixels.push_back(static_cast<char>(GetRValue(colour)));
        }
        pixels.append(static_cast<size_t>(stride - size * 3), '\0');
    }
    std::string file = "BM";
    PutLE(file, static_cast<std::uint32_t>(54 + pixels.size()), 4);
    PutLE(file, 0, 4);
    PutLE(file, 54, 4);
    return file + InfoHeader(size, size, 24) + pixels;
}

std::string IconFile(int size, COLORREF colour)
{
    std::string image = InfoHeader(size, size * 2, 32);
    for (int i = 0; i < size * size; ++i) {
        image.push_back(static_cast<char>(GetBValue(colour)));
        image.push_back(static_cast<char>(GetGValue(colour)));
        image.push_back(static_cast<char>(GetRValue(colour)));
        image.push_back('\xFF');
    }
    image.append(static_cast<size_t>(size * ((size + 31) / 32) * 4), '\0');  // AND mask
    std::string file;
    PutLE(file, 0, 2);
    PutLE(file, 1, 2);
    PutLE(file, 1, 2);
    file.push_back(static_cast<char>(size));
    file.push_back(static_cast<char>(size));
    file.append(2, '\0');
    PutLE(file, 1, 2);
    PutLE(file, 32, 2);
    PutLE(file, static_cast<std::uint32_t>(image.size()), 4);
    PutLE(file, 22, 4);
    return file + image;
}


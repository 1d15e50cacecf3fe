#include "WindowPicture.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

namespace {

std::uint32_t Crc32(const std::string& bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char b : bytes) {
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutBe32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += char((v >> shift) & 0xFF);
    }
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBe32(png, std::uint32_t(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    PutBe32(png, Crc32(body));
}

// A PNG of 8-bit RGB rows, deflated as stored blocks: review pictures need no compression.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& bgra) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p =
                &bgra[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4];
            raw += char(p[2]);
            raw += char(p[1]);
            raw += char(p[0]);
        }
    }
    std::string zlib = "\x78\x01";
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        zlib += char(at + length >= raw.size() ? 1 : 0);
        zlib += char(length & 0xFF);
        zlib += char(length >> 8);
        zlib += char(~length & 0xFF);
        zlib += char((~length >> 8) & 0xFF);
        zlib += raw.substr(at, length);
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(zlib, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBe32(header, std::uint32_t(width));
    PutBe32(header, std::uint32_t(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::filesystem::path& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) {
        return false;
    }
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    const HDC screen = GetWindowDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    std::vector<std::uint8_t> pixels(
        static_cast<const std::uint8_t*>(bits),
        static_cast<const std::uint8_t*>(bits) + std::size_t(width) * std::size_t(height) * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    if (!copied) {
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out << EncodePng(width, height, pixels);
    return bool(out);
}

}  // namespace testing_support

#include "programinfo/icon_image.h"

#include <algorithm>
#include <cstddef>

namespace sx::programinfo {

namespace {

constexpr size_t kHeaderSize = 40;

uint32_t u32(std::string_view d, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 3])) << 24;
}

uint16_t u16(std::string_view d, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8);
}

uint8_t byte(std::string_view d, size_t at) { return static_cast<uint8_t>(d[at]); }

// The icon at its own size, or nothing.
std::optional<IconPixels> unpack(std::string_view d) {
    if (d.size() < kHeaderSize) return std::nullopt;
    const size_t header = u32(d, 0);
    const auto width = static_cast<int32_t>(u32(d, 4));
    const auto double_height = static_cast<int32_t>(u32(d, 8));
    const unsigned bits = u16(d, 14);
    const uint32_t compression = u32(d, 16);
    const uint32_t colours_used = u32(d, 32);
    // The height counts the colour rows and the mask rows; a negative one would be rows from the top.
    const bool from_top = double_height < 0;
    const int64_t rows = (from_top ? -static_cast<int64_t>(double_height) : double_height) / 2;
    if (header < kHeaderSize || header > d.size() || compression != 0) return std::nullopt;
    if (width <= 0 || width > kIconSideMax || rows <= 0 || rows > kIconSideMax) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    const auto w = static_cast<size_t>(width), h = static_cast<size_t>(rows);

    const size_t palette_size = bits <= 8 ? (colours_used ? std::min<size_t>(colours_used, size_t{1} << bits)
                                                         : size_t{1} << bits)
                                          : 0;
    const size_t palette = header;
    const size_t colours = palette + palette_size * 4;
    const size_t colour_stride = (w * bits + 31) / 32 * 4;
    const size_t mask = colours + colour_stride * h;
    const size_t mask_stride = (w + 31) / 32 * 4;
    // Some 32-bit icons leave out the mask their alpha makes needless.
    const bool has_mask = mask + mask_stride * h <= d.size();
    if (mask > d.size() || (!has_mask && bits != 32)) return std::nullopt;

    IconPixels out;
    out.width = width;
    out.height = static_cast<int>(rows);
    out.argb.resize(w * h);
    bool any_alpha = false;
    for (size_t y = 0; y < h; ++y) {
        const size_t stored = from_top ? y : h - 1 - y;
        const size_t row = colours + stored * colour_stride;
        for (size_t x = 0; x < w; ++x) {
            uint32_t pixel = 0;
            if (bits <= 8) {
                const size_t bit = x * bits;
                const unsigned index = (byte(d, row + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                pixel = index < palette_size ? (u32(d, palette + index * 4) & 0xFFFFFF) : 0;
            } else if (bits == 24) {
                const size_t at = row + x * 3;
                pixel = byte(d, at) | byte(d, at + 1) << 8 | byte(d, at + 2) << 16;
            } else {
                pixel = u32(d, row + x * 4);
                any_alpha = any_alpha || (pixel >> 24) != 0;
            }
            out.argb[y * w + x] = pixel;
        }
    }
    for (size_t y = 0; y < h; ++y) {
        const size_t stored = from_top ? y : h - 1 - y;
        for (size_t x = 0; x < w; ++x) {
            uint32_t& pixel = out.argb[y * w + x];
            if (bits == 32 && any_alpha) continue;
            const bool clear = has_mask && (byte(d, mask + stored * mask_stride + x / 8) >> (7 - x % 8)) & 1;
            pixel = clear ? 0 : ((pixel & 0xFFFFFF) | 0xFF000000u);
        }
    }
    return out;
}

// Each target pixel averages the source pixels it covers, weighted by their alpha.
IconPixels scaled(const IconPixels& in, int width, int height) {
    if (in.width == width && in.height == height) return in;
    IconPixels out;
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int y0 = y * in.height / height, y1 = std::max(y0 + 1, (y + 1) * in.height / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * in.width / width, x1 = std::max(x0 + 1, (x + 1) * in.width / width);
            uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t p = in.argb[static_cast<size_t>(sy) * static_cast<size_t>(in.width) +
                                               static_cast<size_t>(sx)];
                    const uint32_t alpha = p >> 24;
                    a += alpha;
                    r += ((p >> 16) & 0xFF) * alpha;
                    g += ((p >> 8) & 0xFF) * alpha;
                    b += (p & 0xFF) * alpha;
                    ++n;
                }
            }
            uint32_t pixel = 0;
            if (a) {
                pixel = static_cast<uint32_t>(a / n) << 24 | static_cast<uint32_t>(r / a) << 16 |
                        static_cast<uint32_t>(g / a) << 8 | static_cast<uint32_t>(b / a);
            }
            out.argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = pixel;
        }
    }
    return out;
}

}  // namespace

std::optional<IconPixels> decode_icon(std::string_view resource, int width, int height) {
    if (width <= 0 || height <= 0 || width > kIconSideMax || height > kIconSideMax) return std::nullopt;
    std::optional<IconPixels> found = unpack(resource);
    if (!found) return std::nullopt;
    return scaled(*found, width, height);
}

}  // namespace sx::programinfo

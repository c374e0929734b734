// The pixels of an icon image as a program file stores it (an RT_ICON resource: a DIB with its
// colours and its transparency mask), scaled to the size a list shows. Decoding it here, on the
// thread that read the file, spares the window's thread the icon handles and drawing calls that
// cost milliseconds apiece.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sx::programinfo {

struct IconPixels {
    int width = 0;
    int height = 0;
    // Rows from the top, each pixel 0xAARRGGBB with straight (not premultiplied) alpha; a pixel the
    // mask makes transparent has alpha 0.
    std::vector<uint32_t> argb;
};

// The image scaled to width x height (each at most kIconSideMax); nothing for data that is not a
// complete 1, 4, 8, 24 or 32-bit icon DIB (PNG images among them).
std::optional<IconPixels> decode_icon(std::string_view resource, int width, int height);

inline constexpr int kIconSideMax = 256;

}  // namespace sx::programinfo

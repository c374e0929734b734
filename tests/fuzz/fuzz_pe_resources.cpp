// Program files as a list fill reads them, on arbitrary bytes: the executable's resource directory
// and the icon images found in it. No read leaves the file, no data is longer than its bound. An
// input whose first byte is odd patches a small well-formed executable, so a short run reaches the
// directory levels; any other input is the file itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/pe_resources.h"
#include "programinfo/icon_image.h"

namespace {

void put(std::string& d, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) d[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}

// Headers at 0, one section ".rsrc" at file offset 0x200 (address 0x1000) holding a directory with
// an icon (3), an icon group (14) and a version (16), each id 1, language 0x409, and their data.
const std::string& small_executable() {
    static const std::string image = [] {
        std::string d(0x600, '\0');
        d[0] = 'M', d[1] = 'Z';
        put(d, 0x3C, 0x40, 4);
        d.replace(0x40, 4, std::string("PE\0\0", 4));
        put(d, 0x44, 0x8664, 2), put(d, 0x46, 1, 2), put(d, 0x54, 240, 2);
        const size_t opt = 0x58;
        put(d, opt, 0x20B, 2), put(d, opt + 108, 16, 4), put(d, opt + 112 + 16, 0x1000, 4), put(d, opt + 112 + 20, 0x400, 4);
        const size_t section = opt + 240;
        d.replace(section, 5, ".rsrc");
        put(d, section + 8, 0x400, 4), put(d, section + 12, 0x1000, 4), put(d, section + 16, 0x400, 4);
        put(d, section + 20, 0x200, 4);
        const size_t r = 0x200;  // the directory: types at 0, names at 0x40.., languages at 0x100.., entries at 0x180..
        put(d, r + 14, 3, 2);
        const uint32_t types[] = {3, 14, 16}, addresses[] = {0x1300, 0x1280, 0x1200}, sizes[] = {0xB0, 0x80, 0x80};
        for (uint32_t i = 0; i < 3; ++i) {
            put(d, r + 16 + 8 * i, types[i], 4), put(d, r + 20 + 8 * i, 0x80000000u | (0x40 + 0x20 * i), 4);
            const size_t names = r + 0x40 + 0x20 * i, languages = r + 0x100 + 0x20 * i, entry = r + 0x180 + 0x10 * i;
            put(d, names + 14, 1, 2), put(d, names + 16, 1, 4), put(d, names + 20, 0x80000000u | (0x100 + 0x20 * i), 4);
            put(d, languages + 14, 1, 2), put(d, languages + 16, 0x409, 4), put(d, languages + 20, 0x180 + 0x10 * i, 4);
            put(d, entry, addresses[i], 4), put(d, entry + 4, sizes[i], 4);
        }
        // The group names icon 1 at 16x16; the icon is a black and white 16x16 DIB.
        const size_t group = 0x200 + 0x280;
        put(d, group + 2, 1, 2), put(d, group + 4, 1, 2), d[group + 6] = 16, d[group + 7] = 16;
        put(d, group + 12, 32, 2), put(d, group + 18, 1, 2);
        const size_t icon = 0x200 + 0x300;
        put(d, icon, 40, 4), put(d, icon + 4, 16, 4), put(d, icon + 8, 32, 4), put(d, icon + 12, 1, 2), put(d, icon + 14, 1, 2);
        put(d, icon + 32, 2, 4), put(d, icon + 44, 0xFFFFFF, 4);
        return d;
    }();
    return image;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string file(reinterpret_cast<const char*>(data), size);
    if (size > 0 && (data[0] & 1)) {
        // Pairs of (offset, byte) written over the small executable.
        std::string patched = small_executable();
        for (size_t i = 1; i + 2 < size; i += 3) {
            patched[((static_cast<size_t>(data[i]) << 8) | data[i + 1]) % patched.size()] = static_cast<char>(data[i + 2]);
        }
        file = std::move(patched);
    }
    const sx::PeResources pe([&file](uint64_t offset, size_t want) -> std::optional<std::string> {
        if (offset > file.size()) return std::string();
        return file.substr(static_cast<size_t>(offset), want);
    });
    for (uint32_t type : {sx::PeResources::kVersion, sx::PeResources::kGroupIcon, sx::PeResources::kIcon}) {
        const std::optional<std::string> found = pe.by_id(type, 1);
        check(!found || found->size() <= sx::PeResources::kDataMax);
    }
    const std::string group = pe.by_position(sx::PeResources::kGroupIcon, 0).value_or(std::string());
    const int id = sx::best_icon_id(group, 16, 16);
    const std::string image = pe.by_id(sx::PeResources::kIcon, static_cast<uint32_t>(id)).value_or(file);
    for (int side : {16, 32}) {
        const std::optional<sx::programinfo::IconPixels> icon = sx::programinfo::decode_icon(image, side, side);
        check(!icon || icon->argb.size() == static_cast<size_t>(side * side));
    }
    return 0;
}

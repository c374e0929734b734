#include "common/pe_resources.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <utility>
#include <vector>

namespace sx {

namespace {

constexpr size_t kHeadersRead = 4096;  // the DOS header, the PE headers and the section table
constexpr size_t kWindow = 16384;      // the least one read of the resources takes
constexpr size_t kSectionsMax = 96;    // the loader's own limit
constexpr size_t kEntriesMax = 4096;   // entries of one resource directory level
constexpr uint32_t kHighBit = 0x80000000u;
constexpr size_t kResourceDirectory = 2;

uint32_t u32(const std::string& d, size_t at) {
    if (at + 4 > d.size()) return 0;
    return static_cast<uint32_t>(static_cast<unsigned char>(d[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 3])) << 24;
}

uint16_t u16(const std::string& d, size_t at) {
    if (at + 2 > d.size()) return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8);
}

}  // namespace

PeResources::PeResources(ReadAt read) : read_(std::move(read)) {
    const std::string head = read_(0, kHeadersRead).value_or(std::string());
    if (head.size() < 64 || head[0] != 'M' || head[1] != 'Z') return;
    executable_ = true;
    const size_t pe = u32(head, 0x3C);
    if (pe > head.size() - 24 || head.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return;
    const size_t sections = u16(head, pe + 6);
    const size_t optional_size = u16(head, pe + 20);
    const size_t optional = pe + 24;
    const uint16_t magic = u16(head, optional);
    size_t directories = 0;
    if (magic == 0x10B) directories = optional + 96;
    else if (magic == 0x20B) directories = optional + 112;
    else return;
    const size_t count = u32(head, directories - 4);
    if (count <= kResourceDirectory || directories + 8 * (kResourceDirectory + 1) > optional + optional_size) return;
    const uint32_t address = u32(head, directories + 8 * kResourceDirectory);
    const uint32_t size = u32(head, directories + 8 * kResourceDirectory + 4);
    if (sections == 0 || sections > kSectionsMax) return;
    const size_t table = optional + optional_size;
    if (table + 40 * sections > head.size()) return;
    for (size_t i = 0; i < sections; ++i) {
        const size_t at = table + 40 * i;
        sections_.push_back({u32(head, at + 12), u32(head, at + 8), u32(head, at + 20), u32(head, at + 16)});
    }
    if (address == 0 || size == 0 || !file_offset(address, 16)) return;
    resources_ = address;
    resources_size_ = size;
}

std::optional<std::string> PeResources::exact(uint64_t offset, size_t size) const {
    const bool inside = offset >= window_at_ && offset - window_at_ + size <= window_.size();
    if (!inside) {
        std::optional<std::string> bytes = read_(offset, std::max(size, kWindow));
        if (!bytes || bytes->size() < size) return std::nullopt;
        window_ = std::move(*bytes);
        window_at_ = offset;
    }
    return window_.substr(static_cast<size_t>(offset - window_at_), size);
}

std::optional<uint64_t> PeResources::file_offset(uint32_t rva, uint32_t size) const {
    for (const Section& s : sections_) {
        const uint64_t extent = std::max(s.size, s.raw_size);
        if (rva < s.address || uint64_t{rva} - s.address >= extent) continue;
        const uint64_t inside = uint64_t{rva} - s.address;
        // Only what the file holds can be read; the rest of a section is zeros in memory.
        if (inside + size > s.raw_size) return std::nullopt;
        return uint64_t{s.raw_offset} + inside;
    }
    return std::nullopt;
}

std::optional<std::vector<PeResources::Entry>> PeResources::directory(uint32_t offset) const {
    if (offset >= resources_size_) return std::nullopt;
    const std::optional<uint64_t> at = file_offset(resources_ + offset, 16);
    if (!at) return std::nullopt;
    const std::optional<std::string> head = exact(*at, 16);
    if (!head) return std::nullopt;
    const size_t entries = size_t{u16(*head, 12)} + u16(*head, 14);
    if (entries == 0) return std::vector<Entry>{};
    if (entries > kEntriesMax) return std::nullopt;
    const std::optional<uint64_t> list_at = file_offset(resources_ + offset + 16, static_cast<uint32_t>(8 * entries));
    if (!list_at) return std::nullopt;
    const std::optional<std::string> list = exact(*list_at, 8 * entries);
    if (!list) return std::nullopt;
    std::vector<Entry> out;
    out.reserve(entries);
    for (size_t i = 0; i < entries; ++i) out.push_back({u32(*list, 8 * i), u32(*list, 8 * i + 4)});
    return out;
}

std::optional<std::string> PeResources::data_of(uint32_t entry_offset) const {
    if (entry_offset >= resources_size_) return std::nullopt;
    const std::optional<uint64_t> at = file_offset(resources_ + entry_offset, 16);
    if (!at) return std::nullopt;
    const std::optional<std::string> entry = exact(*at, 16);
    if (!entry) return std::nullopt;
    const uint32_t rva = u32(*entry, 0), size = u32(*entry, 4);
    if (size == 0 || size > kDataMax) return std::nullopt;
    const std::optional<uint64_t> data_at = file_offset(rva, size);
    if (!data_at) return std::nullopt;
    return exact(*data_at, size);
}

std::optional<std::string> PeResources::first_language(const Entry& name_entry) const {
    if (!(name_entry.target & kHighBit)) return std::nullopt;
    const std::optional<std::vector<Entry>> languages = directory(name_entry.target & ~kHighBit);
    if (!languages || languages->empty()) return std::nullopt;
    const Entry* chosen = &languages->front();
    for (const Entry& e : *languages) {
        if (e.name == 0) chosen = &e;  // the neutral language goes first
    }
    if (chosen->target & kHighBit) return std::nullopt;
    return data_of(chosen->target);
}

std::optional<std::vector<PeResources::Entry>> PeResources::names_of(uint32_t type) const {
    if (!valid()) return std::nullopt;
    const std::optional<std::vector<Entry>> types = directory(0);
    if (!types) return std::nullopt;
    for (const Entry& t : *types) {
        if (t.name == type && (t.target & kHighBit)) return directory(t.target & ~kHighBit);
    }
    return std::nullopt;
}

std::optional<std::string> PeResources::by_id(uint32_t type, uint32_t id) const {
    const std::optional<std::vector<Entry>> names = names_of(type);
    if (!names) return std::nullopt;
    for (const Entry& n : *names) {
        if (n.name == id) return first_language(n);
    }
    return std::nullopt;
}

std::optional<std::string> PeResources::by_position(uint32_t type, size_t index) const {
    const std::optional<std::vector<Entry>> names = names_of(type);
    if (!names || index >= names->size()) return std::nullopt;
    return first_language((*names)[index]);
}

int best_icon_id(std::string_view group, int width, int height, int depth) {
    // A directory: reserved, type 1 (icon) and a count, then 14-byte entries.
    const std::string dir(group);
    if (dir.size() < 6 || u16(dir, 2) != 1) return 0;
    const size_t count = std::min<size_t>(u16(dir, 4), (dir.size() - 6) / 14);
    struct Candidate {
        int width, height, bits, id;
    };
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + 14 * i;
        const int w = static_cast<unsigned char>(dir[at]) ? static_cast<unsigned char>(dir[at]) : 256;
        const int h = static_cast<unsigned char>(dir[at + 1]) ? static_cast<unsigned char>(dir[at + 1]) : 256;
        int bits = u16(dir, at + 6);
        if (bits == 0) {
            // Old directories give the number of colours instead.
            const int colours = static_cast<unsigned char>(dir[at + 2]);
            bits = colours == 2 ? 1 : colours == 16 ? 4 : colours == 0 ? 8 : 8;
        }
        candidates.push_back({w, h, bits, u16(dir, at + 12)});
    }
    int best = 0, best_size = INT32_MAX, best_depth = INT32_MAX;
    for (const Candidate& c : candidates) {
        const int size = std::abs(width - c.width) + std::abs(height - c.height);
        const int colour = std::abs(depth - c.bits);
        if (size < best_size || (size == best_size && colour < best_depth)) {
            best = c.id;
            best_size = size;
            best_depth = colour;
        }
    }
    return best;
}

}  // namespace sx

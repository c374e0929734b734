// Resources of a Windows executable (PE) file found without loading it: the headers, the resource
// directory and the data wanted are read at their offsets, each read bounded. Mapping a file as a
// resource image costs a lock and a server round trip per step that list fills on several threads
// would queue behind; plain reads do not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sx {

// Reads up to `size` bytes at `offset` (fewer at the end of the file); nothing when it cannot read.
using ReadAt = std::function<std::optional<std::string>(uint64_t offset, size_t size)>;

class PeResources {
public:
    static constexpr uint32_t kIcon = 3, kGroupIcon = 14, kVersion = 16;
    // Data larger than this is never read (a version block or an icon is far smaller).
    static constexpr size_t kDataMax = 1024 * 1024;

    explicit PeResources(ReadAt read);
    // True when the file starts like an executable; valid() when its resources could be followed.
    bool executable() const { return executable_; }
    bool valid() const { return resources_ != 0; }

    // The data of resource (type, id), in the language Windows would pick when one is neutral or
    // the only one, else the first; nothing when there is none.
    std::optional<std::string> by_id(uint32_t type, uint32_t id) const;
    // The data of the index-th resource of `type`, in the order the system lists them (named ones,
    // then numbered ones by number).
    std::optional<std::string> by_position(uint32_t type, size_t index) const;

private:
    struct Entry {
        uint32_t name;    // the id, or the offset of the name with the top bit set
        uint32_t target;  // the offset of a subdirectory (top bit set) or of a data entry
    };
    std::optional<std::vector<Entry>> directory(uint32_t offset) const;
    // The name level of resource type `type`.
    std::optional<std::vector<Entry>> names_of(uint32_t type) const;
    std::optional<std::string> data_of(uint32_t entry_offset) const;
    std::optional<std::string> first_language(const Entry& name_entry) const;
    std::optional<uint64_t> file_offset(uint32_t rva, uint32_t size) const;
    // Exactly `size` bytes at `offset`, or nothing.
    std::optional<std::string> exact(uint64_t offset, size_t size) const;

    ReadAt read_;
    // The last piece read: directories and small data lie close together, so one read serves many.
    mutable std::string window_;
    mutable uint64_t window_at_ = 0;
    struct Section {
        uint32_t address, size, raw_offset, raw_size;
    };
    std::vector<Section> sections_;
    uint32_t resources_ = 0;  // the resource directory's address; 0 when the file has none
    uint32_t resources_size_ = 0;
    bool executable_ = false;
};

// The RT_ICON id an icon group directory offers for this size, chosen as the system chooses for a
// display of `depth` bits: the closest size, then the closest colour depth; 0 when it offers none.
int best_icon_id(std::string_view group, int width, int height, int depth = 32);

}  // namespace sx

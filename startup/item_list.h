// The shared list of items every page shows: startup entries, and the records of the other
// inventories, which reuse the same record with their own type codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sx {
struct AppState;
}

namespace sx::startup {

// Field limits of the data model, enforced where a record is built.
inline constexpr size_t kTitleMax = 127;
inline constexpr size_t kCommandMax = 259;
inline constexpr size_t kLocationMax = 259;
inline constexpr size_t kDescriptionMax = 1023;

struct StartupEntry {
    std::string title;
    std::string command;
    std::string location;
    std::string description;
    int type = 0;
    int flag = 0;
};

class ItemList {
public:
    static constexpr size_t kCapacity = 4096;

    size_t count() const { return entries_.size(); }
    bool full() const { return entries_.size() >= kCapacity; }
    // Nullptr for an index whose record is gone.
    const StartupEntry* at(size_t index) const { return index < entries_.size() ? &entries_[index] : nullptr; }
    StartupEntry* at(size_t index) { return index < entries_.size() ? &entries_[index] : nullptr; }
    bool set_type(size_t index, int type);
    bool push(StartupEntry entry);
    void clear() { entries_.clear(); }

    const std::vector<StartupEntry>& entries() const { return entries_; }

private:
    std::vector<StartupEntry> entries_;
};

// A record's title: cut to its limit; when empty, the file name of the stored command without its
// last four characters; a title containing "Sentrix" becomes the program's caption.
std::string entry_title(std::string_view title, std::string_view stored_command, std::string_view caption);

// Adds a record by the list's rules (limits, quote removal, long-path form, derived and replaced
// titles); 1 when added, 0 when refused.
int AddItem(AppState& app, std::string_view title, std::string_view command, std::string_view location,
            std::string_view description, int type, int flag);
void ClearItems(AppState& app);

}  // namespace sx::startup

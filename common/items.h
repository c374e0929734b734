// The shared list of items every page shows: startup entries, and the records of the other
// inventories, which reuse the same record with their own type codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sx {

// Where an item comes from: the program-wide type codes.
namespace code {
// The Run family: base code + 0 for HKLM, + 10 for HKCU, + 20 for HKLM's 32-bit view.
constexpr int run = 1, run_once = 2, run_once_ex = 3, run_services = 4, run_services_once = 5,
              run_once_setup = 6, policy_run = 7;
constexpr int hive_user = 10, hive_wow64 = 20;
constexpr int win_load = 100, win_run = 101;
constexpr int startup_group = 200;
constexpr int userinit = 250, shell = 251, delay_load = 252, task_scheduler = 253, shell_hook = 254,
              appinit = 255, notify = 256;
constexpr int hidden_file = 370, file_type = 400, cookie = 500, process = 600, service_exe = 700,
              service_host = 701, scheduled_task = 800, bho = 900, toolbar = 901, extension = 902,
              activex = 1200;
}  // namespace code

// Field limits of the data model, enforced where a record is built.
inline constexpr size_t kTitleMax = 127;
inline constexpr size_t kCommandMax = 259;
inline constexpr size_t kLocationMax = 259;
inline constexpr size_t kDescriptionMax = 1023;

// The registry view a record was read from. The program is 64-bit and sees the native view; the
// 32-bit programs of the system (the 32-bit browser among them) read the keys below Wow6432Node.
enum class View : int { native, wow32 };

struct StartupEntry {
    std::string title;
    std::string command;
    std::string location;
    std::string description;
    int type = 0;
    int flag = 0;
    // Browser add-ons and controls remember where they were registered, so a change acts there.
    View view = View::native;
    // The name the system knows the item by where the title is only for show (a service's key name).
    std::string id;
    // A history record's further field: what a removal kept beside the entry to put it back as it
    // was (Windows' own startup switch of it).
    std::string extra;
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

}  // namespace sx

// An in-memory file system with Windows path rules: case-insensitive names, backslashes, attributes,
// "." and ".." in every listing, a move that refuses an existing target.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/support/fault_plan.h"

namespace sx::fake {

class FakeFiles : public platform::Files {
public:
    struct Node {
        std::string name;  // as created
        bool folder = false;
        uint32_t attributes = platform::attr::archive;
        std::string content;
        std::optional<std::string> version;  // raw VS_VERSIONINFO block
        std::string icon;                     // image bytes of its first icon at the small size
        platform::FileFacts facts;
        bool locked = false;  // in use: facts and reads fail like a file opened without sharing
    };

    FakeFiles() { add_folder("C:\\windows\\system32"); }

    uint32_t attributes(std::string_view path) override;
    bool set_attributes(std::string_view path, uint32_t attributes) override;
    bool list(std::string_view folder, std::vector<platform::DirEntry>& out) override;
    bool move(std::string_view from, std::string_view to) override;
    bool copy(std::string_view from, std::string_view to, bool fail_if_exists) override;
    bool remove(std::string_view path) override;
    bool make_folder(std::string_view path) override;
    std::optional<std::string> read(std::string_view path, size_t limit) override;
    bool write(std::string_view path, std::string_view bytes) override;
    bool append(std::string_view path, std::string_view bytes) override;
    std::optional<platform::FileFacts> facts(std::string_view path) override;
    std::optional<std::string> version_block(std::string_view path) override;
    platform::ProgramResources program_resources(std::string_view path, int icon_index) override;
    std::string long_path(std::string_view path) override;
    std::string short_path(std::string_view path) override;
    bool delete_on_reboot(std::string_view path) override;

    // Test conveniences. add_file creates missing folders.
    Node& add_file(std::string_view path, std::string_view content = {});
    void add_folder(std::string_view path);
    bool exists(std::string_view path);
    std::string content(std::string_view path);
    // A short alias for a long path (as GetShortPathNameA would give it), both ways. Without one, the short
    // form is the path spelt as its parts were created, and the long form respells only the parts that
    // are valid 8.3 names (as GetLongPathNameA does).
    void add_short_name(std::string_view long_path, std::string_view short_path);
    std::vector<std::string> reboot_deletions;

    FaultPlan faults;

private:
    // The time stamped on files and folders the program creates or writes (2026-12-06 20:22:53 UTC, the
    // fake system clock); files made with add_file keep the times the test gives them.
    static constexpr uint64_t now_ticks = 134410621730000000ULL;

    Node* find(std::string_view path);
    static bool writable(const Node* n) { return !n->folder && !n->locked && !(n->attributes & platform::attr::readonly); }
    static std::string key(std::string_view path);
    bool is_folder(std::string_view path);
    bool place(std::string_view to, Node node);
    std::string resolve_alias(std::string_view path);
    std::string stored_spelling(std::string_view path, bool short_parts_only);
    static bool legal_short_name(std::string_view name);

    std::map<std::string, Node> nodes_;               // by folded full path
    std::map<std::string, std::string> short_of_;     // folded long path -> short path
    std::map<std::string, std::string> long_of_;      // folded short path -> long path
};

}  // namespace sx::fake

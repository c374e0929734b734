#include "tests/support/fake_files.h"

#include <algorithm>

#include "common/text.h"

namespace sx::fake {

using platform::attr::directory;
using platform::attr::invalid;

std::string FakeFiles::key(std::string_view path) {
    std::string k;
    for (char c : path) k += fold_ascii(c);
    while (!k.empty() && k.back() == '\\') k.pop_back();
    return k;
}

std::string FakeFiles::resolve_alias(std::string_view path) {
    auto it = long_of_.find(key(path));
    return it == long_of_.end() ? std::string(path) : it->second;
}

FakeFiles::Node* FakeFiles::find(std::string_view path) {
    auto it = nodes_.find(key(resolve_alias(path)));
    return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeFiles::is_folder(std::string_view path) {
    Node* n = find(path);
    return n && n->folder;
}

// A copy of `node` under the name `to`.
bool FakeFiles::place(std::string_view to, Node node) {
    if (!is_folder(folder_part(to))) return false;
    node.name = std::string(file_part(to));
    nodes_[key(to)] = std::move(node);
    return true;
}

uint32_t FakeFiles::attributes(std::string_view path) {
    if (faults.should_fail("files.attributes", path)) return invalid;
    Node* n = find(path);
    if (!n) return invalid;
    return n->folder ? (n->attributes | directory) : n->attributes;
}

bool FakeFiles::set_attributes(std::string_view path, uint32_t attributes) {
    if (faults.should_fail("files.set_attributes", path)) return false;
    Node* n = find(path);
    if (!n) return false;
    // As on Wine: a file always keeps its archive bit (hidden reads 0x22, normal 0x20); a folder never
    // shows one.
    n->attributes = attributes & ~(directory | platform::attr::normal | platform::attr::archive);
    if (!n->folder) n->attributes |= platform::attr::archive;
    return true;
}

bool FakeFiles::list(std::string_view folder, std::vector<platform::DirEntry>& out) {
    out.clear();
    if (faults.should_fail("files.list", folder)) return false;
    Node* n = find(folder);
    if (!n || !n->folder) return false;
    const std::string prefix = key(resolve_alias(folder)) + "\\";
    out.push_back({".", directory});
    out.push_back({"..", directory});
    for (auto& [k, node] : nodes_) {
        if (k.size() <= prefix.size() || k.compare(0, prefix.size(), prefix) != 0) continue;
        if (k.find('\\', prefix.size()) != std::string::npos) continue;
        out.push_back({node.name, node.folder ? (node.attributes | directory) : node.attributes});
    }
    return true;
}

bool FakeFiles::move(std::string_view from, std::string_view to) {
    if (faults.should_fail("files.move", from)) return false;
    Node* source = find(from);
    // Folders are never moved by the program.
    if (!source || source->folder || find(to) || !place(to, *source)) return false;
    nodes_.erase(key(resolve_alias(from)));
    return true;
}

bool FakeFiles::copy(std::string_view from, std::string_view to, bool fail_if_exists) {
    if (faults.should_fail("files.copy", from)) return false;
    Node* source = find(from);
    if (!source || source->folder || source->locked) return false;
    Node* existing = find(to);
    if (existing && (fail_if_exists || existing->folder || existing->locked)) return false;
    return place(to, *source);
}

bool FakeFiles::remove(std::string_view path) {
    if (faults.should_fail("files.remove", path)) return false;
    Node* n = find(path);
    if (!n || !writable(n)) return false;
    nodes_.erase(key(resolve_alias(path)));
    return true;
}

bool FakeFiles::make_folder(std::string_view path) {
    if (faults.should_fail("files.make_folder", path)) return false;
    if (find(path) || !is_folder(folder_part(path))) return false;
    Node& n = nodes_[key(path)];
    n.name = std::string(file_part(path));
    n.folder = true;
    n.attributes = 0;
    n.facts.created = n.facts.written = n.facts.accessed = now_ticks;
    return true;
}

std::optional<std::string> FakeFiles::read(std::string_view path, size_t limit) {
    if (faults.should_fail("files.read", path)) return std::nullopt;
    Node* n = find(path);
    if (!n || n->folder || n->locked) return std::nullopt;
    return n->content.substr(0, limit);
}

bool FakeFiles::write(std::string_view path, std::string_view bytes) {
    if (faults.should_fail("files.write", path)) return false;
    Node* n = find(path);
    if (n && !writable(n)) return false;
    if (!n) {
        if (!is_folder(folder_part(path))) return false;
        n = &nodes_[key(path)];
        n->name = std::string(file_part(path));
        n->facts.created = now_ticks;
    }
    n->content = std::string(bytes);
    n->facts.written = n->facts.accessed = now_ticks;
    return true;
}

bool FakeFiles::append(std::string_view path, std::string_view bytes) {
    if (faults.should_fail("files.append", path)) return false;
    Node* n = find(path);
    if (!n) return write(path, bytes);
    if (!writable(n)) return false;
    n->content += bytes;
    n->facts.written = n->facts.accessed = now_ticks;
    return true;
}

std::optional<platform::FileFacts> FakeFiles::facts(std::string_view path) {
    if (faults.should_fail("files.facts", path)) return std::nullopt;
    Node* n = find(path);
    if (!n || n->folder || n->locked) return std::nullopt;
    platform::FileFacts f = n->facts;
    if (!f.size) f.size = n->content.size();
    return f;
}

std::optional<std::string> FakeFiles::version_block(std::string_view path) {
    if (faults.should_fail("files.version_block", path)) return std::nullopt;
    Node* n = find(path);
    if (!n || n->folder) return std::nullopt;
    return n->version;
}

platform::ProgramResources FakeFiles::program_resources(std::string_view path, int icon_index) {
    if (faults.should_fail("files.program_resources", path)) return {};
    Node* n = find(path);
    if (!n || n->folder || n->locked) return {};
    return {n->version, icon_index == 0 ? n->icon : std::string()};
}

bool FakeFiles::legal_short_name(std::string_view name) {
    const size_t dot = name.find('.');
    if (name.empty() || name.find_first_of("*?<>|\"+=,;[]:/\\") != std::string_view::npos) return false;
    if (dot == std::string_view::npos) return name.size() <= 8;
    return dot > 0 && dot <= 8 && name.find('.', dot + 1) == std::string_view::npos && name.size() - dot - 1 <= 3;
}

std::string FakeFiles::stored_spelling(std::string_view path, bool short_parts_only) {
    // The first part (the drive) stays as given; the others take the case they were created with (for the
    // long form, as GetLongPathNameA does, only the parts that are valid 8.3 names).
    std::string out;
    for (size_t start = 0, end = 0; start <= path.size(); start = end + 1) {
        end = std::min(path.find('\\', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        auto it = start > 0 && !part.empty() && (!short_parts_only || legal_short_name(part))
                      ? nodes_.find(key(path.substr(0, end)))
                      : nodes_.end();
        out += (start > 0 ? "\\" : "") + (it == nodes_.end() ? std::string(part) : it->second.name);
    }
    return out;
}

std::string FakeFiles::long_path(std::string_view path) {
    if (faults.should_fail("files.long_path", path)) return {};
    if (!find(path)) return {};
    auto it = long_of_.find(key(path));
    return it == long_of_.end() ? stored_spelling(path, true) : it->second;
}

std::string FakeFiles::short_path(std::string_view path) {
    if (faults.should_fail("files.short_path", path)) return {};
    if (!find(path)) return {};
    auto it = short_of_.find(key(path));
    return it == short_of_.end() ? stored_spelling(path, false) : it->second;
}

bool FakeFiles::delete_on_reboot(std::string_view path) {
    if (faults.should_fail("files.delete_on_reboot", path)) return false;
    reboot_deletions.emplace_back(path);
    return true;
}

FakeFiles::Node& FakeFiles::add_file(std::string_view path, std::string_view content) {
    add_folder(folder_part(path));
    Node& n = nodes_[key(path)];
    n.name = std::string(file_part(path));
    n.folder = false;
    n.content = std::string(content);
    return n;
}

void FakeFiles::add_folder(std::string_view path) {
    for (size_t end = 0; end < path.size(); ++end) {
        end = std::min(path.find('\\', end), path.size());
        if (end == 0 || path[end - 1] == '\\') continue;
        Node& n = nodes_[key(path.substr(0, end))];
        if (n.name.empty()) {
            n.name = std::string(file_part(path.substr(0, end)));
            n.folder = true;
            n.attributes = 0;
        }
    }
}

bool FakeFiles::exists(std::string_view path) { return find(path) != nullptr; }

std::string FakeFiles::content(std::string_view path) {
    Node* n = find(path);
    return n ? n->content : std::string();
}

void FakeFiles::add_short_name(std::string_view long_path, std::string_view short_path) {
    short_of_[key(long_path)] = std::string(short_path);
    long_of_[key(short_path)] = std::string(long_path);
}

}  // namespace sx::fake

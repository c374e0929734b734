// Files, folders and version resources through the ANSI kernel32 calls.
#pragma once

#include "platform/files.h"

namespace sx::win32 {

class Win32Files : public platform::Files {
public:
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
};

}  // namespace sx::win32

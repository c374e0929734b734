#include "programinfo/first_detected.h"

#include <array>

#include "programinfo/resolve.h"
#include "settings/store.h"

namespace sx::programinfo {

namespace {

// Type codes below this are the startup locations, delayed-start and disabled entries included.
constexpr int kFirstNonStartupType = 300;

struct Category {
    int type;
    std::string_view name;
};

constexpr std::string_view kStartup = "Startup";
constexpr std::string_view kActiveTasks = "ActiveTasks";

constexpr std::array<Category, 10> kCategories = {{
    {370, "Hidden"},
    {400, "FileTypes"},
    {600, kActiveTasks},
    {700, "Services"},
    {701, "Services"},
    {800, "Tasks"},
    {900, "IEHelper"},
    {901, "IEHelper"},
    {902, "IEHelper"},
    {1200, "ActiveX"},
}};

}  // namespace

std::string_view detected_category(int type) {
    if (type < kFirstNonStartupType) return kStartup;
    for (const Category& c : kCategories) {
        if (c.type == type) return c.name;
    }
    return kActiveTasks;
}

std::string category_key(int type) {
    std::string path(settings::kDetectedKey);
    path += '\\';
    path += detected_category(type);
    return path;
}

std::string ReadFirstDetected(platform::Platform& os, std::string_view key, int type) {
    // An empty name would read the category's default value, which belongs to no item.
    if (key.empty()) return {};
    return settings::read_text(os, platform::Root::current_user, category_key(type), key, kDetectedBuffer);
}

const settings::KeyTexts& DetectedTexts::category(int type) {
    const std::string_view name = detected_category(type);
    auto found = categories_.find(name);
    if (found == categories_.end()) {
        found = categories_
                    .emplace(name, settings::KeyTexts(os_, platform::Root::current_user, category_key(type),
                                                      kDetectedBuffer))
                    .first;
    }
    return found->second;
}

std::string DetectedTexts::text(std::string_view path, int type) {
    return path.empty() ? std::string() : category(type).text(path);
}

int RecordFirstDetected() { return 0; }

std::string first_detected_text(platform::Platform& os, std::string_view command, int type) {
    const std::string path = programinfo::full_program_path(os, command);
    std::string text = ReadFirstDetected(os, path, type);
    if (text.empty()) {
        RecordFirstDetected();
        text = ReadFirstDetected(os, path, type);
    }
    return text;
}

}  // namespace sx::programinfo

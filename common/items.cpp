#include "common/items.h"

#include "common/text.h"

namespace sx {

bool ItemList::set_type(size_t index, int type) {
    if (index >= entries_.size()) return false;
    entries_[index].type = type;
    return true;
}

bool ItemList::push(StartupEntry entry) {
    if (full()) return false;
    entries_.push_back(std::move(entry));
    return true;
}

std::string entry_title(std::string_view title, std::string_view stored_command, std::string_view caption) {
    std::string result = cut(title, kTitleMax);
    if (result.empty()) {
        std::string_view name = file_part(stored_command);
        result = cut(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0), kTitleMax);
    }
    if (matches(result, "Sentrix")) result = cut(caption, kTitleMax);
    return result;
}

}  // namespace sx

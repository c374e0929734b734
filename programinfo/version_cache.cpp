#include "programinfo/version_cache.h"

#include "app/text.h"

namespace sx::programinfo {

bool VersionCache::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return icompare(a, b) < 0;
}

const VersionTexts& VersionCache::get(platform::Platform& os, std::string_view file) {
    auto found = entries_.find(file);
    if (found != entries_.end()) return found->second;
    if (entries_.size() >= kMaxFiles) entries_.clear();
    VersionTexts texts;
    ReadVersionTexts(os, file, texts);
    return entries_.emplace(std::string(file), std::move(texts)).first->second;
}

bool VersionCache::read(platform::Platform& os, std::string_view file, VersionTexts& out) {
    out = get(os, file);
    return !out.ProductName.empty();
}

}  // namespace sx::programinfo

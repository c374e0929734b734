#include "common/versions.h"

#include "common/text.h"

namespace sx {

std::string& VersionTexts::slot(size_t i) {
    switch (i % kCount) {
    case 0: return ProductName;
    case 1: return ProductVersion;
    case 2: return CompanyName;
    case 3: return FileDescription;
    default: return LegalCopyright;
    }
}

const std::string& VersionTexts::slot(size_t i) const { return const_cast<VersionTexts*>(this)->slot(i); }

bool VersionCache::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return icompare(a, b) < 0;
}

const VersionTexts& VersionCache::get(std::string_view file, const Reader& read) {
    auto found = entries_.find(file);
    if (found != entries_.end()) return found->second;
    if (entries_.size() >= kMaxFiles) entries_.clear();
    VersionTexts texts;
    read(file, texts);
    return entries_.emplace(std::string(file), std::move(texts)).first->second;
}

}  // namespace sx

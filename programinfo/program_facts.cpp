#include "programinfo/program_facts.h"

#include "programinfo/version_texts.h"

namespace sx::programinfo {

ProgramFacts ReadProgramFacts(platform::Platform& os, std::string_view file, const IconWanted& icon) {
    ProgramFacts facts;
    if (file.empty()) return facts;
    platform::ProgramResources found = os.files.program_resources(file, icon.index);
    if (found.version) {
        version_texts_from_block(*found.version, [&os](std::u16string_view text) { return os.system.to_ansi(text); },
                                 facts.versions);
    }
    if (!found.icon.empty()) {
        facts.icon = decode_icon(found.icon, icon.width, icon.height);
        if (!facts.icon) facts.icon_resource = std::move(found.icon);
    }
    return facts;
}

}  // namespace sx::programinfo

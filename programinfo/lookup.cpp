#include "programinfo/lookup.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::programinfo {

namespace {

constexpr uint16_t kLanguageGerman = 7;
constexpr uint16_t kLanguageFrench = 12;
constexpr size_t kLanguageCodeBuffer = 8;
constexpr size_t kValueBuffer = kPathMax + 1;

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

// A site address the program may put on a command line and in front of a request.
bool usable_site(std::string_view site) {
    const size_t scheme = starts_with_nocase(site, "https://") ? 8 : starts_with_nocase(site, "http://") ? 7 : 0;
    if (scheme == 0 || site.size() <= scheme || site.size() > kSiteMax) return false;
    for (char c : site) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == '"' || byte == 0x7F) return false;
    }
    return true;
}

void add(std::string& address, std::string_view key, std::string_view value) {
    address += key;
    address += percent_encode(value);
}

// The text after the first "." of a file name; empty when it has none.
std::string_view extension_of(std::string_view name) {
    const size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view first_format_language(uint16_t language_id) {
    if (language_id == kLanguageGerman) return "de";
    if (language_id == kLanguageFrench) return "fr";
    return "en";
}

std::string trimmed_folder(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == ';')) folder.pop_back();
    return folder;
}

}  // namespace

std::string vendor_site(platform::Platform& os) {
    std::string site = settings::read_text(os, platform::Root::current_user, settings::kSentrixKey, kVendorSiteValue,
                                           kValueBuffer);
    if (!usable_site(site)) return std::string(kVendorSite);
    if (site.back() != '/') site += '/';
    return site;
}

std::string percent_encode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

LookupFacts lookup_facts(AppState& app, int type, std::string_view command) {
    LookupFacts f;
    f.type = type;
    f.command = std::string(command);
    f.program = std::string(file_part(ResolveProgramPath(app.os, command)));
    const std::string file = full_program_path(app.os, command);
    ReadVersionTexts(app.os, file, f.versions);
    ReadFileFacts(app, file, type, f.facts);
    VersionTexts own;
    ReadVersionTexts(app.os, app.os.system.program_file(), own);
    f.build = own.ProductVersion;
    f.language_id = app.language_id;
    settings::load_string(app, IDS_LANGUAGE_CODE, f.language_code, static_cast<int>(kLanguageCodeBuffer));
    return f;
}

std::string lookup_address(std::string_view site, const LookupFacts& f, bool second_format) {
    std::string address(site);
    address += second_format ? kRequestScript2 : kRequestScript;
    add(address, "?program=", f.program);
    add(address, "&vendor=", f.versions.CompanyName);
    if (!second_format) add(address, "&version=", f.versions.ProductVersion);
    add(address, "&build=", f.build);
    address += "&Type=" + std::to_string(f.type);
    if (second_format) {
        add(address, "&ext=", extension_of(f.program));
        add(address, "&Loc=", f.language_code.empty() ? std::string_view("en") : std::string_view(f.language_code));
        add(address, "&version=", f.versions.ProductVersion);
        add(address, "&name=", f.versions.ProductName);
        add(address, "&copy=", f.versions.LegalCopyright);
        add(address, "&detail=", f.versions.FileDescription);
        add(address, "&created=", f.facts.created);
        add(address, "&detected=", f.facts.first_detected);
        add(address, "&fsize=", f.facts.size);
        add(address, "&path=", f.command);
    } else {
        add(address, "&Loc=", first_format_language(f.language_id));
        add(address, "&ext=", extension_of(f.program));
    }
    return address;
}

bool aol_browser_running(platform::Platform& os) {
    static constexpr std::string_view kFrameTitles[] = {"America  Online", "America Online", "AOL", "AOL Canada"};
    for (std::string_view title : kFrameTitles) {
        if (os.shell.find_window("AOL Frame25", title)) return true;
    }
    return os.shell.find_window("AOL Frame", "America  Online");
}

std::string aol_command_line(platform::Platform& os, std::string_view address) {
    const std::string folder = trimmed_folder(os.profile.read({}, "WAOL", "AppPath", kValueBuffer));
    const std::string program = folder.empty() ? std::string("waol.exe") : folder + "\\WAOL.EXE";
    return "\"" + program + "\" -u \"" + std::string(address) + "\"";
}

bool OpenInInternetExplorer(AppState& app, std::string_view address) {
    const std::string folder = trimmed_folder(
        settings::read_text(app.os, platform::Root::local_machine, kIexploreAppPathKey, "Path", kValueBuffer));
    if (folder.empty()) return false;
    const std::string program = folder + "\\iexplore.exe";
    return app.os.processes.launch(program, "\"" + program + "\" " + std::string(address), {}, platform::kShowNormal);
}

bool LookupProgramOnline(AppState& app, int type, std::string_view command, platform::WindowRef owner) {
    platform::Platform& os = app.os;
    const LookupFacts facts = lookup_facts(app, type, command);
    if (facts.program.empty()) return false;
    const bool second_format = app.settings.zentra_format != 0;
    const std::string address = lookup_address(vendor_site(os), facts, second_format);

    bool opened = false;
    if (aol_browser_running(os)) {
        opened = os.shell.run(aol_command_line(os, address), platform::kShowNormal);
    } else if (!second_format) {
        opened = os.shell.execute(owner, "open", address, {}, {}, platform::kShowNormal) ||
                 OpenInInternetExplorer(app, address);
    } else {
        // The user's own temporary folder: the program's folder is not the user's to write.
        const std::string temp = os.system.temp_folder();
        const std::string shortcut = temp.empty() ? std::string() : temp + std::string(kShortcutFile);
        if (!shortcut.empty() && os.shell.save_internet_shortcut(shortcut, address)) {
            opened = os.shell.open_and_wait(owner, shortcut, kShortcutWaitMs);
        } else {
            opened = os.shell.execute(owner, "open", address, {}, {}, platform::kShowNormal);
        }
        // Gone whether it opened or not, and whatever a failed save left behind.
        if (!shortcut.empty()) os.files.remove(shortcut);
        if (!opened && settings::read_option(os, "BrowserFailure", 0) != 0) opened = OpenInInternetExplorer(app, address);
    }
    if (!opened) {
        os.prompts.tell(fill_in(settings::load_string(app, IDS_LOOKUP_NOT_OPENED), facts.program),
                        platform::Icon::exclamation);
    }
    return opened;
}

}  // namespace sx::programinfo

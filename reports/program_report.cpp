#include "reports/program_report.h"

#include "common/text.h"
#include "inventory/activex.h"
#include "inventory/hidden_files.h"
#include "inventory/ie_helpers.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "reports/file_types.h"
#include "reports/gather.h"
#include "reports/report_text.h"
#include "settings/strings.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/item_list.h"
#include "startup/windows_switch.h"

namespace sx::reports {

namespace {

constexpr char kBullet = '\x95';  // a bullet in code page 1252
constexpr std::string_view kTitle = "Sentrix Report Log";
constexpr unsigned kSectionTitles[section_count] = {IDS_TAB_STARTUP,      IDS_SECTION_DELAYED_START, IDS_TAB_ACTIVE_TASKS,
                                                    IDS_TAB_SCHEDULED_TASKS, IDS_TAB_IE_HELPERS,     IDS_SECTION_FILE_TYPES,
                                                    IDS_TAB_SERVICES,     IDS_TAB_HIDDEN_FILES,      IDS_TAB_ACTIVEX};
constexpr int kIndexedSections = 7;

std::string h(std::string_view text) { return html_escape(text); }

bool shown(const ReportEntry& e) { return !e.entry.title.empty() || !e.entry.command.empty(); }

std::string file_name(const ReportEntry& e) { return std::string(file_part(e.entry.command)); }

// Steps 2 to 13 of an entry: what is known of its program, its section's own lines and the link.
std::string html_details(const ReportEntry& e, int section, const ProgramReportRecords& r) {
    const VersionTexts& v = e.versions;
    std::string out;
    if (!v.FileDescription.empty()) out += "\t" + h(v.FileDescription) + "<br>";
    if (!v.ProductVersion.empty()) {
        out += "\tVersion: " + h(v.ProductVersion) + "&nbsp;&nbsp;&nbsp;&nbsp&nbsp;&nbsp;&nbsp;&nbsp\r\n";
    }
    if (!v.LegalCopyright.empty()) out += "\t" + h(v.LegalCopyright) + "<br>\r\n";
    if (v.FileDescription.empty() && v.LegalCopyright.empty()) out += "<br>";
    if (!e.location.empty()) out += "\tLocation: " + h(e.location) + "<br>\r\n";
    if (!e.entry.command.empty()) out += "\tPath:     " + h(e.entry.command) + "<br>\r\n";
    if (!e.first_detected.empty()) out += "\tFirst Detected by Sentrix: " + h(e.first_detected) + "<br>\r\n";
    if (!e.entry.description.empty()) out += "\t" + h(e.entry.description) + "<br>\r\n";
    if (section == services) {
        out += "\tStartup Type: " + h(e.entry.location) + "<br>\r\n";
        if (e.service_status && !e.service_status->empty()) out += "\tService Status: " + h(*e.service_status) + "<br>\r\n";
    } else if (section == hidden_files) {
        out += "\tCreated: " + h(e.facts.created) + "<br>\r\n";
        out += "\tAccessed: " + h(e.facts.accessed) + "<br>\r\n";
        out += "\tWritten: " + h(e.facts.written) + "<br>\r\n";
        out += "\tFile Size: " + h(e.facts.size) + " Bytes<br>\r\n";
    } else if (section == ie_helpers) {
        out += h(r.location_label) + ": \"HKLM\\" + h(e.registration) + "\"<br>\r\n";
    }
    out += "\t<A href='" + h(info_link(e, r.env)) + "'>Click for Zentra Info</A></ol>\r\n\r\n";
    out += "\t</ol><br>\r\n\r\n";
    return out;
}

std::string html_entry(const ReportEntry& e, int section, const ProgramReportRecords& r) {
    std::string out;
    if (section == hidden_files && !e.entry.title.empty()) {
        out = "<li><b>" + h(file_name(e)) + "</b>\r\n\t<ol>\r\n";
    } else {
        const std::string title = e.entry.title.empty() ? std::string("No Description available") : e.entry.title;
        out = "<li><b>" + h(title) + "</b>\r\n\t<ol>" + h(file_name(e)) +
              "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp\r\n";
    }
    return out + html_details(e, section, r);
}

ReportEntry entry_of(AppState& s, size_t index) {
    ReportEntry e;
    e.entry = *s.items.at(index);
    e.program_file = programinfo::ResolveProgramPath(s.os, e.entry.command);
    e.versions = programinfo::cached_version_texts(s, e.program_file);
    e.location = startup::LocationText(s, index) + startup::WindowsSwitchText(s, index);
    e.first_detected = programinfo::ReadFirstDetected(s.os, programinfo::full_program_path(s.os, e.entry.command), e.entry.type);
    return e;
}

}  // namespace

std::string_view program_report_name(int format) { return format == 0 ? kHtmlReportName : kTextReportName; }

std::string info_link(const ReportEntry& e, const Environment& env) {
    const std::string program = e.program_file.empty() ? e.entry.title : std::string(file_part(e.program_file));
    return env.site + std::string(programinfo::kRequestScript) + "?program=" + percent_encode(program) +
           "&vendor=" + percent_encode(e.versions.CompanyName) + "&version=" + percent_encode(e.versions.ProductVersion) +
           "&build=" + percent_encode(env.version) + format("&Type=%d", e.entry.type) + "&Loc=" + percent_encode(env.language);
}

std::string program_report_html(const ProgramReportRecords& r) {
    std::string out = "<html><head><title>\r\n" + std::string(kTitle) + "</title></head>\r\n<body bgcolor=FloralWhite>\r\n";
    out += "<H2 align='center'> " + std::string(kTitle) + " </H2>\r\n";
    out += report_header_html(r.env);
    for (const ReportSection& section : r.sections) {
        if (section.index < kIndexedSections) {
            out += format("<A href='%s#A%d'>%s</A><br>\r\n", kHtmlReportName.data(), section.index, h(section.title).c_str());
        }
    }
    for (const ReportSection& section : r.sections) {
        out += format("<A NAME=\"A%d\">\r\n", section.index);
        out += std::string("<center><b><BIG><BIG> ") + kBullet + " " + h(section.title) + " " + kBullet +
               " </BIG></BIG></b></center>\r\n";
        for (const ReportEntry& e : section.entries) {
            if (shown(e)) out += html_entry(e, section.index, r);
        }
    }
    return out + "</body></html>\r\n";
}

std::string program_report_text(const ProgramReportRecords& r) {
    std::string out = "Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\r\n";
    for (const ReportSection& section : r.sections) {
        out += one_line(section.title) + "\r\n";
        for (const ReportEntry& e : section.entries) {
            if (!shown(e)) continue;
            out += one_line(e.entry.title) + "\t" + one_line(file_name(e)) + "\t";
            if (r.format != 1) {
                out += html_details(e, section.index, r);
                continue;
            }
            for (const std::string* field : {&e.versions.FileDescription, &e.versions.ProductVersion,
                                             &e.versions.LegalCopyright, &e.location}) {
                out += one_line(*field) + "\t";
            }
            out += one_line(e.entry.command) + "\r\n";
        }
    }
    return out;
}

ProgramReportRecords GatherProgramReport(AppState& app) {
    ReportState state(app);
    AppState& s = *state;
    ProgramReportRecords r;
    r.env = GatherEnvironment(s);
    r.format = app.settings.format;
    r.location_label = settings::load_string(s, IDS_LOCATION);
    for (int index = 0; index < section_count; ++index) {
        std::optional<inventory::ServiceStates> states;
        switch (index) {
            case startup_programs: startup::EnumerateStartups(s, false); break;
            case delayed_start: startup::EnumerateDelayed(s); break;
            case active_tasks: startup::ListProcesses(s); break;
            case scheduled_tasks: inventory::ListScheduledTasks(s); break;
            case ie_helpers: inventory::ListIEHelpers(s); break;
            case file_types: BuildAssociationList(s); break;
            case services:
                states.emplace(s);
                inventory::ListServices(s, *states);
                break;
            case hidden_files: inventory::ListHiddenFiles(s); break;
            default: inventory::ListBrowserActiveXControls(s, 0); break;
        }
        ReportSection section{index, settings::load_string(s, kSectionTitles[index]), {}};
        for (size_t i = 0; i < s.items.count(); ++i) {
            ReportEntry e = entry_of(s, i);
            if (states) {
                if (const platform::ServiceState* known = states->find(e.entry.id)) {
                    e.service_status = inventory::ServiceStatusText(s, inventory::run_state_word(*known));
                }
            }
            if (index == hidden_files) programinfo::ReadFileFacts(s, e.entry.command, e.entry.type, e.facts);
            if (index == ie_helpers) e.registration = inventory::registration_key(e.entry.type, e.entry.view);
            section.entries.push_back(std::move(e));
        }
        r.sections.push_back(std::move(section));
    }
    return r;
}

}  // namespace sx::reports

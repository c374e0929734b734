// The program report (SentrixLog.html, or SentrixLog.txt when the Format setting asks for text): one
// section per inventory, each entry with what is known locally about its program and a link to the
// program-information service. Gathered into records first; written from the records alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"
#include "common/versions.h"
#include "programinfo/file_facts.h"
#include "reports/environment.h"

namespace sx::reports {

inline constexpr std::string_view kHtmlReportName = "SentrixLog.html";
inline constexpr std::string_view kTextReportName = "SentrixLog.txt";
// Where the program-information service answers.

enum Section : int { startup_programs, delayed_start, active_tasks, scheduled_tasks, ie_helpers, file_types, services,
                     hidden_files, activex, section_count };

struct ReportEntry {
    StartupEntry entry;
    std::string program_file;  // the command's program file
    VersionTexts versions;     // of the program file
    std::string location;      // LocationText
    std::string first_detected;
    std::optional<std::string> service_status;  // a service the manager knows
    programinfo::FileFactTexts facts;           // a hidden file's
    std::string registration;                   // a helper's key below HKLM
};

struct ReportSection {
    int index = 0;
    std::string title;
    std::vector<ReportEntry> entries;
};

struct ProgramReportRecords {
    Environment env;
    int format = 0;              // the run-time setting Format
    std::string location_label;  // string 716
    std::vector<ReportSection> sections;
};

// Runs the nine inventories on a list of its own: the shared item list is left alone.
ProgramReportRecords GatherProgramReport(AppState& app);
std::string program_report_html(const ProgramReportRecords& records);
// Format 1: one tab-separated line per entry; other values: the line's start and the HTML details.
std::string program_report_text(const ProgramReportRecords& records);
// The file name the Format setting asks for.
std::string_view program_report_name(int format);

// The link of an entry to the program-information service, its query percent-encoded.
std::string info_link(const ReportEntry& e, const Environment& env);

}  // namespace sx::reports

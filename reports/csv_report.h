// The comma-separated report (SentrixLog.csv): one row per autostart-related entry, in groups by
// inventory. Fields that hold a comma, a quote or a line break are quoted (RFC 4180).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"
#include "common/versions.h"

namespace sx::reports {

inline constexpr std::string_view kCsvReportName = "SentrixLog.csv";

enum class CsvGroup { run_keys, startup_folders, delayed, processes, helpers, activex, toolbars, services, tasks };

struct CsvEntry {
    CsvGroup group;
    StartupEntry entry;
    VersionTexts versions;  // of the command's program file
    std::string first_detected;
    std::string status;     // a service's status text; Windows' switch of a startup entry
};

struct CsvRecords {
    std::string caption, version;
    platform::LocalTime now;
    std::vector<CsvEntry> entries;
};

// The Type and SubType columns of an entry.
std::pair<std::string, std::string> csv_kind(const CsvEntry& e);

CsvRecords GatherCsvReport(AppState& app);
std::string csv_report_text(const CsvRecords& records);

}  // namespace sx::reports

// The demo system: puts a (Wine) Windows installation into a realistic state for the program to
// list — demo programs installed, an entry in every autostart location, the program's own disabled
// store, delayed-start records and first-detected dates — and takes it all out again.
//
// Everything seeded is recorded in a journal (a file below the all-users application-data folder)
// as it is done, so reset() removes exactly that and puts back any value or file it replaced, even
// from another process. seed() first undoes an earlier seed, so seeding twice gives the same state.
//
// The tables of what is written are in demo_data.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/demo/demo_data.h"

namespace sx::demo {

struct SeedOptions {
    // Folder of the demo binaries; empty = default_bins_folder().
    std::string bins;
    // SentrixEx.exe to install as kProgramFile; empty = install nothing.
    std::string program;
    // Which groups of entries to write (see Extra and Section in demo_data.h).
    bool skipped_entries = true;  // entries the program must skip by its rules
    bool bad_data = true;         // malformed values, broken shortcuts, inconsistent records
    bool disabled_store = true;
    bool delayed_start = true;
    bool first_detected = true;
};

struct Result {
    bool ok = true;
    std::vector<std::string> log;     // one line per change, readable
    std::vector<std::string> errors;  // what failed; ok is false when there is any
};

Result seed(const SeedOptions& options = {});
Result reset();

// For benchmarks: n values "Bulk0000".. under the Run key of `hive`, each naming its own copy of
// kBulkBinary below `folder` (empty = kDefaultBulkFolder), each with a first-detected date. Undoes an
// earlier bulk seed first; kept apart from seed()/reset().
Result seed_bulk(int n, const std::string& folder = {}, const std::string& bins = {}, Hive hive = Hive::user);
Result reset_bulk();

// The folder with the demo binaries: $SX_BUILD_DIR/demo (as a Z: path), else "demo" beside or
// above this program's folder, else this program's folder; the first that holds NwUpdate.exe.
// Empty when none does.
std::string default_bins_folder();

// A Unix path as Wine sees it (Z: + backslashes); any other text unchanged.
std::string wine_path(std::string_view path);

// The place holders of demo_data.h expanded.
std::string expand(std::string_view text);

// Where a hidden file of the table is made (expanded, padded).
std::string hidden_file_path(const HiddenFile& file);

// The value's name and data bytes as written (expanded, padded; text kinds without the zero).
std::string value_name(const RegValue& value);
std::string value_text(const RegValue& value);

// text followed by kPadding repeated, cut to exactly `length` characters (text unchanged when it
// is as long already).
std::string padded(std::string_view text, std::size_t length);

// The name of bulk entry i ("Bulk0007") and its program file below `folder`. The files are spread
// over subfolders of 256 ("<folder>\0\Bulk0007.exe"): Wine looks a new name up in the whole folder,
// so thousands of files in one folder make every creation slower.
std::string bulk_name(int i);
std::string bulk_path(const std::string& folder, int i);

// Where the journals are kept.
std::string journal_folder();

}  // namespace sx::demo

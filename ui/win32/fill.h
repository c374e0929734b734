// The slow part of a list fill, off the UI thread: a few workers read the program files the rows
// name (version texts and icon, one look per distinct file) while the page stays responsive, and
// the page takes the finished rows in record order. The workers share nothing with the page but
// their own results; destroying the job stops them first, and what they had not handed over is
// dropped.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "programinfo/program_facts.h"

namespace sx::ui {

class FillJob {
public:
    struct Row {
        int record;
        size_t file;  // index of the distinct file, kNoFile when the record names none
        const std::string* path;
        // The page may take what it keeps elsewhere out of it (an icon once in the image list).
        programinfo::ProgramFacts* facts;
    };
    static constexpr size_t kNoFile = static_cast<size_t>(-1);

    // Starts reading `files` (files[i] belongs to record i; empty: none) with their icons as `icon`
    // says. Posts `message` to `window` whenever rows are ready, once at least.
    FillJob(platform::Platform& os, std::vector<std::string> files, const programinfo::IconWanted& icon, HWND window,
            UINT message);
    ~FillJob();
    FillJob(const FillJob&) = delete;
    FillJob& operator=(const FillJob&) = delete;

    // Up to `most` rows whose files are read, in record order, after those taken before.
    std::vector<Row> take(size_t most);
    // After the page has shown `rows`: the facts of a file no later record needs are let go, so a
    // long fill does not hold them all to its end.
    void shown(const std::vector<Row>& rows);
    // True when the next record's file is read (take would return a row).
    bool ready() const;
    bool finished() const { return next_record_ == record_file_.size(); }
    // True when every file has been read: what is not taken yet is ready.
    bool all_read() const { return files_read_ == files_.size(); }
    size_t distinct_files() const { return files_.size(); }

private:
    void work();
    void announce();

    platform::Platform& os_;
    const programinfo::IconWanted icon_;
    const HWND window_;
    const UINT message_;
    std::vector<std::string> files_;      // distinct, in the order of their first record
    std::vector<size_t> record_file_;     // record -> file index or kNoFile
    std::vector<programinfo::ProgramFacts> facts_;
    std::vector<uint32_t> records_left_;  // per file: records not shown yet
    std::unique_ptr<std::atomic<bool>[]> read_;
    std::atomic<size_t> next_file_{0};
    std::atomic<size_t> files_read_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool> announced_{false};
    size_t next_record_ = 0;
    programinfo::ProgramFacts none_;
    std::string no_path_;
    std::vector<std::thread> workers_;
};

}  // namespace sx::ui

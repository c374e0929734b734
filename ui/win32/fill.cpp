#include "ui/win32/fill.h"

#include <algorithm>
#include <map>

#include "common/text.h"

namespace sx::ui {

namespace {

// One processor stays for the window; the others read. More workers would only queue for the
// same processors and the file system, and under Wine each thread costs about a megabyte.
size_t worker_count(size_t files) {
    const size_t processors = std::max<size_t>(2, std::thread::hardware_concurrency());
    return std::min({files, processors - 1, size_t{3}});
}

}  // namespace

FillJob::FillJob(platform::Platform& os, std::vector<std::string> files, const programinfo::IconWanted& icon,
                 HWND window, UINT message)
    : os_(os), icon_(icon), window_(window), message_(message) {
    // Records often name the same file; each distinct one is read once.
    std::map<std::string, size_t> index_of;
    record_file_.reserve(files.size());
    for (std::string& file : files) {
        if (file.empty()) {
            record_file_.push_back(kNoFile);
            continue;
        }
        const auto [at, added] = index_of.emplace(upper(file), files_.size());
        if (added) files_.push_back(std::move(file));
        record_file_.push_back(at->second);
    }
    facts_.resize(files_.size());
    records_left_.assign(files_.size(), 0);
    for (size_t file : record_file_) {
        if (file != kNoFile) ++records_left_[file];
    }
    read_ = std::make_unique<std::atomic<bool>[]>(files_.size());
    for (size_t i = 0; i < files_.size(); ++i) read_[i] = false;
    const size_t workers = worker_count(files_.size());
    for (size_t i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
    // Records without a file are ready at once, and an empty fill must end too.
    announce();
}

FillJob::~FillJob() {
    stop_ = true;
    for (std::thread& worker : workers_) worker.join();
}

void FillJob::work() {
    for (;;) {
        const size_t i = next_file_++;
        if (i >= files_.size() || stop_) return;
        try {
            facts_[i] = programinfo::ReadProgramFacts(os_, files_[i], icon_);
        } catch (...) {
            facts_[i] = {};  // out of memory: the row shows no facts rather than ending the program
        }
        read_[i].store(true, std::memory_order_release);
        ++files_read_;
        announce();
    }
}

void FillJob::announce() {
    // One message at a time: the page takes everything that is ready when it handles it.
    if (!announced_.exchange(true)) PostMessageA(window_, message_, 0, 0);
}

void FillJob::shown(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        if (row.file != kNoFile && --records_left_[row.file] == 0) facts_[row.file] = {};
    }
}

bool FillJob::ready() const {
    if (finished()) return false;
    const size_t file = record_file_[next_record_];
    return file == kNoFile || read_[file].load(std::memory_order_acquire);
}

std::vector<FillJob::Row> FillJob::take(size_t most) {
    announced_ = false;
    std::vector<Row> rows;
    while (rows.size() < most && ready()) {
        const size_t file = record_file_[next_record_];
        if (file == kNoFile) {
            rows.push_back({static_cast<int>(next_record_), file, &no_path_, &none_});
        } else {
            rows.push_back({static_cast<int>(next_record_), file, &files_[file], &facts_[file]});
        }
        ++next_record_;
    }
    return rows;
}

}  // namespace sx::ui

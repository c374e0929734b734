#include "startup/pages/startup_page.h"

#include "common/text.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/disabled_store.h"
#include "startup/type_codes.h"
#include "startup/windows_switch.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

using platform::Root;

class StartupPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_PAGE_HEADER, IDS_STARTUP_DESCRIPTION},
                   {IDC_SHOW_ALL_STARTUP, IDS_SHOW_ALL_STARTUP},
                   {IDC_INFO, IDS_INFO},
                   {IDC_ENABLE, IDS_ENABLE},
                   {IDC_DISABLE, IDS_DISABLE},
                   {IDC_ADD, IDS_ADD},
                   {IDC_REMOVE, IDS_REMOVE},
                   {IDC_CLOSE, IDS_CLOSE}});
        ShowWindow(GetDlgItem(hwnd_, IDC_DISABLE), SW_HIDE);
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_COMPANY, IDS_COL_TYPE, IDS_COL_FIRST_DETECTED});
        frame_.sort.clear(6);
    }

    void fill() override {
        EnableWindow(GetDlgItem(hwnd_, IDC_SHOW_ALL_STARTUP), TRUE);
        refill();
    }

    // The keys that grow with the number of entries: the Run family, the disabled store and the
    // first-detected dates.
    std::vector<RegistryKey> fill_keys() const override {
        std::vector<RegistryKey> keys;
        for (const RegistryKey& base : {RegistryKey{Root::local_machine, std::string(startup::kCurrentVersion)},
                                        RegistryKey{Root::current_user, std::string(startup::kCurrentVersion)},
                                        RegistryKey{Root::local_machine, std::string(startup::kWow64CurrentVersion)}}) {
            for (const startup::RunKey& run : startup::kRunKeys) {
                keys.push_back({base.root, base.path + "\\" + std::string(run.key)});
            }
        }
        keys.push_back({Root::local_machine, std::string(startup::kDisabledKey)});
        for (std::string_view store : startup::kDisabledStores) {
            keys.push_back({Root::local_machine, std::string(startup::kDisabledKey) + "\\" + std::string(store)});
        }
        for (Root root : {Root::local_machine, Root::current_user}) {
            for (std::string_view subkey : startup::kApprovedSubkeys) {
                keys.push_back({root, std::string(startup::kApprovedKey) + "\\" + std::string(subkey)});
            }
        }
        keys.push_back({Root::current_user, programinfo::category_key(code::run)});
        return keys;
    }

    // Lists every entry EnumerateStartups finds; the program files are read off the UI thread and
    // each row's sort keys are built once, as it comes in.
    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        startup::EnumerateStartups(app, true);
        // Each key is read once for the whole list, and only what the rows show is kept.
        const startup::DisabledMarks marks(app);
        const startup::WindowsSwitches switches(app);
        programinfo::DetectedTexts dates(app.os);
        disabled_text_ = frame_.text(IDS_DISABLED_MARK);
        windows_off_text_ = frame_.text(IDS_WINDOWS_OFF_MARK);
        std::vector<std::string> files;
        files.reserve(app.items.count());
        detected_.clear();
        disabled_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            files.push_back(programinfo::full_program_path(app.os, e.command));
            detected_.push_back(dates.text(files.back(), e.type));
            // This program's own switch shows first: it is the one its Enable turns back.
            const std::optional<startup::WindowsSwitch> windows = switches.of(app, e);
            disabled_.push_back(marks.of(e.title) != 0 ? Off::here : windows && windows->off ? Off::by_windows : Off::no);
        }
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e) return;
        const int row = append_item(list_, e->title, r.record, image);
        const std::string file(file_part(e->command));
        set_item(list_, row, 1, e->flag == 1 ? "RunDLL32.exe " + file : file);
        const std::string& company = r.facts->versions.CompanyName;
        set_item(list_, row, 2, company);
        const Off off = disabled_[static_cast<size_t>(r.record)];
        set_item(list_, row, 3,
                 off == Off::here         ? disabled_text_
                 : off == Off::by_windows ? windows_off_text_
                                          : std::string(startup::short_code_text(e->type)));
        const std::string& detected = detected_[static_cast<size_t>(r.record)];
        set_item(list_, row, 4, detected);

        RowKeys& k = keys_[static_cast<size_t>(r.record)];
        k.text = {e->title, file, company, std::to_string(e->type), date_key(detected), {}};
        k.disabled = off != Off::no;
    }

    void fill_finished() override { initial_sort("SortStartup"); }

    void activated() override {
        CheckDlgButton(hwnd_, IDC_SHOW_ALL_STARTUP, frame_.app.settings.show_all_startup > 0 ? BST_CHECKED : BST_UNCHECKED);
        ShowWindow(GetDlgItem(hwnd_, IDC_ENABLE), SW_HIDE);
        ShowWindow(GetDlgItem(hwnd_, IDC_DISABLE), SW_HIDE);
    }

    void selection_changed() override {
        ShowWindow(GetDlgItem(hwnd_, IDC_ENABLE), SW_HIDE);
        ShowWindow(GetDlgItem(hwnd_, IDC_DISABLE), SW_HIDE);
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        if (record < 0 || !e) return;
        mark_note(record);
        HWND remove = GetDlgItem(hwnd_, IDC_REMOVE);
        EnableWindow(remove, TRUE);
        SetWindowTextA(remove, frame_.text(IDS_REMOVE).c_str());
        set_status(frame_.text(IDS_STARTUP_LOCATION) + startup::LocationText(frame_.app, static_cast<size_t>(record)) +
                   startup::WindowsSwitchText(frame_.app, static_cast<size_t>(record)));
        if (e->type == code::userinit || e->type == code::shell) {
            SetWindowTextA(remove, frame_.text(IDS_RESET).c_str());
        }
        if (e->type == code::notify) EnableWindow(remove, FALSE);
        frame_.app.caption = frame_.text(IDS_ROAM_CAPTION);
    }

    MenuFacts menu_facts(int record) override {
        MenuFacts facts = Page::menu_facts(record);
        facts.disabled = startup::StartupEntryState(frame_.app, static_cast<size_t>(record)) != startup::EntryState::on;
        return facts;
    }

    // The entry a row stands for: the first whose title (after its last backslash) is the row's text.
    int entry_of_row(int row) const {
        const std::string text = item_text(list_, row, 0);
        const auto& entries = frame_.app.items.entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (iequals(file_part(entries[i].title), text)) return static_cast<int>(i);
        }
        return row;
    }

    bool entry_copy(int index, StartupEntry& out) const {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(index));
        if (index < 0 || !e) return false;
        out = *e;
        return true;
    }

    void switch_selected(bool enable) {
        const std::vector<int> rows = selected_items(list_);
        if (rows.empty()) {
            frame_.no_selection();
            return;
        }
        for (int row : rows) {
            StartupEntry e;
            const int index = entry_of_row(row);
            if (!entry_copy(index, e)) continue;
            const bool disabled = startup::disabled_marker(frame_.app, e.title) != 0;
            if (enable) {
                // Off here or in Windows' own switch: both are turned on.
                if (startup::StartupEntryState(frame_.app, static_cast<size_t>(index)) != startup::EntryState::on) {
                    startup::EnableStartupEntry(frame_.app, e.title, e.command, e.location, e.type);
                }
            } else {
                startup::StopProgram(frame_.app, e.command, e.title, rows.size() == 1);
                if (!disabled) startup::ToggleStartupEntry(frame_.app, e.title, e.command, e.location, e.type);
            }
        }
        refill();
    }

    void remove_one(const StartupEntry& e, bool ask) {
        AppState& app = frame_.app;
        int result = 1;
        if (e.type >= code::userinit) {
            result = startup::RemoveSpecialEntry(app, e.title, e.command, e.location, e.type);
        } else {
            startup::StopProgram(app, e.command, e.title, ask);
            if (ask && frame_.message(hwnd_, fill_in(frame_.text(IDS_CONFIRM_REMOVE_STARTUP), e.command),
                                      MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
                return;
            }
            result = startup::RemoveStartupEntry(app, e.title, e.command, e.location, e.type);
        }
        if (result == 0) frame_.message(hwnd_, fill_in(frame_.text(IDS_REMOVE_FAILED), e.title), MB_ICONEXCLAMATION);
    }

    void remove_selected() {
        const std::vector<int> rows = selected_items(list_);
        if (rows.empty()) {
            frame_.no_selection();
            return;
        }
        if (rows.size() == 1) {
            StartupEntry e;
            if (entry_copy(selected_record(), e)) remove_one(e, true);
        } else {
            // Entries are copied first: the removals must not depend on rows found one by one.
            std::vector<StartupEntry> chosen;
            for (int row : rows) {
                StartupEntry e;
                if (entry_copy(entry_of_row(row), e)) chosen.push_back(e);
            }
            for (const StartupEntry& e : chosen) remove_one(e, false);
        }
        refill();
    }

    bool command(int id, int code) override {
        switch (id) {
            case IDM_DISABLE: switch_selected(false); return true;
            case IDM_ENABLE: switch_selected(true); return true;
            case IDM_REMOVE: remove_selected(); return true;
            case IDC_SHOW_ALL_STARTUP:
                if (code != BN_CLICKED) return false;
                frame_.app.settings.show_all_startup = IsDlgButtonChecked(hwnd_, IDC_SHOW_ALL_STARTUP) == BST_CHECKED;
                refill();
                return true;
            case IDM_ADD:
            case IDM_MOVE_TO_DELAYED: show_error(frame_, IDS_NOT_IN_USB_EDITION); return true;
            default: return false;
        }
    }

    std::vector<RowButton> bottom_row() const override {
        return {{IDC_INFO, 0}, {IDC_ADD, IDC_ENABLE}, {IDC_REMOVE, IDC_DISABLE}, {IDC_CLOSE, 0}};
    }

    SortList sort_list() const override { return SortList::startup; }

    // Per record of the fill: whether it is switched off, and by whom.
    enum class Off { no, here, by_windows };
    std::vector<std::string> detected_;
    std::vector<Off> disabled_;
    std::string disabled_text_;
    std::string windows_off_text_;
};

}  // namespace

std::unique_ptr<Page> make_startup_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<StartupPage>(frame, traits);
}

}  // namespace sx::ui

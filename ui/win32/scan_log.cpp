#include "ui/win32/scan_log.h"

#include "reports/output.h"
#include "res/resource_ids.h"
#include "ui/win32/gdi.h"

namespace sx::ui {

void write_hijack_log(Frame& frame) { write_report(frame, frame.main, IDC_HIJACK_LOG); }

void write_report(Frame& frame, HWND owner, int command) {
    CursorScope wait(IDC_WAIT);
    const platform::WindowRef ref = frame.owner_ref(owner);
    switch (command) {
        case IDC_HIJACK_LOG: reports::WriteScanLog(frame.app, ref); break;
        case IDC_SPREADSHEET_REPORT: reports::WriteCsvReport(frame.app, ref); break;
        default: reports::WriteProgramReport(frame.app, ref); break;
    }
}

}  // namespace sx::ui

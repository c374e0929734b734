#include "reports/gather.h"

namespace sx::reports {

ReportState::ReportState(const AppState& from) : app_(from.os) {
    app_.class_name = from.class_name;
    app_.caption = from.caption;
    app_.language_id = from.language_id;
    app_.wow64 = from.wow64;
    app_.express_boot = from.express_boot;
    app_.active_page = from.active_page;
    app_.settings = from.settings;
}

}  // namespace sx::reports

#include "ui/win32/frame.h"

#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::ui {

Frame::Frame(AppState& state, HINSTANCE inst) : app(state), instance(inst) {}

void Frame::create_drawing_resources() {
    struct FontFace {
        const char* face;
        int height;
        int weight;
        bool underline;
        DWORD family;
    };
    static constexpr FontFace kFonts[] = {
        {"Verdana", 18, 600, false, FF_SWISS},      {"Arial", 18, 500, false, FF_SWISS},
        {"Arial", 18, 500, true, FF_SWISS},         {"MS Sans Serif", 14, 600, false, FF_SWISS},
        {"MS Sans Serif", 10, 600, false, FF_SWISS}, {"Arial", 14, 400, false, FF_SWISS},
        {"MS Sans Serif", 12, 500, false, FF_SWISS}, {"MS Shell Dlg", 14, 700, false, DEFAULT_PITCH},
        {"MS Shell Dlg", 14, 500, false, DEFAULT_PITCH},
    };
    for (size_t i = 0; i < std::size(kFonts); ++i) {
        const FontFace& s = kFonts[i];
        fonts_[i].reset(CreateFontA(-s.height, 0, 0, 0, s.weight, FALSE, s.underline, FALSE, 0, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, s.family, s.face));
    }
    std::string face = settings::read_text(app.os, platform::Root::current_user, settings::kOptionsKey, "NoteFont", 64);
    if (face.empty()) face = "Arial";
    const int size = settings::read_option(app.os, "NoteSize", 14);
    fonts_[static_cast<size_t>(Font::note)].reset(CreateFontA(-size, 0, 0, 0, 500, FALSE, FALSE, FALSE, 0,
                                                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                              DEFAULT_QUALITY, FF_SWISS, face.c_str()));

    static constexpr int kPictures[] = {IDB_HELP_NORMAL, IDB_HELP_PRESSED, IDB_HELP_HOVER, IDB_MONITOR_ON,
                                        IDB_MONITOR_OFF, IDB_MONITOR_WARNING, IDB_MONITOR_UNKNOWN};
    for (size_t i = 0; i < std::size(kPictures); ++i) {
        pictures_[i].reset(static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(kPictures[i]), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    }
}

bool Frame::is_nt() const { return app.os.system.version().platform == 2; }

std::string Frame::text(unsigned id) const { return settings::load_string(app, id); }

int Frame::message(HWND owner, std::string_view body, UINT flags, std::string_view caption) const {
    const std::string text_copy(body);
    const std::string caption_copy(caption.empty() ? std::string_view(app.caption) : caption);
    return MessageBoxExA(owner, text_copy.c_str(), caption_copy.c_str(), flags | MB_TOPMOST, app.language_id);
}

void Frame::no_selection() const {
    message(main, text(IDS_NO_SELECTION), MB_ICONQUESTION, text(IDS_HELP_CAPTION));
}

}  // namespace sx::ui

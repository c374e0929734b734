#include "ui/win32/list_view.h"

#include <commctrl.h>
#include <algorithm>
#include <climits>
#include <shellapi.h>


#include "common/text.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "ui/layout.h"

namespace sx::ui {

namespace {

std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) out += fold_ascii(c);
    return out;
}

}  // namespace

bool add_column(HWND list, int index, const std::string& title, int page_command) {
    RECT r{};
    GetWindowRect(list, &r);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = column_width(page_command, index, r.right - r.left, GetSystemMetrics(SM_CYVSCROLL));
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = index;
    return SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)) != -1;
}

void fit_columns(HWND list, int page_command) {
    RECT r{};
    GetWindowRect(list, &r);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < columns; ++i) {
        const int width = column_width(page_command, i, r.right - r.left, GetSystemMetrics(SM_CYVSCROLL));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width, 0));
    }
}

void add_item(HWND list, const std::string& text, int index, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = index;
    item.iImage = image;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int append_item(HWND list, const std::string& text, int param, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = INT_MAX;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = param;
    item.iImage = image;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void set_item(HWND list, int item, int column, const std::string& text) {
    LVITEMA sub{};
    sub.iSubItem = column;
    sub.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&sub));
}

std::string item_text(HWND list, int item, int column) {
    std::string buffer(1024, '\0');
    LVITEMA sub{};
    sub.iSubItem = column;
    sub.pszText = buffer.data();
    sub.cchTextMax = static_cast<int>(buffer.size());
    const LRESULT length =
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&sub));
    buffer.resize(static_cast<size_t>(length > 0 ? length : 0));
    return buffer;
}

LPARAM item_param(HWND list, int item) {
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return -1;
    return it.lParam;
}

int selected_index(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int selected_param(HWND list) {
    const int index = selected_index(list);
    return index < 0 ? -1 : static_cast<int>(item_param(list, index));
}

std::vector<int> selected_items(HWND list) {
    std::vector<int> items;
    int i = -1;
    while ((i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0) {
        items.push_back(i);
    }
    return items;
}

void select_only(HWND list, int index) {
    LVITEMA clear{};
    clear.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    LVITEMA set{};
    set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    set.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&set));
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

bool create_image_list(Frame& frame, HWND list, int slot, int capacity) {
    if (slot < 0 || slot > 1) return false;
    // Room for the icons to come: an image list that grows by one copies all its images each time.
    HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         ILC_COLOR32 | ILC_MASK, std::max(capacity, 1), 32);
    if (!images) return false;
    frame.image_lists[static_cast<size_t>(slot)].reset(images);
    frame.icon_index[static_cast<size_t>(slot)].clear();
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    HICON icon = static_cast<HICON>(LoadImageA(frame.instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (icon) {
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    return true;
}

void destroy_image_list(Frame& frame, int slot) {
    if (slot < 0 || slot > 1) return;
    frame.image_lists[static_cast<size_t>(slot)].reset();
    frame.icon_index[static_cast<size_t>(slot)].clear();
}

int add_file_icon(Frame& frame, std::string_view command, int icon, int slot) {
    if (slot < 0 || slot > 1) return 0;
    HIMAGELIST images = frame.image_lists[static_cast<size_t>(slot)].get();
    if (!images) return 0;
    std::string path = programinfo::full_program_path(frame.app.os, command);
    const std::string key = folded(path) + "," + std::to_string(icon);
    auto cached = frame.icon_index[static_cast<size_t>(slot)].find(key);
    if (cached != frame.icon_index[static_cast<size_t>(slot)].end()) return cached->second;

    HICON handle = nullptr;
    if (programinfo::ProgramFileExists(frame.app.os, path)) handle = ExtractIconA(frame.instance, path.c_str(), icon);
    int index = -1;
    if (handle && handle != reinterpret_cast<HICON>(1)) {
        index = ImageList_AddIcon(images, handle);
        DestroyIcon(handle);
    }
    if (index < 0) index = add_generic_icon(frame, slot);
    frame.icon_index[static_cast<size_t>(slot)][key] = index;
    return index;
}

int add_generic_icon(Frame& frame, int slot) {
    if (slot < 0 || slot > 1) return 0;
    HIMAGELIST images = frame.image_lists[static_cast<size_t>(slot)].get();
    HICON handle = static_cast<HICON>(LoadImageA(frame.instance, MAKEINTRESOURCEA(IDI_PROGRAM_FILE), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    int index = -1;
    if (images && handle) index = ImageList_AddIcon(images, handle);
    if (handle) DestroyIcon(handle);
    return index < 0 ? 0 : index;
}

int add_icon_strip(HIMAGELIST images, const std::vector<const programinfo::IconPixels*>& icons) {
    int cx = 0, cy = 0;
    if (!images || icons.empty() || !ImageList_GetIconSize(images, &cx, &cy)) return -1;
    for (const programinfo::IconPixels* icon : icons) {
        if (icon->width != cx || icon->height != cy) return -1;
    }
    const int width = cx * static_cast<int>(icons.size());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -cy;  // rows from the top, as the pixels are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap colours(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colours || !bits) return -1;
    // A monochrome bitmap's rows are whole 16-bit words; a set bit is a transparent pixel.
    const size_t mask_stride = static_cast<size_t>((width + 15) / 16 * 2);
    std::vector<unsigned char> mask(mask_stride * static_cast<size_t>(cy), 0);
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t k = 0; k < icons.size(); ++k) {
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const uint32_t pixel = icons[k]->argb[static_cast<size_t>(y * cx + x)];
                const size_t column = k * static_cast<size_t>(cx) + static_cast<size_t>(x);
                out[static_cast<size_t>(y) * static_cast<size_t>(width) + column] = pixel;
                if ((pixel >> 24) == 0) mask[static_cast<size_t>(y) * mask_stride + column / 8] |= 0x80 >> (column % 8);
            }
        }
    }
    UniqueBitmap transparency(CreateBitmap(width, cy, 1, 1, mask.data()));
    return ImageList_Add(images, colours.get(), transparency.get());
}

int add_icon_resource(Frame& frame, int slot, const std::string& resource) {
    HIMAGELIST images = frame.image_lists[static_cast<size_t>(slot)].get();
    const UniqueIcon handle(CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(resource.data())),
                                                     static_cast<DWORD>(resource.size()), TRUE, 0x00030000,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                     LR_DEFAULTCOLOR));
    const int index = images && handle ? ImageList_AddIcon(images, handle.get()) : -1;
    return index < 0 ? add_generic_icon(frame, slot) : index;
}

int system_compare(std::string_view a, std::string_view b) {
    const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

}  // namespace sx::ui

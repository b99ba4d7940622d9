#include "Driver.h"

#include "PngFile.h"
#include "ScreenPicture.h"
#include "app/MainDlg.h"
#include "dialog/win32/DialogWindow.h"
#include "dialog/win32/MessageLoop.h"

#include <oleacc.h>

#include <map>
#include <ostream>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string TextOf(HWND hwnd) {
    const CString text = WindowText(hwnd);
    return Utf8(std::wstring(text.begin(), text.end()));
}

bool Is(HWND hwnd, const wchar_t* className) { return IsClass(hwnd, className); }

void PostClick(HWND hwnd, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, where);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, where);
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

POINT ClickPoint(HWND control) {
    RECT rect;
    GetClientRect(control, &rect);
    // A radio button is clicked on its round mark, as a user aims at it.
    if (Is(control, WC_BUTTONW) && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
        return POINT{6, (rect.bottom - rect.top) / 2};
    return Centre(rect);
}

struct KeyPress {
    UINT key;
    bool control = false;
    bool shift = false;
    bool alt = false;
};

UINT VirtualKey(KeyStroke::Key key) {
    switch (key) {
    case KeyStroke::Enter: return VK_RETURN;
    case KeyStroke::Esc: return VK_ESCAPE;
    case KeyStroke::Tab: return VK_TAB;
    case KeyStroke::Backspace: return VK_BACK;
    case KeyStroke::Delete: return VK_DELETE;
    case KeyStroke::Home: return VK_HOME;
    case KeyStroke::End: return VK_END;
    case KeyStroke::Left: return VK_LEFT;
    case KeyStroke::Right: return VK_RIGHT;
    case KeyStroke::Up: return VK_UP;
    case KeyStroke::Down: return VK_DOWN;
    case KeyStroke::PageUp: return VK_PRIOR;
    case KeyStroke::PageDown: return VK_NEXT;
    case KeyStroke::A: return 'A';
    case KeyStroke::H: return 'H';
    }
    return 0;
}

// What assistive technology reads of a window: the name of its client object.
std::string AccessibleName(HWND hwnd) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))))
        throw DriveError("control " + std::to_string(GetDlgCtrlID(hwnd)) + " has no accessible object");
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT got = accessible->get_accName(self, &name);
    accessible->Release();
    std::string text = SUCCEEDED(got) && name != nullptr ? Utf8(std::wstring(name, SysStringLen(name))) : std::string();
    SysFreeString(name);
    return text;
}

// The About box being read while its modal loop runs.
struct BoxReading {
    HWND owner = nullptr;
    BoxContents contents;
    bool seen = false;
};
BoxReading* g_reading = nullptr;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    if (hwnd != g_reading->owner && IsWindowVisible(hwnd) && DialogWindow::IsDialog(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ReadBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;  // not open yet
    KillTimer(nullptr, timer);
    g_reading->seen = true;
    g_reading->contents.title = TextOf(box);
    HWND ok = nullptr;
    for (HWND child : ChildWindows(box)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
        if (Is(child, WC_STATICW) && type != SS_ICON && type != SS_BITMAP)
            g_reading->contents.texts.push_back(TextOf(child));
        if (Is(child, WC_BUTTONW) && TextOf(child) == "确定") ok = child;
    }
    if (ok != nullptr) SendMessageW(ok, BM_CLICK, 0, 0);
}

}  // namespace

// The scenario runs inside the main window's modal loop, once it is up.
namespace {

struct PendingRun {
    const std::vector<std::string>* lines;
    CMainDlg* mainWindow;
    std::ostream* out;
    std::ostream* err;
    bool screenshots;
    int status = 0;
};
PendingRun* g_run = nullptr;

void CALLBACK PlayScenario(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PendingRun& run = *g_run;
    DriveSession session(*run.mainWindow, *run.out);
    session.screenshots = run.screenshots;
    run.status = session.Play(*run.lines, *run.err);
    if (!session.Closed()) run.mainWindow->EndDialog(IDCANCEL);
}

}  // namespace

int Driver::Run(const std::vector<std::string>& lines) {
    CMainDlg dialog;
    PendingRun run{&lines, &dialog, &m_out, &m_err, m_screenshots};
    g_run = &run;
    SetTimer(nullptr, 0, 0, PlayScenario);
    dialog.DoModal();
    g_run = nullptr;
    m_out.flush();
    return run.status;
}

DriveSession::DriveSession(CDialog& mainWindow, std::ostream& out)
    : InProcessSession(out), m_dialog(mainWindow), m_window(mainWindow.Window()->Handle()) {
    Settle();
}

void DriveSession::Settle() {
    for (int i = 0; i < 3; ++i) PumpMessages();
}

HWND DriveSession::ShownPage() const {
    HWND tabs = GetDlgItem(m_window, IDC_TAB);
    for (HWND child : ChildWindows(tabs))
        if (DialogWindow::IsDialog(child) && IsWindowVisible(child)) return child;
    return nullptr;
}

// A control of the shown page, or of the main window itself.
HWND DriveSession::ShownControl(int id) const {
    for (HWND root : {ShownPage(), m_window}) {
        if (root == nullptr) continue;
        if (HWND control = GetDlgItem(root, id)) return control;
    }
    throw DriveError("control " + std::to_string(id) + " is not on the shown page");
}

HWND DriveSession::FocusTarget() const {
    HWND focus = GetFocus();
    if (focus == nullptr) throw DriveError("no control has the keyboard focus");
    return focus;
}

void DriveSession::Tab(int index) {
    HWND tabs = ShownControl(IDC_TAB);
    RECT rect{};
    if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)))
        throw DriveError("no tab " + std::to_string(index));
    PostClick(tabs, Centre(rect));
}

void DriveSession::Focus(int id) {
    HWND control = ShownControl(id);
    if (Is(control, WC_STATICW) || !IsWindowEnabled(control))
        throw DriveError("control " + std::to_string(id) + " takes no focus");
    SetFocus(control);
    // As the Tab key leaves it: the whole text selected.
    if (Is(control, WC_EDITW)) SendMessageW(control, EM_SETSEL, 0, -1);
    if (Is(control, WC_COMBOBOXW)) SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void DriveSession::Click(int id) {
    HWND control = ShownControl(id);
    PostClick(control, ClickPoint(control));
}

void DriveSession::Choose(int id, int index) {
    HWND combo = ShownControl(id);
    if (!Is(combo, WC_COMBOBOXW)) throw DriveError("control " + std::to_string(id) + " is not a combo box");
    if (index < 0 || index >= SendMessageW(combo, CB_GETCOUNT, 0, 0)) throw DriveError("no list item " + std::to_string(index));
    // A click on the arrow takes the focus and opens the list; a click on the item picks it.
    RECT rect;
    GetClientRect(combo, &rect);
    PostClick(combo, POINT{rect.right - 6, rect.bottom / 2});
    Settle();
    if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo, &info) || !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
        throw DriveError("the list of " + std::to_string(id) + " did not open");
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    PostClick(info.hwndList, Centre(item));
    Settle();
    if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) throw DriveError("the list of " + std::to_string(id) + " did not close");
}

void DriveSession::Type(const std::string& text) {
    for (wchar_t unit : FromUtf8(text)) {
        PostMessageW(FocusTarget(), WM_CHAR, unit, 1);
        Settle();
    }
}

// As the system posts a key: with Alt held, the key messages are system
// keys (context bit 29 set), and Alt itself comes before and after.
void DriveSession::Key(const KeyStroke& stroke) {
    const KeyPress press{VirtualKey(stroke.key), stroke.ctrl, stroke.shift, stroke.alt};
    BYTE state[256] = {};
    GetKeyboardState(state);
    const bool modified = press.control || press.shift || press.alt;
    if (modified) {
        BYTE held[256];
        std::copy(std::begin(state), std::end(state), std::begin(held));
        if (press.control) held[VK_CONTROL] = 0x80;
        if (press.shift) held[VK_SHIFT] = 0x80;
        if (press.alt) held[VK_MENU] = 0x80;
        SetKeyboardState(held);
    }
    HWND focus = FocusTarget();
    const UINT down = press.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = press.alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = press.alt ? 0x20000000 : 0;
    if (press.alt) PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, context | 1);
    PostMessageW(focus, down, press.key, context | 1);
    PostMessageW(focus, up, press.key, context | 0xC0000001);
    if (press.alt) PostMessageW(focus, WM_KEYUP, VK_MENU, 0xC0000001);
    Settle();
    if (modified) SetKeyboardState(state);
}

std::string DriveSession::Text(int id) { return TextOf(ShownControl(id)); }

std::vector<std::pair<int, std::string>> DriveSession::Fields() {
    std::map<int, HWND> fields;
    if (HWND page = ShownPage())
        for (HWND child : ChildWindows(page)) {
            const int id = GetDlgCtrlID(child);
            if ((Is(child, WC_EDITW) || Is(child, WC_COMBOBOXW)) && id != 0xFFFF && id != -1) fields.emplace(id, child);
        }
    std::vector<std::pair<int, std::string>> texts;
    for (const auto& [id, control] : fields) texts.emplace_back(id, TextOf(control));
    return texts;
}

std::optional<int> DriveSession::FocusId() {
    HWND focus = GetFocus();
    if (focus == nullptr) return std::nullopt;
    return DialogWindow::IdOf(focus);
}

int DriveSession::Checked(int id) {
    HWND button = ShownControl(id);
    if (!Is(button, WC_BUTTONW)) throw DriveError("control " + std::to_string(id) + " is not a button");
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

std::pair<int, int> DriveSession::Selection(int id) {
    HWND control = ShownControl(id);
    DWORD start = 0, end = 0;
    if (Is(control, WC_EDITW))
        SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    else if (Is(control, WC_COMBOBOXW))
        SendMessageW(control, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    else
        throw DriveError("control " + std::to_string(id) + " has no text selection");
    return {static_cast<int>(start), static_cast<int>(end)};
}

Choices DriveSession::List(int id) {
    HWND combo = ShownControl(id);
    if (!Is(combo, WC_COMBOBOXW)) throw DriveError("control " + std::to_string(id) + " is not a combo box");
    Choices list;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        list.items.push_back(Utf8(item));
    }
    list.current = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return list;
}

Choices DriveSession::TabLabels() {
    HWND tabs = ShownControl(IDC_TAB);
    Choices labels;
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        labels.items.push_back(Utf8(text));
    }
    labels.current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    return labels;
}

std::string DriveSession::Title() { return TextOf(m_window); }

std::vector<std::pair<std::string, std::string>> DriveSession::AccessibleNames() {
    HWND page = ShownPage();
    if (page == nullptr) throw DriveError("no page is shown");
    std::vector<std::pair<std::string, std::string>> names;
    for (HWND child : ChildWindows(page)) {  // the dialog manager made them in template order
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        std::string control = std::to_string(GetDlgCtrlID(child));
        if (Is(child, WC_STATICW)) {
            if ((style & SS_TYPEMASK) != SS_BITMAP) continue;
            control = "picture";
        } else if (Is(child, WC_BUTTONW) && (style & BS_TYPEMASK) == BS_GROUPBOX) {
            control = "group";
        }
        names.emplace_back(control, AccessibleName(child));
    }
    return names;
}

BoxContents DriveSession::OpenBox(UINT message, WPARAM command) {
    BoxReading reading;
    reading.owner = m_window;
    g_reading = &reading;
    // The box runs its own modal loop; read and close it from inside that loop.
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, ReadBox);
    PostMessageW(m_window, message, command, 0);
    for (int wait = 0; wait < 200 && !reading.seen; ++wait) {
        Settle();
        Sleep(5);
    }
    Settle();
    KillTimer(nullptr, timer);
    g_reading = nullptr;
    if (!reading.seen) throw DriveError("no box opened");
    HWND box = nullptr;
    for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd != nullptr; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
        if (hwnd != m_window && IsWindowVisible(hwnd) && DialogWindow::IsDialog(hwnd)) box = hwnd;
    if (box != nullptr || !IsWindowEnabled(m_window)) throw DriveError("the box did not close");
    return reading.contents;
}

BoxContents DriveSession::Help() {
    HMENU menu = GetMenu(m_window);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        if (std::wstring(text) == L"帮助") return OpenBox(WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, i), 0));
    }
    throw DriveError("there is no help menu item");
}

BoxContents DriveSession::SystemMenuAbout(std::string& itemText) {
    HMENU menu = GetSystemMenu(m_window, FALSE);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    if (count < 2) throw DriveError("the system menu has no item of Lamino's");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    if ((separator.fType & MFT_SEPARATOR) == 0) throw DriveError("no separator before the last system menu item");
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    itemText = Utf8(text);
    return OpenBox(WM_SYSCOMMAND, GetMenuItemID(menu, count - 1));
}

void DriveSession::Close() {
    PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
    if (!m_dialog.Window()->Ended()) throw DriveError("the main window did not close");
}

void DriveSession::Shot(const std::string& path) {
    RECT rect;
    GetWindowRect(m_window, &rect);
    if (!WritePng(path, rect.right - rect.left, rect.bottom - rect.top, CaptureScreen(rect)))
        throw DriveError("could not write " + path);
}


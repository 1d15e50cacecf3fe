#include "FormRenderer.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <charconv>

#include "Pictures.h"
#include "Wide.h"
#include "platform/core/Layout.h"

namespace platform {

namespace {

constexpr const wchar_t* kFormClass = L"KestrelForm";
constexpr const wchar_t* kPanelClass = L"KestrelPanel";
constexpr const wchar_t* kSplitterClass = L"KestrelSplitter";
constexpr const wchar_t* kImageClass = L"KestrelImage";
constexpr int kLabelHeight = 16;       // a labelled edit's caption sits above the edit
constexpr int kComboListHeight = 200;  // a combo box's window includes its drop-down list
constexpr int kToolIconSize = 32;
constexpr int kRadioHeight = 20;
// Scrolls a log pane to its end once after the entries of one pass through the loop.
constexpr UINT kScrollLogMessage = WM_APP + 10;

// A CR, alone or before an LF, breaks a caption into lines; Windows wants CR LF.
std::wstring Caption(const std::string& text) {
    std::wstring wide = Widen(text);
    std::wstring result;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\r' || wide[i] == L'\n') {
            result += L"\r\n";
            if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') {
                ++i;
            }
        } else {
            result += wide[i];
        }
    }
    return result;
}

COLORREF ToColorRef(const Colour& c) {
    return RGB(c.r, c.g, c.b);
}

bool IsContainer(ControlKind kind) {
    return kind == ControlKind::Form || kind == ControlKind::Panel ||
           kind == ControlKind::RadioGroup;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW form{};
    form.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    form.lpfnWndProc = DefWindowProcW;  // replaced per window once its renderer is known
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    form.lpszClassName = kFormClass;
    RegisterClassW(&form);
    WNDCLASSW panel = form;
    panel.lpszClassName = kPanelClass;
    RegisterClassW(&panel);
    WNDCLASSW image = form;
    image.lpszClassName = kImageClass;
    RegisterClassW(&image);
    WNDCLASSW splitter = form;
    splitter.lpszClassName = kSplitterClass;
    RegisterClassW(&splitter);
}

}  // namespace

int FormKey(WPARAM virtualKey) {
    const int vk = int(virtualKey);
    if (vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE || vk == VK_TAB || vk == VK_BACK ||
        (vk >= VK_F1 && vk <= VK_F24) || (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        return vk;
    }
    return 0;
}

FormRenderer::FormRenderer(Win32EventLoop& loop, Form& form, std::function<void()> formDestroyed)
    : loop_(loop),
      form_(form),
      formDestroyed_(std::move(formDestroyed)),
      alive_(std::make_shared<std::set<const Control*>>()) {
    RegisterClasses();
    const HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (form.borderStyle()) {
        case BorderStyle::Sizeable:
            break;
        case BorderStyle::Single:
            style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
            break;
        case BorderStyle::Dialog:
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case BorderStyle::None:
            style = WS_POPUP;
            break;
    }
    window_ = CreateWindowExW(exStyle, kFormClass, L"", style | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaled(400));
    attach(form, window_);
    views_[&form].hwnd = window_;
    alive_->insert(&form);
    form.setView(this);

    for (auto& child : form.children()) {
        if (child->kind() == ControlKind::MainMenu) {
            mainMenu_ = child.get();
            views_[mainMenu_];
            alive_->insert(mainMenu_);
            mainMenu_->setView(this);
        } else {
            build(*child, window_);
        }
    }
    rebuildMenu();
    applyAll(form);

    // The form's size is that of its client area with the menu bar, as the windows were designed.
    const Rect& b = form.bounds();
    RECT outer{0, 0, scaled(b.width), scaled(b.height)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    int left = scaled(b.left);
    int top = scaled(b.top);
    if (form.position() == Position::ScreenCentre) {
        RECT area;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        left = area.left + (area.right - area.left - width) / 2;
        top = area.top + (area.bottom - area.top - height) / 2;
    }
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    layoutChildren(form);
}

FormRenderer::~FormRenderer() {
    for (auto& [control, view] : views_) {
        const_cast<Control*>(control)->setView(nullptr);
    }
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    for (auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
}

HWND FormRenderer::handleFor(const Control& control) const {
    const auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second.hwnd;
}

UINT FormRenderer::commandFor(const Control& control) const {
    for (const auto& [command, item] : commands_) {
        if (item == &control) {
            return command;
        }
    }
    return 0;
}

Control* FormRenderer::controlOf(HWND hwnd) const {
    const auto it = controls_.find(hwnd);
    return it == controls_.end() ? nullptr : it->second;
}

void FormRenderer::attach(Control& control, HWND hwnd) {
    controls_[hwnd] = &control;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    wchar_t className[32];
    GetClassNameW(hwnd, className, 32);
    const std::wstring kind = className;
    if (kind == kFormClass || kind == kPanelClass || kind == kImageClass ||
        kind == kSplitterClass) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ContainerProc));
    } else {
        SetWindowSubclass(hwnd, ControlProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

HWND FormRenderer::create(Control& control, HWND parent) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](DWORD exStyle, const wchar_t* cls, DWORD style) {
        return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               nullptr, instance, nullptr);
    };
    View& view = views_[&control];
    switch (control.kind()) {
        case ControlKind::Panel:
            return make(WS_EX_CONTROLPARENT, kPanelClass, WS_CLIPCHILDREN);
        case ControlKind::RadioGroup:
            return make(WS_EX_CONTROLPARENT, kPanelClass, WS_CLIPCHILDREN);
        case ControlKind::Label:
            return make(0, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX);
        case ControlKind::Edit:
            return make(WS_EX_CLIENTEDGE, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP);
        case ControlKind::LabeledEdit:
            view.caption = make(0, L"STATIC", SS_LEFT | SS_NOPREFIX);
            controls_[view.caption] = &control;
            return make(WS_EX_CLIENTEDGE, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP);
        case ControlKind::ComboBox:
            return make(0, WC_COMBOBOXW,
                        (control.editable() ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) |
                            WS_VSCROLL | WS_TABSTOP);
        case ControlKind::CheckBox:
        case ControlKind::Switch:
            return make(0, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
        case ControlKind::SpinEdit: {
            const HWND edit = make(WS_EX_CLIENTEDGE, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP);
            view.upDown = make(0, UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_NOTHOUSANDS);
            controls_[view.upDown] = &control;
            return edit;
        }
        case ControlKind::RichLog:
            return make(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS,
                        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP);
        case ControlKind::Gauge:
            return make(0, PROGRESS_CLASSW, PBS_SMOOTH);
        case ControlKind::ListBox:
            return make(WS_EX_CLIENTEDGE, WC_LISTBOXW,
                        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP);
        case ControlKind::ToolBar: {
            const HWND bar = make(
                0, TOOLBARCLASSNAMEW,
                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER);
            SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
            const int icon = scaled(kToolIconSize);
            const HIMAGELIST images = ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 8, 8);
            SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
            return bar;
        }
        case ControlKind::ToolButton: {
            view.command = nextCommand_++;
            commands_[view.command] = &control;
            TBBUTTON button{};
            button.iBitmap = I_IMAGENONE;
            button.idCommand = int(view.command);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            SendMessageW(parent, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
            return nullptr;  // a button of its toolbar, not a window of its own
        }
        case ControlKind::Splitter:
            return make(0, kSplitterClass, 0);
        case ControlKind::Image:
            return make(0, kImageClass, 0);
        case ControlKind::Button:
            return make(0, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
        case ControlKind::Form:
        case ControlKind::MainMenu:
        case ControlKind::MenuItem:
            break;
    }
    return nullptr;
}

void FormRenderer::build(Control& control, HWND parent) {
    const HWND hwnd = create(control, parent);
    View& view = views_[&control];
    view.hwnd = hwnd;
    if (hwnd != nullptr) {
        attach(control, hwnd);
    }
    if (view.upDown != nullptr) {
        SendMessageW(view.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    alive_->insert(&control);
    control.setView(this);
    for (auto& child : control.children()) {
        build(*child, hwnd != nullptr ? hwnd : parent);
    }
    applyAll(control);
}

void FormRenderer::rebuildMenu() {
    if (mainMenu_ == nullptr) {
        return;
    }
    const HMENU old = menuBar_;
    menuBar_ = CreateMenu();
    appendMenuItems(menuBar_, *mainMenu_);
    SetMenu(window_, menuBar_);
    if (old != nullptr) {
        DestroyMenu(old);
    }
    DrawMenuBar(window_);
}

void FormRenderer::appendMenuItems(HMENU menu, Control& parent) {
    for (auto& child : parent.children()) {
        Control& item = *child;
        if (alive_->insert(&item).second) {
            views_[&item];  // no window of its own: the menu is made again when it changes
            item.setView(this);
        }
        UINT command = commandFor(item);
        if (command == 0) {
            command = nextCommand_++;
            commands_[command] = &item;
        }
        if (!item.visible()) {
            continue;  // a hidden menu item takes no place
        }
        const std::wstring text = Widen(item.text());
        const UINT state = item.enabled() ? MF_ENABLED : MF_GRAYED;
        if (!item.children().empty()) {
            const HMENU popup = CreatePopupMenu();
            appendMenuItems(popup, item);
            AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(popup),
                        text.c_str());
        } else {
            AppendMenuW(menu, MF_STRING | state, command, text.c_str());
        }
    }
}

void FormRenderer::deliver(Control& control, std::function<void(Control&)> event) {
    std::weak_ptr<std::set<const Control*>> alive = alive_;
    Control* target = &control;
    loop_.post([alive, target, event = std::move(event)] {
        const auto controls = alive.lock();
        if (controls && controls->count(target) != 0) {
            event(*target);
        }
    });
}

void FormRenderer::key(Control& control, int virtualKey, bool down) {
    // The form sees its own keys, and with key preview those of its controls first.
    if (form_.keyPreview() || &control == &form_) {
        deliver(form_, [virtualKey, down](Control& form) {
            down ? form.keyDown(virtualKey) : form.keyUp(virtualKey);
        });
    }
    if (&control != &form_) {
        deliver(control, [virtualKey, down](Control& c) {
            down ? c.keyDown(virtualKey) : c.keyUp(virtualKey);
        });
    }
}

// Keys and mouse buttons of any control's window, as the model sees them.
bool FormRenderer::handleCommon(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    Control* control = controlOf(hwnd);
    if (control == nullptr) {
        return false;
    }
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            if (down && wParam == VK_TAB) {
                const bool back = GetKeyState(VK_SHIFT) < 0;
                if (const HWND next = GetNextDlgTabItem(window_, hwnd, back)) {
                    SetFocus(next);
                }
                result = 0;
                return true;
            }
            const int vk = FormKey(wParam);
            const bool repeat = down && (lParam & (1 << 30)) != 0;
            if (vk != 0 && !repeat) {
                key(*control, vk, down);
            }
            return false;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const MouseButton button = message == WM_RBUTTONUP   ? MouseButton::Right
                                       : message == WM_MBUTTONUP ? MouseButton::Middle
                                                                 : MouseButton::Left;
            deliver(*control, [button](Control& c) { c.mouseUp(button); });
            if (control->kind() == ControlKind::Splitter) {
                ReleaseCapture();
            }
            return false;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK FormRenderer::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* renderer = reinterpret_cast<FormRenderer*>(data);
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ControlProc, 1);
    } else if (renderer->handleCommon(hwnd, message, wParam, lParam, result)) {
        return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FormRenderer::ContainerProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* renderer = reinterpret_cast<FormRenderer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (renderer != nullptr && (renderer->handleCommon(hwnd, message, wParam, lParam, result) ||
                                renderer->handleContainer(hwnd, message, wParam, lParam, result))) {
        return result;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool FormRenderer::handleContainer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result) {
    Control* self = controlOf(hwnd);
    if (self == nullptr) {
        return false;
    }
    const auto echo = [this](Control& c, std::function<void(Control&)> event) {
        if (!updating_) {
            deliver(c, std::move(event));
        }
    };
    switch (message) {
        case WM_CLOSE:
            if (hwnd == window_ && form_.isShown()) {
                // The model decides whether the window may close.
                deliver(form_, [](Control& form) { static_cast<Form&>(form).close(); });
            }
            result = 0;
            return true;
        case kScrollLogMessage:
            if (Control* log = controlOf(reinterpret_cast<HWND>(lParam))) {
                views_[log].scrollPosted = false;
                const auto pane = reinterpret_cast<HWND>(lParam);
                SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
                SendMessageW(pane, WM_VSCROLL, SB_BOTTOM, 0);
                InvalidateRect(pane, nullptr, TRUE);
            }
            result = 0;
            return true;
        case WM_SIZE:
            if (IsContainer(self->kind())) {
                layoutChildren(*self);
            }
            return false;
        case WM_PAINT:
            paintContainer(hwnd, *self);
            result = 0;
            return true;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, backgroundFor(*self));
            result = 1;
            return true;
        }
        case WM_SETCURSOR:
            if (self->kind() == ControlKind::Splitter) {
                const bool across = self->align() == Align::Left || self->align() == Align::Right;
                SetCursor(LoadCursorW(nullptr, across ? IDC_SIZEWE : IDC_SIZENS));
                result = TRUE;
                return true;
            }
            return false;
        case WM_LBUTTONDOWN:
            if (self->kind() == ControlKind::Splitter) {
                SetCapture(hwnd);
                GetCursorPos(&dragFrom_);
            }
            return false;
        case WM_MOUSEMOVE:
            if (self->kind() == ControlKind::Splitter && (wParam & MK_LBUTTON) != 0 &&
                GetCapture() == hwnd) {
                POINT at;
                GetCursorPos(&at);
                dragSplitter(*self, {at.x - dragFrom_.x, at.y - dragFrom_.y});
                dragFrom_ = at;
                result = 0;
                return true;
            }
            return false;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            const auto child = reinterpret_cast<HWND>(lParam);
            Control* control = controlOf(child);
            if (control == nullptr) {
                control = self;
            }
            const auto hdc = reinterpret_cast<HDC>(wParam);
            if (control->colour() && child != views_[control].caption) {
                SetTextColor(hdc, ToColorRef(*control->colour()));
            }
            const bool input = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
            if (input && !control->background()) {
                SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
                result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
                return true;
            }
            const HBRUSH brush = backgroundFor(*control);
            LOGBRUSH logBrush;
            GetObjectW(brush, sizeof logBrush, &logBrush);
            SetBkColor(hdc, logBrush.lbColor);
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        case WM_COMMAND: {
            const UINT code = HIWORD(wParam);
            const auto child = reinterpret_cast<HWND>(lParam);
            if (child == nullptr || controlOf(child) == nullptr) {
                // A menu item or a tool button.
                if (const auto it = commands_.find(LOWORD(wParam)); it != commands_.end()) {
                    deliver(*it->second, [](Control& c) { c.click(); });
                }
                result = 0;
                return true;
            }
            if (const auto radio = radioOwners_.find(child); radio != radioOwners_.end()) {
                const auto& radios = views_[radio->second].radios;
                const int index =
                    int(std::find(radios.begin(), radios.end(), child) - radios.begin());
                if (code == BN_CLICKED) {
                    echo(*radio->second, [index](Control& c) { c.userSetItemIndex(index); });
                }
                result = 0;
                return true;
            }
            Control& control = *controlOf(child);
            switch (control.kind()) {
                case ControlKind::Edit:
                case ControlKind::LabeledEdit:
                case ControlKind::SpinEdit:
                    if (code == EN_CHANGE) {
                        echo(control,
                             [t = Narrow(WindowText(child))](Control& c) { c.userSetText(t); });
                    }
                    break;
                case ControlKind::ComboBox:
                    if (code == CBN_SELCHANGE) {
                        const int index = int(SendMessageW(child, CB_GETCURSEL, 0, 0));
                        echo(control, [index](Control& c) { c.userSetItemIndex(index); });
                    } else if (code == CBN_EDITCHANGE) {
                        echo(control,
                             [t = Narrow(WindowText(child))](Control& c) { c.userSetText(t); });
                    }
                    break;
                case ControlKind::CheckBox:
                case ControlKind::Switch:
                    if (code == BN_CLICKED) {
                        const bool on = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
                        echo(control, [on](Control& c) { c.userSetChecked(on); });
                    }
                    break;
                case ControlKind::ListBox:
                    if (code == LBN_SELCHANGE) {
                        const int index = int(SendMessageW(child, LB_GETCURSEL, 0, 0));
                        echo(control, [index](Control& c) { c.userSetItemIndex(index); });
                    }
                    break;
                case ControlKind::Button:
                    if (code == BN_CLICKED) {
                        echo(control, [](Control& c) { c.click(); });
                    }
                    break;
                default:
                    break;
            }
            result = 0;
            return true;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == UDN_DELTAPOS) {
                if (Control* spin = controlOf(header->hwndFrom)) {
                    stepNumber(*spin, -reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
                }
                result = TRUE;  // the field shows the model's text, not the arrows' own count
                return true;
            }
            if (header->code == TTN_GETDISPINFOW) {
                auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
                Control* control = (info->uFlags & TTF_IDISHWND) != 0
                                       ? controlOf(reinterpret_cast<HWND>(header->idFrom))
                                       : nullptr;
                if (control == nullptr) {
                    if (const auto it = commands_.find(UINT(header->idFrom));
                        it != commands_.end()) {
                        control = it->second;
                    }
                }
                if (control != nullptr) {
                    View& view = views_[control];
                    view.hint = Caption(control->hint());
                    info->lpszText = view.hint.data();
                }
                result = 0;
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

void FormRenderer::paintContainer(HWND hwnd, Control& control) {
    PAINTSTRUCT paint;
    const HDC hdc = BeginPaint(hwnd, &paint);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(hdc, &r, backgroundFor(control));
    const View& view = views_[&control];
    SelectObject(hdc, view.font != nullptr ? view.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc,
                 control.colour() ? ToColorRef(*control.colour()) : GetSysColor(COLOR_BTNTEXT));
    const std::wstring text = Caption(control.text());
    switch (control.kind()) {
        case ControlKind::Panel: {
            DrawEdge(hdc, &r, BDR_RAISEDINNER, BF_RECT);
            DrawTextW(hdc, text.c_str(), int(text.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            break;
        }
        case ControlKind::RadioGroup: {
            RECT frame = r;
            frame.top += scaled(7);
            DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
            RECT title{r.left + scaled(8), r.top, r.right - scaled(8), r.top + scaled(15)};
            SetBkMode(hdc, OPAQUE);
            SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
            DrawTextW(hdc, text.c_str(), int(text.size()), &title,
                      DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            break;
        }
        case ControlKind::Splitter:
            DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
            break;
        case ControlKind::Image:
            if (!control.picture().empty()) {
                // Centred and scaled proportionally, as large as the control allows.
                const int side = std::min(r.right - r.left, r.bottom - r.top);
                if (const HICON icon = PictureIcon(control.picture(), side)) {
                    DrawIconEx(hdc, (r.right - side) / 2, (r.bottom - side) / 2, icon, side, side,
                               0, nullptr, DI_NORMAL);
                }
            }
            break;
        default:
            break;
    }
    EndPaint(hwnd, &paint);
}

HBRUSH FormRenderer::backgroundFor(Control& control) {
    // A control without a background of its own shows its container's, as a label does.
    for (Control* c = &control; c != nullptr; c = c->parent()) {
        if (!c->background()) {
            continue;
        }
        View& view = views_[c];
        if (view.background == nullptr) {
            view.background = CreateSolidBrush(ToColorRef(*c->background()));
        }
        return view.background;
    }
    return GetSysColorBrush(COLOR_BTNFACE);
}

std::vector<HWND> FormRenderer::windowsOf(const View& view) const {
    std::vector<HWND> windows;
    for (HWND hwnd : {view.hwnd, view.caption, view.upDown}) {
        if (hwnd != nullptr) {
            windows.push_back(hwnd);
        }
    }
    windows.insert(windows.end(), view.radios.begin(), view.radios.end());
    return windows;
}

void FormRenderer::stepNumber(Control& control, int delta) {
    const HWND edit = views_[&control].hwnd;
    std::string text = Narrow(WindowText(edit));
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool number = error == std::errc() && end == text.data() + text.size() && !text.empty();
    // Whatever the field shows (a value past the range, letters), the arrows step into the range.
    value = std::clamp(number ? value + delta : control.minimum(), control.minimum(),
                       control.maximum());
    // Set as the operator types, so the change comes back as the field's text.
    SetWindowTextW(edit, Widen(std::to_string(value)).c_str());
}

void FormRenderer::dragSplitter(Control& splitter, POINT delta) {
    // A splitter resizes the control aligned to the same side just before it.
    Control* parent = splitter.parent();
    if (parent == nullptr) {
        return;
    }
    Control* neighbour = nullptr;
    for (const auto& child : parent->children()) {
        if (child.get() == &splitter) {
            break;
        }
        if (child->align() == splitter.align() && child->visible()) {
            neighbour = child.get();
        }
    }
    if (neighbour == nullptr) {
        return;
    }
    const int dx = MulDiv(delta.x, 96, dpi_);
    const int dy = MulDiv(delta.y, 96, dpi_);
    Rect r = neighbour->bounds();
    switch (splitter.align()) {
        case Align::Left:
            r.width = std::max(20, r.width + dx);
            break;
        case Align::Right:
            r.width = std::max(20, r.width - dx);
            break;
        case Align::Top:
            r.height = std::max(20, r.height + dy);
            break;
        case Align::Bottom:
            r.height = std::max(20, r.height - dy);
            break;
        default:
            return;
    }
    neighbour->setBounds(r);
}

void FormRenderer::layoutChildren(Control& container) {
    if (!IsContainer(container.kind())) {
        return;
    }
    const HWND content = views_[&container].hwnd;
    if (content == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(content, &client);
    std::vector<const Control*> placed;
    for (auto& child : container.children()) {
        if (child->kind() != ControlKind::MainMenu && views_.count(child.get()) != 0) {
            placed.push_back(child.get());
        }
    }
    // Layout runs in model units; the windows are placed in screen pixels.
    const Rect area{0, 0, MulDiv(client.right, 96, dpi_), MulDiv(client.bottom, 96, dpi_)};
    const std::vector<Rect> rects = alignedBounds(area, placed);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const View& view = views_[placed[i]];
        if (view.hwnd == nullptr) {
            continue;
        }
        const Rect& r = rects[i];
        int height = r.height;
        if (placed[i]->kind() == ControlKind::LabeledEdit) {
            MoveWindow(view.caption, scaled(r.left), scaled(r.top - kLabelHeight), scaled(r.width),
                       scaled(kLabelHeight), TRUE);
        } else if (placed[i]->kind() == ControlKind::ComboBox) {
            height += kComboListHeight;
        }
        int width = r.width;
        if (view.upDown != nullptr) {
            const int arrows = GetSystemMetrics(SM_CXVSCROLL);
            width = std::max(0, r.width - MulDiv(arrows, 96, dpi_));
            MoveWindow(view.upDown, scaled(r.left + width), scaled(r.top), arrows, scaled(r.height),
                       TRUE);
        }
        MoveWindow(view.hwnd, scaled(r.left), scaled(r.top), scaled(width), scaled(height), TRUE);
        if (placed[i]->kind() == ControlKind::RadioGroup) {
            for (std::size_t k = 0; k < view.radios.size(); ++k) {
                MoveWindow(view.radios[k], scaled(8), scaled(18 + int(k) * kRadioHeight),
                           std::max(0, scaled(r.width - 16)), scaled(kRadioHeight), TRUE);
            }
        }
    }
}

void FormRenderer::applyAll(Control& control) {
    // Items first: a combo box's text is shown against them.
    for (Property p : {Property::Items, Property::ItemIndex, Property::Range, Property::Text,
                       Property::Label, Property::Visible, Property::Enabled, Property::Font,
                       Property::Colour, Property::Background, Property::Checked, Property::Value,
                       Property::Hint, Property::Picture, Property::Editable}) {
        apply(control, p);
    }
    if (control.kind() == ControlKind::RichLog) {
        const HWND log = views_[&control].hwnd;
        SendMessageW(log, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_WINDOW));
        // A rich edit holds 32K characters unless told otherwise; a log grows for the whole run.
        SendMessageW(log, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        SendMessageW(log, EM_SETUNDOLIMIT, 0, 0);  // a log is never undone: no history to keep
        for (const LogLine& line : control.lines()) {
            appendLogLine(log, line);
        }
    }
}

// Each entry goes at the end as plain text in its own colour; the operator's selection is put
// back as it was, and the pane scrolls to its end once per pass through the loop, so an entry
// costs time in proportion to its own length however many come at once.
void FormRenderer::appendLogLine(HWND log, const LogLine& line) {
    CHARRANGE selection;
    SendMessageW(log, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    GETTEXTLENGTHEX query{GTL_NUMCHARS, 1200};
    const auto length =
        LONG(SendMessageW(log, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
    CHARRANGE end{length, length};
    SendMessageW(log, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = ToColorRef(line.colour);
    if (!line.fontFamily.empty()) {
        format.dwMask |= CFM_FACE;
        const std::wstring face = Widen(line.fontFamily);
        wcsncpy(format.szFaceName, face.c_str(), LF_FACESIZE - 1);
    }
    SendMessageW(log, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const std::wstring text = (length > 0 ? L"\r" : L"") + Widen(line.text);
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(log, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    View& view = views_[controlOf(log)];
    if (!view.scrollPosted) {
        // The pane is laid out and drawn once, when the loop has handed over this pass's entries.
        SendMessageW(log, WM_SETREDRAW, FALSE, 0);
        view.scrollPosted =
            PostMessageW(window_, kScrollLogMessage, 0, reinterpret_cast<LPARAM>(log)) != FALSE;
    }
}

void FormRenderer::applyFont(Control& control) {
    View& view = views_[&control];
    // Family and size come from the nearest control that names them, as child widgets inherit.
    Font effective = control.font();
    for (Control* c = control.parent(); c != nullptr; c = c->parent()) {
        if (effective.family.empty()) {
            effective.family = c->font().family;
        }
        if (effective.pointSize == 0) {
            effective.pointSize = c->font().pointSize;
        }
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (!effective.family.empty()) {
        wcsncpy(font.lfFaceName, Widen(effective.family).c_str(), LF_FACESIZE - 1);
    }
    if (effective.pointSize > 0) {
        font.lfHeight = -MulDiv(effective.pointSize, dpi_, 72);
    }
    font.lfWeight = effective.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = effective.italic;
    font.lfUnderline = effective.underline;
    const std::wstring key = std::wstring(font.lfFaceName) + L"/" + std::to_wstring(font.lfHeight) +
                             L"/" + std::to_wstring(font.lfWeight) + L"/" +
                             std::to_wstring(font.lfItalic) + std::to_wstring(font.lfUnderline);
    HFONT& handle = fonts_[key];
    if (handle == nullptr) {
        handle = CreateFontIndirectW(&font);
    }
    view.font = handle;
    for (HWND hwnd : windowsOf(view)) {
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
    }
    if (control.kind() == ControlKind::RichLog) {
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_FACE | CFM_SIZE;
        wcsncpy(format.szFaceName, font.lfFaceName, LF_FACESIZE - 1);
        format.yHeight = (effective.pointSize > 0 ? effective.pointSize : 9) * 20;
        SendMessageW(view.hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    }
    for (auto& child : control.children()) {
        if (views_.count(child.get()) != 0) {
            applyFont(*child);
        }
    }
}

void FormRenderer::apply(Control& control, Property property) {
    if (control.kind() == ControlKind::MenuItem || &control == mainMenu_) {
        rebuildMenu();
        return;
    }
    View& view = views_[&control];
    const HWND hwnd = view.hwnd;
    if (control.kind() == ControlKind::ToolButton) {
        const HWND bar = views_[control.parent()].hwnd;
        switch (property) {
            case Property::Visible:
                SendMessageW(bar, TB_HIDEBUTTON, view.command, !control.visible());
                break;
            case Property::Enabled:
                SendMessageW(bar, TB_ENABLEBUTTON, view.command, control.enabled());
                break;
            case Property::Picture:
                if (const HICON icon = PictureIcon(control.picture(), scaled(kToolIconSize))) {
                    const auto images =
                        reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
                    const int index = ImageList_AddIcon(images, icon);
                    SendMessageW(bar, TB_CHANGEBITMAP, view.command, index);
                }
                break;
            default:
                break;
        }
        return;
    }
    if (hwnd == nullptr) {
        return;
    }
    updating_ = true;
    const std::wstring text = Caption(control.text());
    switch (property) {
        case Property::Text:
            switch (control.kind()) {
                case ControlKind::ComboBox:
                    if (control.editable()) {
                        SetWindowTextW(hwnd, text.c_str());
                    } else {
                        SendMessageW(hwnd, CB_SETCURSEL,
                                     SendMessageW(hwnd, CB_FINDSTRINGEXACT, WPARAM(-1),
                                                  reinterpret_cast<LPARAM>(text.c_str())),
                                     0);
                    }
                    break;
                case ControlKind::RichLog:
                case ControlKind::Gauge:
                case ControlKind::ListBox:
                case ControlKind::ToolBar:
                    break;
                case ControlKind::Form:
                case ControlKind::Panel:
                case ControlKind::RadioGroup:
                    SetWindowTextW(hwnd, text.c_str());
                    InvalidateRect(hwnd, nullptr, TRUE);
                    break;
                default:
                    if (WindowText(hwnd) != text) {
                        SetWindowTextW(hwnd, text.c_str());
                    }
                    break;
            }
            break;
        case Property::Label:
            if (view.caption != nullptr) {
                SetWindowTextW(view.caption, Caption(control.label()).c_str());
            }
            break;
        case Property::Bounds:
        case Property::Align:
            if (&control == &form_) {
                RECT outer{0, 0, scaled(control.bounds().width), scaled(control.bounds().height)};
                AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                                   DWORD(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
                SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left,
                             outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (control.parent() != nullptr) {
                layoutChildren(*control.parent());
            }
            break;
        case Property::Visible:
            if (&control == &form_) {
                if (!control.visible()) {
                    ShowWindow(hwnd, SW_HIDE);
                }
            } else {
                for (HWND w : windowsOf(view)) {
                    ShowWindow(w, control.visible() ? SW_SHOWNA : SW_HIDE);
                }
                if (control.parent() != nullptr) {
                    layoutChildren(*control.parent());
                }
            }
            break;
        case Property::Enabled:
            for (HWND w : windowsOf(view)) {
                EnableWindow(w, control.enabled());
            }
            break;
        case Property::Colour:
            if (control.kind() == ControlKind::Gauge && control.colour()) {
                SendMessageW(hwnd, PBM_SETBARCOLOR, 0, ToColorRef(*control.colour()));
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case Property::Background:
            if (view.background != nullptr) {
                DeleteObject(view.background);
                view.background = nullptr;
            }
            if (control.kind() == ControlKind::RichLog && control.background()) {
                SendMessageW(hwnd, EM_SETBKGNDCOLOR, 0, ToColorRef(*control.background()));
            }
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case Property::Font:
            applyFont(control);
            break;
        case Property::Items:
            if (control.kind() == ControlKind::ComboBox) {
                SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
                for (const std::string& item : control.items()) {
                    SendMessageW(hwnd, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(Caption(item).c_str()));
                }
                SendMessageW(hwnd, CB_SETCURSEL, WPARAM(control.itemIndex()), 0);
                if (control.editable()) {
                    SetWindowTextW(hwnd, text.c_str());
                }
            } else if (control.kind() == ControlKind::ListBox) {
                SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
                for (const std::string& item : control.items()) {
                    SendMessageW(hwnd, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(Caption(item).c_str()));
                }
                SendMessageW(hwnd, LB_SETCURSEL, WPARAM(control.itemIndex()), 0);
            } else if (control.kind() == ControlKind::RadioGroup) {
                for (HWND radio : view.radios) {
                    radioOwners_.erase(radio);
                    DestroyWindow(radio);
                }
                view.radios.clear();
                for (std::size_t i = 0; i < control.items().size(); ++i) {
                    const HWND radio =
                        CreateWindowExW(0, L"BUTTON", Caption(control.items()[i]).c_str(),
                                        WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP, 0,
                                        0, 0, 0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
                    SendMessageW(radio, BM_SETCHECK, int(i) == control.itemIndex(), 0);
                    if (view.font != nullptr) {
                        SendMessageW(radio, WM_SETFONT, reinterpret_cast<WPARAM>(view.font), 0);
                    }
                    radioOwners_[radio] = &control;
                    controls_[radio] = &control;
                    view.radios.push_back(radio);
                }
                if (control.parent() != nullptr) {
                    layoutChildren(*control.parent());
                }
            }
            break;
        case Property::ItemIndex:
            if (control.kind() == ControlKind::ComboBox) {
                SendMessageW(hwnd, CB_SETCURSEL, WPARAM(control.itemIndex()), 0);
            } else if (control.kind() == ControlKind::ListBox) {
                SendMessageW(hwnd, LB_SETCURSEL, WPARAM(control.itemIndex()), 0);
            } else if (control.kind() == ControlKind::RadioGroup) {
                for (std::size_t i = 0; i < view.radios.size(); ++i) {
                    SendMessageW(view.radios[i], BM_SETCHECK, int(i) == control.itemIndex(), 0);
                }
            }
            break;
        case Property::Checked:
            if (control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::Switch) {
                SendMessageW(hwnd, BM_SETCHECK, control.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        case Property::Value:
            if (control.kind() == ControlKind::Gauge) {
                SendMessageW(hwnd, PBM_SETPOS, WPARAM(control.value()), 0);
            }
            break;
        case Property::Range:
            if (control.kind() == ControlKind::Gauge) {
                SendMessageW(hwnd, PBM_SETRANGE32, WPARAM(control.minimum()), control.maximum());
            } else if (view.upDown != nullptr) {
                SendMessageW(view.upDown, UDM_SETRANGE32, WPARAM(control.minimum()),
                             control.maximum());
            }
            break;
        case Property::Hint:
            for (HWND w : windowsOf(view)) {
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
                tool.hwnd = window_;
                tool.uId = reinterpret_cast<UINT_PTR>(w);
                tool.lpszText = LPSTR_TEXTCALLBACKW;
                SendMessageW(tooltip_, control.hint().empty() ? TTM_DELTOOLW : TTM_ADDTOOLW, 0,
                             reinterpret_cast<LPARAM>(&tool));
            }
            break;
        case Property::Picture:
            if (control.picture().empty()) {
                break;
            }
            if (&control == &form_) {
                SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
                             reinterpret_cast<LPARAM>(PictureIcon(control.picture(), 16)));
                SendMessageW(hwnd, WM_SETICON, ICON_BIG,
                             reinterpret_cast<LPARAM>(PictureIcon(control.picture(), 32)));
            } else if (control.kind() == ControlKind::Button) {
                SendMessageW(hwnd, BM_SETIMAGE, IMAGE_ICON,
                             reinterpret_cast<LPARAM>(PictureIcon(control.picture(), 16)));
            } else {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            break;
        case Property::Editable:
            if (control.kind() == ControlKind::ComboBox) {
                const bool editable = (GetWindowLongPtrW(hwnd, GWL_STYLE) & 3) == CBS_DROPDOWN;
                if (editable != control.editable()) {
                    // A combo box's kind is fixed when it is made: make it again.
                    controls_.erase(hwnd);
                    const HWND parent = GetParent(hwnd);
                    DestroyWindow(hwnd);
                    view.hwnd = create(control, parent);
                    attach(control, view.hwnd);
                    updating_ = false;
                    applyAll(control);
                    if (control.parent() != nullptr) {
                        layoutChildren(*control.parent());
                    }
                    return;
                }
            } else if (control.kind() == ControlKind::Edit ||
                       control.kind() == ControlKind::LabeledEdit) {
                SendMessageW(hwnd, EM_SETREADONLY, !control.editable(), 0);
            }
            break;
        case Property::LineAppended:
            if (control.kind() == ControlKind::RichLog) {
                appendLogLine(hwnd, control.lines().back());
            }
            break;
        case Property::LinesCleared:
            if (control.kind() == ControlKind::RichLog) {
                SetWindowTextW(hwnd, L"");
            }
            break;
    }
    updating_ = false;
}

void FormRenderer::propertyChanged(Control& control, Property property) {
    apply(control, property);
}

void FormRenderer::controlDestroyed(Control& control) {
    alive_->erase(&control);
    if (&control == mainMenu_) {
        mainMenu_ = nullptr;
    }
    for (auto it = commands_.begin(); it != commands_.end();) {
        it = it->second == &control ? commands_.erase(it) : std::next(it);
    }
    const auto it = views_.find(&control);
    if (it == views_.end()) {
        return;
    }
    View view = it->second;
    views_.erase(it);
    if (&control == &form_) {
        DestroyWindow(window_);
        window_ = nullptr;
        formDestroyed_();
        return;
    }
    for (HWND hwnd : windowsOf(view)) {
        controls_.erase(hwnd);
        radioOwners_.erase(hwnd);
        DestroyWindow(hwnd);
    }
    if (view.background != nullptr) {
        DeleteObject(view.background);
    }
}

}  // namespace platform

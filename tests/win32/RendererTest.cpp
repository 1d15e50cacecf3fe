#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "platform/core/Timer.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"

using namespace platform;

namespace {

std::string TextOf(HWND hwnd) {
    std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return Narrow(text);
}

RECT PlaceOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A small form with one control of each kind that takes input.
struct SampleForm : Form {
    SampleForm() : Form("sample") {
        setBounds({0, 0, 300, 200});
        top.setAlign(Align::Top);
        top.setBounds({0, 0, 0, 40});
        top.setText("top");
        label.setBounds({5, 5, 100, 20});
        edit.setBounds({10, 60, 100, 22});
        check.setBounds({10, 90, 100, 22});
        check.setText("check");
        button.setBounds({10, 120, 80, 26});
        button.setText("press");
        number.setBounds({10, 150, 80, 22});
        number.setRange(1, 10);
        log.setBounds({150, 60, 140, 100});
    }
    Control& top = add(ControlKind::Panel, "top");
    Control& label = top.add(ControlKind::Label, "label");
    Control& edit = add(ControlKind::Edit, "edit");
    Control& check = add(ControlKind::CheckBox, "check");
    Control& button = add(ControlKind::Button, "button");
    Control& number = add(ControlKind::SpinEdit, "number");
    Control& log = add(ControlKind::RichLog, "log");
};

class Renderer : public ::testing::Test {
  protected:
    Win32Platform win32;
    SampleForm form;

    void SetUp() override {
        win32.desktop.show(form);
        win32.loop.processEvents();
    }
    HWND handle(const Control& c) { return win32.desktop.rendererFor(form)->handleFor(c); }
    // Control notifications arrive as model events through the loop.
    void deliver() {
        for (int i = 0; i < 3; ++i) {
            win32.loop.processEvents();
        }
    }
};

TEST_F(Renderer, WindowsMirrorTheirControls) {
    form.label.setText("two\rlines");
    EXPECT_EQ(TextOf(handle(form.label)), "two\r\nlines");
    form.label.setText("Порт & швидкість");
    EXPECT_EQ(TextOf(handle(form.label)), "Порт & швидкість");
    form.check.setChecked(true);
    EXPECT_EQ(SendMessageW(handle(form.check), BM_GETCHECK, 0, 0), BST_CHECKED);
    form.button.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(handle(form.button)));
    form.edit.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(handle(form.edit)));
    // The top-aligned panel spans the client width; the form's client area has the designed size.
    RECT client;
    GetClientRect(win32.desktop.rendererFor(form)->window(), &client);
    const int scale = win32.desktop.rendererFor(form)->scaled(100);
    EXPECT_EQ(client.right, 300 * scale / 100);
    EXPECT_EQ(client.bottom, 200 * scale / 100);
    const RECT top = PlaceOf(handle(form.top));
    EXPECT_EQ(top.right - top.left, client.right);
    EXPECT_EQ(top.bottom - top.top, 40 * scale / 100);

    form.log.appendLine({"green line", colours::Green, "Courier New"});
    form.log.appendLine({"<b>not markup</b>", colours::Red, ""});
    EXPECT_EQ(TextOf(handle(form.log)), "green line\r\n<b>not markup</b>");
    form.log.clearLines();
    EXPECT_EQ(TextOf(handle(form.log)), "");

    form.number.setText("250");  // shown as the program holds it, even past the range
    EXPECT_EQ(TextOf(handle(form.number)), "250");
}

TEST_F(Renderer, LongLogsKeepEveryLine) {
    // A rich edit stops at 32K characters unless told otherwise.
    const std::string line(100, 'x');
    for (int i = 0; i < 400; ++i) {
        form.log.appendLine({line, colours::Black, ""});
    }
    EXPECT_EQ(GetWindowTextLengthW(handle(form.log)), 400 * 102 - 2);
}

TEST_F(Renderer, UserActionsComeBackAsEvents) {
    int clicks = 0;
    std::string typed;
    bool checked = false;
    std::vector<MouseButton> mouse;
    std::vector<int> keys;
    form.button.onClick = [&] { ++clicks; };
    form.edit.onChange = [&] { typed = form.edit.text(); };
    form.check.onChange = [&] { checked = form.check.checked(); };
    form.label.onMouseUp = [&](MouseButton b) { mouse.push_back(b); };
    form.edit.onKeyDown = [&](int key) { keys.push_back(key); };

    SendMessageW(handle(form.button), BM_CLICK, 0, 0);
    SetWindowTextW(handle(form.edit), L"ab");  // as typing does: the edit tells of the change
    SendMessageW(handle(form.check), BM_CLICK, 0, 0);
    SendMessageW(handle(form.label), WM_RBUTTONUP, 0, 0);
    SendMessageW(handle(form.edit), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(handle(form.edit), WM_KEYDOWN, VK_SHIFT, 1);  // not a key the forms take
    EXPECT_EQ(clicks, 0);  // nothing runs inside the control's own handler
    deliver();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(typed, "ab");
    EXPECT_TRUE(checked);
    EXPECT_EQ(mouse, (std::vector<MouseButton>{MouseButton::Right}));
    EXPECT_EQ(keys, (std::vector<int>{keys::Return}));
}

TEST_F(Renderer, NumberFieldArrowsStepIntoTheRangeFromWhatItShows) {
    const HWND edit = handle(form.number);
    const HWND arrows = GetWindow(edit, GW_HWNDNEXT);
    const struct {
        const char* shown;
        int delta;
        const char* after;
    } cases[] = {{"5", 1, "6"},     {"5", -1, "4"},  {"10", 1, "10"},
                 {"250", -1, "10"}, {"abc", 1, "1"}, {" 3 ", 1, "4"}};
    for (const auto& c : cases) {
        form.number.setText(c.shown);
        NMUPDOWN step{};
        step.hdr.hwndFrom = arrows;
        step.hdr.idFrom = UINT_PTR(GetDlgCtrlID(arrows));
        step.hdr.code = UDN_DELTAPOS;
        step.iDelta = -c.delta;  // the arrows count downwards
        SendMessageW(GetParent(arrows), WM_NOTIFY, step.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&step));
        deliver();
        EXPECT_EQ(form.number.text(), c.after) << c.shown << " " << c.delta;
    }
}

TEST_F(Renderer, WindowCloseAsksTheModelWhichMayRefuse) {
    bool allow = false;
    form.onCloseQuery = [&] { return allow; };
    const HWND window = win32.desktop.rendererFor(form)->window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    deliver();
    EXPECT_TRUE(form.isShown());
    EXPECT_TRUE(IsWindowVisible(window));
    allow = true;
    SendMessageW(window, WM_CLOSE, 0, 0);
    deliver();
    EXPECT_FALSE(form.isShown());
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST(Win32Modal, ModalFormBlocksWhileTimersRun) {
    Win32Platform win32;
    Form dialog("dialog");
    dialog.setBounds({0, 0, 200, 100});
    int ticks = 0;
    Timer timer(win32.loop, 10, true);
    timer.onTick([&] {
        if (++ticks == 5) {
            dialog.close();
        }
    });
    win32.desktop.showModal(dialog);
    EXPECT_EQ(ticks, 5);
    EXPECT_FALSE(dialog.isShown());
}

TEST(Win32Modal, MessageBoxKeepsTimersAndReceptionsRunning) {
    Win32Platform win32;
    win32.desktop.setApplicationTitle("Kestrel test box");
    int ticks = 0;
    int received = 0;
    const auto id = win32.loop.addReceiver([&] { ++received; });
    Timer timer(win32.loop, 20, true);
    timer.onTick([&] {
        win32.loop.signal(id);  // as a port's reader thread does
        if (++ticks == 5) {
            // The operator answers the native box.
            const HWND box = FindWindowW(L"#32770", L"Kestrel test box");
            ASSERT_NE(box, nullptr);
            PostMessageW(box, WM_COMMAND, IDYES, 0);
        }
    });
    const BoxAnswer answer =
        win32.desktop.messageBox(BoxIcon::Question, "Продовжити?", BoxButtons::YesNo);
    EXPECT_EQ(answer, BoxAnswer::Yes);
    EXPECT_GE(ticks, 5);
    EXPECT_GE(received, 4);
    win32.loop.removeReceiver(id);
}

TEST(Win32Desktop, InstanceLockIsRefusedToASecondHolderUntilReleased) {
    const std::string name = "KESTREL-TEST-" + std::to_string(GetCurrentProcessId());
    auto first = LockInstance(name);
    ASSERT_NE(first.lock, nullptr) << first.error;
    const auto second = LockInstance(name);
    EXPECT_EQ(second.lock, nullptr);
    EXPECT_EQ(second.error, "");  // held by another: no failure to report
    first.lock.reset();
    EXPECT_NE(LockInstance(name).lock, nullptr);
}

TEST(Win32Desktop, RegionalFormatsAreWrittenForTheUser) {
    Win32Platform win32;
    win32.desktop.writeRegionalFormats();
    wchar_t value[64];
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, value, 64);
    EXPECT_EQ(std::wstring(value), L".");
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, value, 64);
    EXPECT_EQ(std::wstring(value), L"dd.MM.yyyy");
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, value, 64);
    EXPECT_EQ(std::wstring(value), L"HH:mm:ss");
}

TEST(Win32Desktop, ProgramFolderIsTheExecutablesFolder) {
    Win32Platform win32;
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(win32.desktop.programFolder(), std::filesystem::path(path).parent_path());
    EXPECT_GT(win32.desktop.screenSize().width, 0);
}

}  // namespace

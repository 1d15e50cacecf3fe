#include <gtest/gtest.h>

#include <fstream>

#include "kestrel/app/prKestrel.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/work/pFlagDebug.h"
#include "kestrel/work/pWinServ.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/Wide.h"
#include "plover/pRs_Wren.h"
#include "shared/AboutBox.h"
#include "shared/Helpers.h"
#include "win32/Win32Kestrel.h"
#include "win32/WindowPicture.h"

using testing_support::Win32Kestrel;

namespace {

bool SavePicture(HWND window, const std::string& name) {
    return testing_support::SaveWindowPicture(
        window, std::filesystem::path(KESTREL_TEST_RESULTS) / ("win32-" + name + ".png"));
}

std::string TextOf(HWND hwnd) {
    std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return platform::Narrow(text);
}

// Opens a modal window through `open`, and once it is up checks it, saves its picture and closes
// it as the operator would.
void ShootModal(Win32Kestrel& k, const std::function<platform::Form*()>& form,
                const std::function<void()>& open, const std::string& name,
                const std::function<void()>& check = {}) {
    k.operatorScript.after(300, [&k, form, name, check] {
        platform::Form* window = form();
        ASSERT_NE(window, nullptr) << name;
        EXPECT_TRUE(IsWindowVisible(k.window(*window))) << name;
        if (check) {
            check();
        }
        EXPECT_TRUE(SavePicture(k.window(*window), name));
        window->close();
    });
    open();
}

}  // namespace

// Every window of the program in each language, rendered on standard controls and saved for
// review beside the Qt ones.
TEST(Win32Windows, RenderInEachLanguage) {
    for (const char* code : {"UA", "RU", "EN"}) {
        SCOPED_TRACE(code);
        testing_support::TempFolder folder;
        folder.writeBytes("Type_Leng.000", std::string(code) + "\r\n");
        Win32Kestrel k(folder);
        k.app.start();
        shared::WaitWithEvents(k.loop, 200);
        const std::string suffix = std::string("-") + code;

        const HWND main = k.window(*k.app.fKestrel);
        EXPECT_TRUE(IsWindowVisible(main));
        const HMENU menu = GetMenu(main);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(GetMenuItemCount(menu), 4);
        wchar_t caption[64];
        GetMenuStringW(menu, 3, caption, 64, MF_BYPOSITION);
        EXPECT_EQ(platform::Narrow(caption), k.app.fKestrel->mExit.text());
        EXPECT_TRUE(SavePicture(main, "main-window" + suffix));

        kestrel::TInRS232& settings = *k.app.InRS232;
        ShootModal(
            k, [&] { return &settings; }, [&] { k.app.fKestrel->mSetPar.click(); },
            "settings-window" + suffix,
            [&] {
                EXPECT_EQ(TextOf(k.handle(settings, settings.lBaner)), settings.lBaner.text());
                EXPECT_TRUE(IsWindowVisible(k.handle(settings, settings.cbRS232_SERV)));
                EXPECT_FALSE(IsWindowVisible(k.handle(settings, settings.chSORREL)));
                const HWND speeds = k.handle(settings, settings.cbSpeedServ);
                EXPECT_EQ(SendMessageW(speeds, CB_GETCOUNT, 0, 0), 12);
                EXPECT_EQ(TextOf(speeds), "115200");
            });
        EXPECT_FALSE(settings.isShown());
        ShootModal(
            k, [&] { return k.app.AboutForm; }, [&] { k.app.fKestrel->mHELP_PO.click(); },
            "about" + suffix);
        ShootModal(
            k, [&] { return k.app.fFlagDebug; },
            [&] { k.app.fKestrel->rxL_Baza.mouseUp(platform::MouseButton::Right); },
            "debug-flags" + suffix);
        EXPECT_EQ(k.app.AboutForm, nullptr);  // released when closed
        EXPECT_EQ(k.app.fFlagDebug, nullptr);
        k.app.fKestrel->close();
        shared::WaitWithEvents(k.loop, 50);
    }
}

TEST(Win32Windows, WorkWindowWithAndWithoutTheDebugArea) {
    for (bool monitor : {false, true}) {
        testing_support::TempFolder folder;
        Win32Kestrel k(folder);
        k.app.start();
        k.app.values.debug.DebugMonitor = monitor;
        k.app.values.settings.GprsApn = "internet";
        k.app.values.settings.GprsPort = "5001";
        auto work = std::make_unique<kestrel::TfWinServ>(k.app);
        k.app.fWinServ = work.get();
        k.desktop.show(*work);
        shared::WaitWithEvents(k.loop, 300);  // the window's start runs on its first tick
        k.app.logs->LogRing(kestrel::LogKind::SentRing, "->:ATD0501234567; // hex: 41 54 44 ",
                            true);
        k.app.logs->LogWin(kestrel::LogKind::Step, "0D 0A 4F 4B 0D 0A ", true);
        shared::WaitWithEvents(k.loop, 50);

        EXPECT_EQ(IsWindowVisible(k.handle(*work, work->pLogDeb)) != FALSE, monitor);
        EXPECT_EQ(TextOf(k.handle(*work, work->sStartServ)), "NO");
        EXPECT_NE(TextOf(k.handle(*work, work->reLogDeb_Phone)).find("->:ATD0501234567;"),
                  std::string::npos);
        EXPECT_TRUE(SavePicture(k.window(*work), monitor ? "work-window-debug" : "work-window"));
        k.app.fWinServ = nullptr;
        work.reset();
        k.app.fKestrel->close();
    }
}

TEST(Win32Windows, TesterWindowRendersInEachLanguage) {
    const struct {
        const char* code;
        const char* caption;
        const char* errors;
    } cases[] = {
        {"UA", "контроль нуль-модемного кабелю", "Кіл-сть\r\nпомилок"},
        {"RU", "контроль нуль-модемного кабеля", "Кол-во\r\nошибок"},
        {"EN", "null modem cable control", "Number\r\nof errors"},
    };
    for (const auto& c : cases) {
        testing_support::TempFolder folder;
        std::ofstream(folder.path() / "Type_Leng.000", std::ios::binary) << c.code << "\r\n";
        testing_support::Win32Plover p(folder.path());
        p.operatorScript.after(400, [&] {
            plover::TfRS_Wren& w = *p.app.fRS_Wren;
            const HWND window = p.desktop.rendererFor(w)->window();
            EXPECT_TRUE(IsWindowVisible(window));
            EXPECT_EQ(TextOf(window), c.caption);
            const auto handle = [&](const platform::Control& control) {
                return p.desktop.rendererFor(w)->handleFor(control);
            };
            EXPECT_FALSE(IsWindowEnabled(handle(w.rxControl_Data)));
            EXPECT_EQ(TextOf(handle(w.lError)), c.errors);
            EXPECT_EQ(TextOf(handle(w.CB_LANGUAGE)), c.code);
            EXPECT_TRUE(SavePicture(window, std::string("tester-window-") + c.code));
            w.mExit.click();
        });
        p.app.start();
        p.app.run();
        EXPECT_EQ(p.app.fRS_Wren, nullptr) << c.code;
    }
}

TEST(Win32Windows, EveryPictureWasBuiltIntoTheProgram) {
    testing_support::TempFolder folder;
    Win32Kestrel k(folder);
    k.app.start();
    auto work = std::make_unique<kestrel::TfWinServ>(k.app);
    k.desktop.show(*work);
    shared::WaitWithEvents(k.loop, 100);
    EXPECT_EQ(platform::MissingPictureCount(), 0);
    work.reset();
    k.app.fKestrel->close();
}

#include <gtest/gtest.h>

#include <signal.h>

#include <QCoreApplication>
#include <filesystem>

#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/settings/In_RS232.h"
#include "support/TempFolder.h"

namespace {

// The processes running that program file.
std::vector<int> ProcessesOf(const std::filesystem::path& program) {
    std::vector<int> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::error_code gone;
        if (std::filesystem::read_symlink(entry.path() / "exe", gone) == program) {
            found.push_back(std::stoi(name));
        }
    }
    return found;
}

}  // namespace

// Kestrel in a copy of the staged tree: the settings window's null-modem cable item starts the
// staged Plover as a process of its own, which goes on running without a link to Kestrel.
TEST(CableTesterStart, SettingsWindowStartsTheStagedPlover) {
    testing_support::TempFolder folder;
    std::filesystem::copy(KESTREL_STAGE_DIR, folder.path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    const std::filesystem::path plover =
        std::filesystem::canonical(folder.path() / "Plover" / "Plover");
    tools::InProcessKestrel k(folder.path(),
                              "-e2e-" + std::to_string(QCoreApplication::applicationPid()));
    k.app.start();
    std::vector<int> started;
    k.operatorScript.after(300, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSetPar); });
    k.operatorScript.after(800, [&] { k.click(*k.app.InRS232, k.app.InRS232->mNullMod); });
    platform::Timer watch(k.loop, 100, true);
    watch.onTick([&] {
        if (k.loop.now() < 900) {
            return;
        }
        started = ProcessesOf(plover);
        if (started.empty() && k.loop.now() < 5000) {
            return;
        }
        watch.setEnabled(false);
        EXPECT_TRUE(k.app.InRS232->isShown());
        k.click(*k.app.InRS232, k.app.InRS232->mExit);
        k.operatorScript.after(200, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mExit); });
    });
    k.app.run();

    ASSERT_EQ(started.size(), 1u);
    // Kestrel has ended; the tester runs on until it is closed.
    EXPECT_EQ(ProcessesOf(plover), started);
    ::kill(started[0], SIGTERM);
}

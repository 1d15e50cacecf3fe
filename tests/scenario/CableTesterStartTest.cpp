#include <gtest/gtest.h>

#include <fstream>

#include "kestrel/settings/In_RS232.h"
#include "support/VirtualKestrel.h"

using testing_support::Escaped;
using testing_support::TempFolder;
using testing_support::VirtualKestrel;

// The settings window's null-modem cable item starts the tester beside the program; a missing
// tester is reported with its full path, and the settings window stays open.
TEST(CableTesterStart, StartsThePloverBesideTheProgramOrReportsItMissing) {
    const struct {
        const char* language;
        bool present;
        const char* prefix;
        const char* suffix;
    } cases[] = {
        {"RU", false, "Файл - ", " не найден!!!"},
        {"UA", false, "Файл -", " не знайдений!!!"},
        {"EN", false, "File - ", " not found!!!"},
        {"RU", true, "", ""},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.writeBytes("Type_Leng.000", std::string(c.language) + "\r\n");
        const std::filesystem::path tester = folder.path() / "Plover" / "Plover";
        if (c.present) {
            std::filesystem::create_directory(folder.path() / "Plover");
            std::ofstream(tester) << "tester";
        }
        platform::VirtualSystem system;
        VirtualKestrel k(system, folder);
        k.app.start();
        k.operatorScript.after(100, [&] { k.app.fKestrel->mSetPar.click(); });
        k.operatorScript.after(200, [&] { k.app.InRS232->mNullMod.click(); });
        k.operatorScript.after(1500, [&] {
            EXPECT_TRUE(k.app.InRS232->isShown());
            k.app.InRS232->mExit.click();
        });
        k.loop.runFor(2000);
        std::string expected = "00200 program \"" + Escaped(tester.string()) + "\"\n";
        if (!c.present) {
            expected += "00200 box information \"" +
                        Escaped(c.prefix + tester.string() + c.suffix) + "\"\n";
        }
        EXPECT_EQ(k.transcript.of({"program", "box"}), expected) << c.language << c.present;
    }
}

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include "gui/GuiSupport.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/work/pWinServ.h"
#include "shared/Helpers.h"

TEST(WorkWindow, RendersWithAndWithoutTheDebugArea) {
    for (bool monitor : {false, true}) {
        testing_support::TempFolder folder;
        testing_support::QtKestrel k(folder);
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

        QWidget* window = k.desktop.rendererFor(*work)->window();
        EXPECT_EQ(window->size(), QSize(650, 480));
        EXPECT_EQ(k.widget(*work, work->pLogDeb)->isVisible(), monitor);
        EXPECT_EQ(qobject_cast<QLabel*>(k.widget(*work, work->sStartServ))->text(), "NO");
        EXPECT_EQ(k.widget(*work, work->TB_Retry)->toolTip().toStdString(),
                  "Старт / рестарт сервера");
        auto* ring = qobject_cast<QPlainTextEdit*>(k.widget(*work, work->reLogDeb_Phone));
        EXPECT_TRUE(ring->toPlainText().contains("->:ATD0501234567;"));
        EXPECT_TRUE(testing_support::SaveReviewPicture(
            window, monitor ? "work-window-debug" : "work-window"));
        k.app.fWinServ = nullptr;
        work.reset();
        k.app.fKestrel->close();
    }
}

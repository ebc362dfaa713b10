#include "gui/qt_stats_screenshot.h"

#include "core/log/log_file.h"
#include "gui/drag_list_widget.h"
#include "gui/main_window.h"
#include "gui/stats_window.h"

#include <QCoreApplication>
#include <QScreen>
#include <QTimer>

namespace quorvath {

namespace {

// The demo player when the log has one, else the first player.
void selectShownPlayer(DragListWidget& playerlist) {
    const auto found = playerlist.findItems("Quorvath", Qt::MatchExactly);
    playerlist.setCurrentRow(found.isEmpty() ? std::min(1, playerlist.count() - 1)
                                             : playerlist.row(found.first()));
}

} // namespace

void takeStatsScreenshotWhenReady(MainWindow& form1, StatsFrm& stats, const QString& png) {
    QObject::connect(&form1, &MainWindow::workFinished, &stats,
                     [&stats] { QTimer::singleShot(0, &stats, &StatsFrm::GetStatsBtn_Click); });
    QObject::connect(&stats, &StatsFrm::handedOver, &stats, [&form1, &stats, png] {
        auto* playerlist = stats.findChild<DragListWidget*>("Playerlist");
        auto* rankList = stats.findChild<DragListWidget*>("RankList");
        selectShownPlayer(*playerlist);
        stats.TxtStats_DragDrop(playerlist->tag());
        rankList->setCurrentRow(0); // "Kills"
        stats.TxtComp_DragDrop(rankList->tag());
        // No window manager maximizes it under a virtual display.
        stats.setGeometry(stats.screen()->availableGeometry());
        QTimer::singleShot(300, &stats, [&form1, &stats, png] {
            const bool saved = stats.grab().save(png);
            if (form1.logloaded())
                removeFile(form1.archivecopy());
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}

} // namespace quorvath

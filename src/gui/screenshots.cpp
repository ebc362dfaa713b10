#include "gui/screenshots.h"

#include "core/log/log_file.h"
#include "gui/drag_list_widget.h"
#include "gui/log_session.h"
#include "gui/main_window.h"
#include "gui/statistics_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace quorvath {

namespace {

// Saves `window` a moment after the last repaint and ends the program.
void saveAndQuit(LogSession& session, QWidget& window, const QString& png) {
    QTimer::singleShot(300, &window, [&session, &window, png] {
        const bool saved = window.grab().save(png);
        if (session.hasArchiveCopy())
            removeFile(session.archiveCopy());
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

void whenLoaded(LogSession& session, QObject& context, const std::function<void()>& then) {
    QObject::connect(&session, &LogSession::workFinished, &context, [then](LogSession::Work work) {
        if (work == LogSession::Work::Loading)
            then();
    });
}

// The demo player when the log has one, else the first player.
void selectShownPlayer(DragListWidget& playerList) {
    const auto found = playerList.findItems("Quorvath", Qt::MatchExactly);
    playerList.setCurrentRow(found.isEmpty() ? std::min(1, playerList.count() - 1)
                                             : playerList.row(found.first()));
}

// Presses `key` on `widget` as the keyboard would.
void press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&widget, &up);
}

void fillPanesByKeyboard(DragListWidget& playerList, DragListWidget& rankingList) {
    playerList.setFocus();
    press(playerList, Qt::Key_Home);
    const auto found = playerList.findItems("Quorvath", Qt::MatchExactly);
    const int target = found.isEmpty() ? 1 : playerList.row(found.first());
    while (playerList.currentRow() < std::min(target, playerList.count() - 1))
        press(playerList, Qt::Key_Down);
    press(playerList, Qt::Key_Return);
    rankingList.setFocus();
    press(rankingList, Qt::Key_Home); // "Kills"
    press(rankingList, Qt::Key_Return, Qt::ShiftModifier);
}

} // namespace

void takeMainScreenshotWhenLoaded(LogSession& session, MainWindow& window, const QString& png) {
    whenLoaded(session, window, [&session, &window, png] { saveAndQuit(session, window, png); });
}

void takeStatisticsScreenshotWhenReady(LogSession& session, StatisticsWindow& window,
                                       const QString& png, bool byKeyboard) {
    whenLoaded(session, window, [&session, &window] {
        QTimer::singleShot(0, &session, &LogSession::requestStatistics);
    });
    QObject::connect(&window, &StatisticsWindow::statisticsShown, &window,
                     [&session, &window, png, byKeyboard] {
                         auto* playerList = window.findChild<DragListWidget*>("playerList");
                         auto* rankingList = window.findChild<DragListWidget*>("rankingList");
                         if (byKeyboard) {
                             fillPanesByKeyboard(*playerList, *rankingList);
                         } else {
                             selectShownPlayer(*playerList);
                             window.dropOnPane(Pane::Left, DraggedList::Players);
                             rankingList->setCurrentRow(0); // "Kills"
                             window.dropOnPane(Pane::Right, DraggedList::Categories);
                         }
                         // The whole screen, for a picture with room for every column.
                         window.setGeometry(window.screen()->availableGeometry());
                         saveAndQuit(session, window, png);
                     });
}

} // namespace quorvath

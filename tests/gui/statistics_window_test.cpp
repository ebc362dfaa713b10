// The statistics window and the alias selection on the sample log, driven
// offscreen through "Get the guff", drags, menus and scripted dialogs. The
// texts themselves are the core's (checked by its tests): here each must
// reach the place the user looks at.

#include "core/stats/statistics_pass.h"
#include "gui/alias_selection_window.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/statistics_texts.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

namespace quorvath {
namespace {

class StatisticsWindowTest : public test::ProgramTest {
protected:
    void startWithDemoLog() {
        settings.set(settings_keys::Nick, "Quorvath");
        start();
        open(log);
    }
    DragListWidget* list(const char* name) { return inStatistics<DragListWidget>(name); }
    DropPaneWidget* pane(const char* name) { return inStatistics<DropPaneWidget>(name); }
    // Whether a pane shows what the statistics hold for it.
    bool showsItsText(const char* name) {
        const StatisticsSession& state = session->statistics();
        const std::string& text = name == std::string("leftPane") ? state.paneText(Pane::Left)
                                                                  : state.paneText(Pane::Right);
        return pane(name)->toPlainText() == QString::fromStdString(text).replace("\r\n", "\n");
    }
    QString label(const char* name) { return inStatistics<QLabel>(name)->text(); }
    // Whether a pane fits its text: no column is cut off.
    bool fits(const char* name) {
        QApplication::processEvents(); // the panes' share of the room is laid out
        DropPaneWidget* p = pane(name);
        return p->reportWidth() < p->viewport()->width() - 2 * int(p->document()->documentMargin());
    }
    void pressEnter(const char* listName, Qt::KeyboardModifiers modifiers) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, modifiers);
        QApplication::sendEvent(list(listName), &enter);
    }
    QAction* action(const char* name) { return inStatistics<QAction>(name); }
    void select(const char* listName, const QString& entry) {
        const auto found = list(listName)->findItems(entry, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << entry.toStdString();
        list(listName)->setCurrentItem(found.first());
    }
    bool listed(const QString& entry) {
        return !list("playerList")->findItems(entry, Qt::MatchExactly).isEmpty();
    }
    // Drops as the pane receives a drag: entering, then dropping.
    void dragTo(DropPaneWidget* target, DraggedList source) {
        std::unique_ptr<QMimeData> data(listDragData(source));
        const QPoint inside(10, 10);
        QDragEnterEvent enter(inside, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(inside, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &drop);
    }

    const std::string log = demoLog();
};

TEST_F(StatisticsWindowTest, GetTheGuffGathersThenEveryCommandShowsItsText) {
    startWithDemoLog();
    EXPECT_FALSE(statistics->isVisible());
    EXPECT_FALSE(list("rankingList")->isEnabled());

    // While the pass runs nothing that would disturb it is usable.
    inMain<QPushButton>("getStatisticsButton")->click();
    ASSERT_TRUE(session->busy());
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(window->windowState(), Qt::WindowNoState); // each window keeps its own state
    EXPECT_EQ(statistics->windowState(), Qt::WindowNoState);
    EXPECT_EQ(label("statusLabel").toStdString(), scanCaption(1));
    EXPECT_FALSE(inMain<QPushButton>("findButton")->isEnabled());
    EXPECT_FALSE(inMain<QAction>("openAction")->isEnabled());
    EXPECT_FALSE(list("playerList")->isEnabled());
    EXPECT_FALSE(inStatistics<QMenu>("aliasesMenu")->isEnabled());

    waitWhileBusy();
    const PlayerTable& players = session->players();
    ASSERT_GT(players.playerCount(), 3);
    ASSERT_EQ(list("playerList")->count(), players.playerCount() + 1);
    for (int i = 1; i <= players.playerCount(); ++i)
        EXPECT_EQ(list("playerList")->item(i)->text().toStdString(), players[i].name);
    EXPECT_EQ(session->statistics().leftPlayer(), players.findByName("Quorvath")); // the nick's
    EXPECT_TRUE(showsItsText("leftPane"));
    EXPECT_EQ(label("statusLabel"), "Ready...");
    EXPECT_EQ(statistics->windowTitle(), "Stats - demo.log");
    EXPECT_TRUE(list("rankingList")->isEnabled());
    EXPECT_TRUE(inMain<QAction>("openAction")->isEnabled());

    // A press on a list selects the entry under the pointer and drags the
    // list; the right button only selects (its context menu follows).
    DragListWidget* playerList = list("playerList");
    std::optional<DraggedList> carried;
    playerList->setDragRunner([&](QDrag& drag) { carried = draggedList(*drag.mimeData()); });
    for (const auto& [row, button] :
         {std::pair(2, Qt::RightButton), std::pair(3, Qt::LeftButton)}) {
        const QPoint at = playerList->visualItemRect(playerList->item(row)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, playerList->viewport()->mapToGlobal(at),
                          button, button, Qt::NoModifier);
        QApplication::sendEvent(playerList->viewport(), &press);
        EXPECT_EQ(playerList->selectedRow(), row);
        EXPECT_EQ(carried.has_value(), button == Qt::LeftButton);
    }
    ASSERT_EQ(carried, DraggedList::Players);
    dragTo(pane("rightPane"), *carried);
    EXPECT_EQ(session->statistics().rightPlayer(), 3);
    EXPECT_TRUE(showsItsText("rightPane"));

    select("rankingList", "Kills");
    statistics->dropOnPane(Pane::Left, DraggedList::Categories);
    EXPECT_TRUE(showsItsText("leftPane"));
    EXPECT_TRUE(pane("leftPane")->toPlainText().contains("Kills"));

    // Linked, aliases leave the list and the shown sheets are redrawn.
    select("playerList", "Newbie");
    dragTo(pane("rightPane"), DraggedList::Players);
    const QString newbieAlone = pane("rightPane")->toPlainText();
    action("linkAliasesAction")->trigger();
    EXPECT_TRUE(action("linkAliasesAction")->isChecked());
    EXPECT_FALSE(listed("Snipey"));
    EXPECT_TRUE(listed("Newbie (Snipey) (Ghostface)"));
    EXPECT_TRUE(showsItsText("rightPane")); // redrawn linked

    // A second press hands over again without a pass; the right pane stays.
    const QString right = pane("rightPane")->toPlainText();
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_FALSE(session->busy());
    EXPECT_EQ(pane("rightPane")->toPlainText(), right);
    EXPECT_EQ(session->statistics().rightPlayer(), -1);

    // Closing unlinks and keeps the window's own geometry; the next press starts over.
    statistics->setGeometry(40, 30, 900, 640);
    statistics->close();
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
    EXPECT_FALSE(statistics->isVisible());
    EXPECT_FALSE(settings.get(settings_keys::StatisticsWindowGeometry, "").empty());
    EXPECT_TRUE(settings.get(settings_keys::MainWindowGeometry, "").empty());
    statistics->resize(300, 200);
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_FALSE(session->busy()); // the table outlived the window
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(statistics->size(), QSize(900, 640)); // where the user left it
    EXPECT_FALSE(action("linkAliasesAction")->isChecked());
    EXPECT_TRUE(listed("Snipey"));
    EXPECT_TRUE(listed("Newbie")); // his own figures again, not his aliases' too
    EXPECT_EQ(pane("rightPane")->toPlainText(), "");
    statistics->close(); // closed unlinked, it opens again unlinked
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_FALSE(action("linkAliasesAction")->isChecked());
    select("playerList", "Newbie");
    dragTo(pane("rightPane"), DraggedList::Players);
    EXPECT_EQ(pane("rightPane")->toPlainText(), newbieAlone);

    // A new log starts unlinked, with nothing to show until the next pass.
    action("linkAliasesAction")->trigger();
    prompts.answers = {test::kDeleteCopy};
    open(log);
    EXPECT_FALSE(action("linkAliasesAction")->isChecked());
    EXPECT_FALSE(list("rankingList")->isEnabled());
}

TEST_F(StatisticsWindowTest, NoPlaceholderAndLinkingRecountsBothPanesUnderTheirCaptions) {
    startWithDemoLog();
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_EQ(label("percentLabel"), ""); // until the pass reports how far it got
    waitWhileBusy();
    for (const char* name : {"statusLabel", "percentLabel"})
        EXPECT_FALSE(label(name).startsWith("Label")) << name;

    const auto key = [&](const char* listName, Qt::KeyboardModifiers modifiers) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, modifiers);
        QApplication::sendEvent(list(listName), &enter);
    };
    select("playerList", "Newbie");
    key("playerList", Qt::NoModifier);
    select("rankingList", "Kills");
    key("rankingList", Qt::NoModifier);
    select("rankingList", statistics_texts::TopListsEntry);
    key("rankingList", Qt::ShiftModifier);
    const QString unlinkedRanking = pane("leftPane")->toPlainText();
    const QString unlinkedTopLists = pane("rightPane")->toPlainText();
    for (const bool linked : {true, false}) {
        action("linkAliasesAction")->trigger();
        EXPECT_EQ(action("linkAliasesAction")->isChecked(), linked);
        EXPECT_EQ(label("leftCaption"), "Ranking: Kills");
        EXPECT_EQ(label("rightCaption"),
                  linked ? "Top victims and killers of Newbie (Snipey) (Ghostface)"
                         : "Top victims and killers of Newbie");
        EXPECT_TRUE(showsItsText("leftPane") && showsItsText("rightPane"));
        EXPECT_TRUE(pane("leftPane")->toPlainText().startsWith("Rankings for Kills"));
        EXPECT_EQ(pane("leftPane")->toPlainText() != unlinkedRanking, linked);
        EXPECT_EQ(pane("rightPane")->toPlainText() != unlinkedTopLists, linked);
    }
}

TEST_F(StatisticsWindowTest, SelectKeyAliasesMakesTheClickedAliasTheMasterAndRelinks) {
    settings.set(settings_keys::TextColor, "255");
    startWithDemoLog();
    getStatistics();
    action("linkAliasesAction")->trigger();
    QStringList before;
    statistics->setAliasSelectionRunner([&](AliasSelectionWindow& selection) {
        auto* aliasList = child<QListWidget>(selection, "aliasList");
        EXPECT_EQ(aliasList->palette().color(QPalette::Text), QColor(255, 0, 0));
        auto lines = [&] {
            QStringList all;
            for (int row = 0; row < aliasList->count(); ++row)
                all << aliasList->item(row)->text();
            return all;
        };
        before = lines(); // a TAB shows as nothing: blanks indent the aliases
        emit aliasList->clicked(aliasList->model()->index(2, 0));
        QApplication::processEvents();
        EXPECT_EQ(lines(), QStringList({"Ghostface", "        (Snipey)", "        (Newbie)"}));
    });
    action("selectKeyAliasesAction")->trigger();
    EXPECT_EQ(before, QStringList({"Newbie", "        (Snipey)", "        (Ghostface)"}));
    EXPECT_TRUE(action("linkAliasesAction")->isChecked());
    EXPECT_TRUE(listed("Ghostface (Snipey) (Newbie)"));
    EXPECT_FALSE(listed("Newbie"));
}

TEST_F(StatisticsWindowTest, KeyboardAndMenuRoutesCaptionsAndRoomAt1000x650) {
    startWithDemoLog();
    getStatistics();
    statistics->showNormal();
    statistics->resize(1000, 650);
    QApplication::processEvents();
    const auto key = [&](const char* listName, Qt::KeyboardModifiers modifiers) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, modifiers);
        QApplication::sendEvent(list(listName), &enter);
    };
    const auto caption = [&](const char* name) { return inStatistics<QLabel>(name)->text(); };
    EXPECT_EQ(caption("leftCaption"), "Sheet of Quorvath");

    // Enter: the left pane; Shift+Enter: the right one; a double-click and the
    // context menu the same.
    select("playerList", "Tango");
    key("playerList", Qt::NoModifier);
    EXPECT_EQ(session->statistics().leftPlayer(), session->players().findByName("Tango"));
    EXPECT_TRUE(showsItsText("leftPane"));
    EXPECT_TRUE(fits("leftPane"));
    select("rankingList", "Kills");
    key("rankingList", Qt::ShiftModifier);
    EXPECT_TRUE(pane("rightPane")->toPlainText().contains("Kills"));
    EXPECT_EQ(caption("rightCaption"), "Ranking: Kills");
    EXPECT_TRUE(fits("rightPane"));
    select("playerList", "Joe");
    DragListWidget* players = list("playerList");
    const QPoint at = players->visualItemRect(players->currentItem()).center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, players->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(players->viewport(), &twice);
    EXPECT_EQ(session->statistics().rightPlayer(), session->players().findByName("Joe"));
    EXPECT_EQ(caption("rightCaption"), "Sheet of Joe");
    list("playerList")->contextMenu()->findChild<QAction*>("showLeftAction")->trigger();
    EXPECT_EQ(session->statistics().leftPlayer(), session->players().findByName("Joe"));

    // The top lists: on the left they do nothing and the status says so; on
    // the right the caption names whose lists they are.
    select("rankingList", statistics_texts::TopListsEntry);
    const QString left = pane("leftPane")->toPlainText();
    key("rankingList", Qt::NoModifier);
    EXPECT_EQ(pane("leftPane")->toPlainText(), left);
    EXPECT_TRUE(label("statusLabel").contains("right pane"));
    list("rankingList")->contextMenu()->findChild<QAction*>("showRightAction")->trigger();
    EXPECT_EQ(caption("rightCaption"), "Top victims and killers of Joe");
    EXPECT_TRUE(showsItsText("rightPane"));
    EXPECT_TRUE(fits("rightPane"));
    for (int row = 0; row < list("rankingList")->count(); ++row) {
        list("rankingList")->setCurrentRow(row);
        key("rankingList", Qt::NoModifier);
        EXPECT_TRUE(fits("leftPane")) << row;
    }

    // The panes are read-only: typed text and Tab never change the report.
    const QString report = pane("leftPane")->toPlainText();
    for (const Qt::Key typed : {Qt::Key_Tab, Qt::Key_X, Qt::Key_Backspace}) {
        QKeyEvent press(QEvent::KeyPress, typed, Qt::NoModifier, typed == Qt::Key_X ? "x" : "");
        QApplication::sendEvent(pane("leftPane"), &press);
    }
    EXPECT_EQ(pane("leftPane")->toPlainText(), report);
    EXPECT_TRUE(pane("leftPane")->tabChangesFocus());

    // View > Zoom acts on both panes.
    const double size = pane("rightPane")->font().pointSizeF();
    action("zoomInAction")->trigger();
    EXPECT_GT(pane("leftPane")->font().pointSizeF(), size);
    EXPECT_GT(pane("rightPane")->font().pointSizeF(), size);
}

TEST_F(StatisticsWindowTest, ARankingOfLongNamesTakesTheRoomASheetBesideItLeaves) {
    std::string text = test::readFile(log);
    for (std::size_t at = 0; (at = text.find("Mullins", at)) != std::string::npos; at += 30)
        text.replace(at, 7, "[SAS]Mullins_TheVeryLongNickname");
    settings.set(settings_keys::Nick, "Quorvath");
    start();
    open(logFile("long.log", text));
    getStatistics();
    statistics->showNormal();
    statistics->resize(1000, 650);
    select("rankingList", "Kills");
    pressEnter("rankingList", Qt::NoModifier);
    select("playerList", "[SAS]Mullins_TheVeryLongNickname");
    pressEnter("playerList", Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_TRUE(fits("leftPane"));
    EXPECT_TRUE(fits("rightPane"));
}

TEST_F(StatisticsWindowTest, EachColourDialogOpensOnItsColourAndSavedColoursApplyAtOnce) {
    settings.set(settings_keys::BackColor, "128");
    start();
    const auto colour = [&](const char* control, QPalette::ColorRole role) {
        return inStatistics<QWidget>(control)->palette().color(QPalette::Active, role);
    };
    EXPECT_EQ(colour("leftPane", QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(colour("leftPane", QPalette::Text), QColor(0, 192, 0));

    prompts.colours.push_back(0x0000FF); // red
    action("textColourAction")->trigger();
    EXPECT_EQ(prompts.colourDialogs.back(), 49152u);
    EXPECT_EQ(colour("playerList", QPalette::Text), QColor(255, 0, 0));
    action("backgroundColourAction")->trigger(); // cancelled: the back colour stays
    EXPECT_EQ(prompts.colourDialogs.back(), 128u);
    EXPECT_EQ(colour("rightPane", QPalette::Base), QColor(128, 0, 0));

    prompts.colours.push_back(0x123456);
    action("backgroundColourAction")->trigger();
    action("saveColoursAction")->trigger();
    EXPECT_EQ(label("statusLabel"), "Colors saved");
    EXPECT_EQ(settings.get(settings_keys::BackColor, ""), std::to_string(0x123456));
    EXPECT_EQ(settings.get(settings_keys::TextColor, ""), "255");
    EXPECT_EQ(inMain<QWidget>("searchBox")->palette().color(QPalette::Base),
              QColor(0x56, 0x34, 0x12)); // at once, not at the next start

    // Shown again after closing, the window has the saved colours.
    statistics->close();
    open(log);
    inMain<QPushButton>("getStatisticsButton")->click();
    waitWhileBusy();
    EXPECT_EQ(colour("playerList", QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(colour("leftPane", QPalette::Base), QColor(0x56, 0x34, 0x12));
}

} // namespace
} // namespace quorvath

// The statistics window and the alias selection on the sample log, driven
// offscreen through "Get the guff", drags, menus and scripted dialogs. The
// texts themselves are the core's (checked by its tests): here each must
// reach the place the user looks at.

#include "core/stats/statistics_pass.h"
#include "gui/alias_selection_window.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
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
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(statistics->windowState() & Qt::WindowMaximized);
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
    EXPECT_TRUE(list("rankingList")->isEnabled());
    EXPECT_TRUE(inMain<QAction>("openAction")->isEnabled());

    // A press on a list selects the entry under the pointer and drags the list.
    DragListWidget* playerList = list("playerList");
    std::optional<DraggedList> carried;
    playerList->setDragRunner([&](QDrag& drag) { carried = draggedList(*drag.mimeData()); });
    const QPoint at = playerList->visualItemRect(playerList->item(3)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, playerList->viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(playerList->viewport(), &press);
    EXPECT_EQ(playerList->selectedRow(), 3);
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

    // Closing restores the main window and unlinks; the next press starts over.
    statistics->close();
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(statistics->isVisible());
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_FALSE(session->busy()); // the table outlived the window
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_FALSE(action("linkAliasesAction")->isChecked());
    EXPECT_TRUE(listed("Snipey"));
    EXPECT_EQ(pane("rightPane")->toPlainText(), "");

    // A new log starts unlinked, with nothing to show until the next pass.
    action("linkAliasesAction")->trigger();
    prompts.answers = {false};
    open(log);
    EXPECT_FALSE(action("linkAliasesAction")->isChecked());
    EXPECT_FALSE(list("rankingList")->isEnabled());
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

TEST_F(StatisticsWindowTest, ColourCommandsShareOneDialogAndSaveStoresThem) {
    settings.set(settings_keys::BackColor, "128");
    start();
    statistics->applyStoredColours();
    const auto colour = [&](const char* control, QPalette::ColorRole role) {
        return inStatistics<QWidget>(control)->palette().color(QPalette::Active, role);
    };
    EXPECT_EQ(colour("leftPane", QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(colour("leftPane", QPalette::Text), QColor(0, 192, 0));

    prompts.colours.push_back(0x0000FF); // red
    action("textColourAction")->trigger();
    EXPECT_EQ(prompts.colourDialogs.back(), 49152u); // nothing chosen yet: the text colour
    EXPECT_EQ(colour("playerList", QPalette::Text), QColor(255, 0, 0));
    action("backgroundColourAction")->trigger(); // cancelled: the colour last chosen
    EXPECT_EQ(prompts.colourDialogs.back(), 0x0000FFu);
    EXPECT_EQ(colour("rightPane", QPalette::Base), QColor(255, 0, 0));

    prompts.colours.push_back(0x123456);
    action("backgroundColourAction")->trigger();
    action("saveColoursAction")->trigger();
    EXPECT_EQ(settings.get(settings_keys::BackColor, ""), std::to_string(0x123456));
    EXPECT_EQ(settings.get(settings_keys::TextColor, ""), "255");

    // Shown again after closing, the window starts from the default colours.
    statistics->close();
    inMain<QPushButton>("getStatisticsButton")->click();
    waitWhileBusy();
    EXPECT_EQ(colour("playerList", QPalette::Text), QColor(0, 192, 0));
}

} // namespace
} // namespace quorvath

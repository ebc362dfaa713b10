// The weapons chart in a pane of the statistics window, offscreen: reached by
// the View menu and the player list's context menu, drawn from the core's
// figures with a hit area per weapon that tells its figures, scaled to the
// pane, counted again on linking, and given back to text by the next drop.

#include "core/report/weapon_figures.h"
#include "gui/drag_list_widget.h"
#include "gui/statistics_texts.h"
#include "gui/ui_support.h"
#include "gui/weapon_chart_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace quorvath {
namespace {

namespace t = statistics_texts;

class WeaponChartTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
        open(demoLog());
        getStatistics();
    }
    void choose(const char* name) {
        auto* players = inStatistics<DragListWidget>("playerList");
        const auto found = players->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << name;
        players->setCurrentItem(found.first());
    }
    WeaponChartView* chart(const char* name) { return inStatistics<WeaponChartView>(name); }
    QString status() { return inStatistics<QLabel>("statusLabel")->text(); }
    void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
    }
};

TEST_F(WeaponChartTest, ThePlayerChosenGetsHisChartWithItsFiguresAsText) {
    inStatistics<QAction>("chartLeftAction")->trigger();
    EXPECT_EQ(status(), t::ChooseAPlayerFirst); // nothing chosen yet

    choose("Quorvath");
    inStatistics<QAction>("chartRightAction")->trigger();
    const PlayerTable& players = session->players();
    const int player = players.findByName("Quorvath");
    const std::vector<WeaponFigures> figures =
        weaponFigures(players[player], session->statistics().counting());
    ASSERT_GT(figures.size(), 2u);
    WeaponChartView* right = chart("rightChart");
    EXPECT_TRUE(right->isVisible());
    EXPECT_FALSE(inStatistics<QWidget>("rightPane")->isVisible());
    EXPECT_EQ(right->figures(), figures);
    EXPECT_EQ(inStatistics<QLabel>("rightCaption")->text(),
              QString(t::WeaponChartCaption) + "Quorvath");
    EXPECT_EQ(right->accessibleName(), QString(t::WeaponChartCaption) + "Quorvath");
    EXPECT_TRUE(right->accessibleDescription().startsWith(right->rowText(0)));
    EXPECT_EQ(status(), t::Ready);

    // A hit area per weapon, its bars as long as its figures and the pane allow.
    const std::int32_t peak = weaponFiguresPeak(figures);
    int narrower = 0;
    for (const int width : {900, 1500}) {
        statistics->resize(width, 700);
        QApplication::processEvents();
        const auto rows = right->rows();
        ASSERT_EQ(rows.size(), figures.size());
        int longest = 0;
        for (std::size_t n = 0; n < rows.size(); ++n) {
            EXPECT_EQ(right->rowAt(rows[n].area.center()), int(n));
            EXPECT_TRUE(rows[n].area.contains(rows[n].kills.topLeft()));
            EXPECT_LT(rows[n].deaths.right(), right->width());
            longest = std::max({longest, rows[n].kills.width(), rows[n].deaths.width()});
            if (n > 0) {
                EXPECT_EQ(rows[n].area.top(), rows[n - 1].area.bottom() + 1);
            }
        }
        EXPECT_EQ(right->rowAt(rows.back().area.bottomLeft() + QPoint(0, 1)), -1);
        for (std::size_t n = 0; n < rows.size(); ++n) // in proportion to the longest
            EXPECT_EQ(rows[n].kills.width(), barLength(figures[n].kills, peak, longest));
        EXPECT_GT(longest, narrower); // a wider pane, longer bars
        narrower = longest;
    }
    EXPECT_EQ(right->rowText(0),
              t::weaponFiguresLine(QString::fromStdString(std::string(figures[0].weapon)),
                                   figures[0].kills, figures[0].deaths));

    // From the keyboard: weapon by weapon, and the whole table copied.
    key(right, Qt::Key_Down);
    key(right, Qt::Key_Down);
    EXPECT_EQ(right->currentRow(), 1);
    key(right, Qt::Key_End);
    EXPECT_EQ(right->currentRow(), int(figures.size()) - 1);
    key(right, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromStdString(weaponFiguresText(figures)).replace("\r\n", "\n"));
}

TEST_F(WeaponChartTest, TheListsMenuOffersItAndLinkingOrADropRedrawsIt) {
    choose("Quorvath");
    auto* players = inStatistics<DragListWidget>("playerList");
    QMenu* menu = players->contextMenu();
    QStringList offered;
    for (QAction* entry : menu->actions())
        offered << entry->text();
    EXPECT_TRUE(offered.contains(t::ChartInLeftPane) && offered.contains(t::ChartInRightPane))
        << offered.join(", ").toStdString();
    for (QAction* entry : menu->actions())
        if (entry->objectName() == "chartLeftAction")
            entry->trigger();
    delete menu;
    ASSERT_EQ(session->statistics().paneContent(Pane::Left).kind, PaneContent::Kind::WeaponChart);
    EXPECT_TRUE(chart("leftChart")->isVisible());

    statistics->findChild<QAction*>("linkAliasesAction")->trigger();
    const int shown = session->statistics().paneContent(Pane::Left).player;
    EXPECT_EQ(chart("leftChart")->figures(),
              weaponFigures(session->players()[shown], session->statistics().counting()));

    // A player dropped on the chart: his sheet, as text again.
    players->setCurrentRow(1);
    statistics->dropOnPane(Pane::Left, DraggedList::Players);
    EXPECT_FALSE(chart("leftChart")->isVisible());
    EXPECT_TRUE(inStatistics<QWidget>("leftPane")->isVisible());
}

} // namespace
} // namespace quorvath

#include "gui/counting_menu.h"

#include "gui/app_texts.h"
#include "gui/log_session.h"

#include <QActionGroup>

namespace quorvath {

CountingMenu::CountingMenu(LogSession& session, QWidget* parent)
    : QMenu(texts::CountingMenu, parent), session_(session) {
    setObjectName("countingMenu");
    setToolTipsVisible(true);
    // Each entry changes only its own part of the choice: on a server log the
    // check shows Accurate, while the preference for console logs stays.
    const auto add = [this](const char* name, const char* caption, const char* tip,
                            void (*change)(CountingChoice&, bool checked)) {
        QAction* action = addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, [this, change](bool checked) {
            CountingChoice choice = session_.countingChoice();
            change(choice, checked);
            session_.setCountingChoice(choice);
            showChoice(); // also when the session was busy and kept its choice
        });
        return action;
    };
    classic_ = add("classicCountingAction", texts::ClassicCounting, "",
                   [](CountingChoice& c, bool) { c.preferred = CountingMode::Classic; });
    accurate_ = add("accurateCountingAction", texts::AccurateCounting, texts::AccurateCountingTip,
                    [](CountingChoice& c, bool) { c.preferred = CountingMode::Accurate; });
    auto* modes = new QActionGroup(this); // exclusive
    modes->addAction(classic_);
    modes->addAction(accurate_);
    addSeparator();
    includeWarmup_ = add("includeWarmupAction", texts::IncludeWarmupAction, texts::IncludeWarmupTip,
                         [](CountingChoice& c, bool checked) { c.includeWarmup = checked; });
    connect(&session_, &LogSession::countingChoiceChanged, this, &CountingMenu::showChoice);
    connect(&session_, &LogSession::logReplaced, this, &CountingMenu::showChoice);
    connect(&session_, &LogSession::busyChanged, this, [this](bool busy) { setEnabled(!busy); });
    showChoice();
}

void CountingMenu::showChoice() {
    const bool serverLog = isServerLog(session_.logKind().kind);
    classic_->setEnabled(!serverLog);
    classic_->setToolTip(serverLog ? texts::ClassicOffTip : texts::ClassicCountingTip);
    (session_.countingMode() == CountingMode::Classic ? classic_ : accurate_)->setChecked(true);
    includeWarmup_->setChecked(session_.countingChoice().includeWarmup);
}

} // namespace quorvath

#include "gui/logging_mode_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/gamecfg/game_config.h"
#include "gui/app_texts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvath {

namespace t = gamecfg::texts;

LoggingModeDialog::LoggingModeDialog(std::string& configPath, SettingsStore& settings,
                                     UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), configPath_(configPath), settings_(settings), prompts_(prompts) {
    setObjectName("loggingModeDialog");
    setWindowTitle(t::DialogCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont bold("Arial");
    bold.setPointSizeF(9.75);
    bold.setBold(true);

    auto* group = new QGroupBox(t::FrameCaption, this);
    group->setObjectName("modeGroup");
    group->setFont(bold);
    auto* groupLayout = new QVBoxLayout(group);
    const std::array<const char*, 4> captions = {t::Option1, t::Option2, t::Option3, t::Option4};
    for (std::size_t mode = 0; mode < modeOptions_.size(); ++mode) {
        modeOptions_[mode] = new QRadioButton(captions[mode], group);
        modeOptions_[mode]->setObjectName(QString("modeOption%1").arg(mode));
        modeOptions_[mode]->setFont(bold);
        groupLayout->addWidget(modeOptions_[mode]);
    }
    modeOptions_[0]->setChecked(true);

    auto* ok = new QPushButton(t::OkButton, this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(t::CancelButton, this);
    cancel->setObjectName("cancelButton");
    connect(ok, &QPushButton::clicked, this, &LoggingModeDialog::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    auto* menuBar = new QMenuBar(this);
    QMenu* menu = menuBar->addMenu(t::OptionsMenu);
    menu->setObjectName("optionsMenu");
    menu->addAction(t::SetcfgpathMenu, this, &LoggingModeDialog::onChooseConfigTriggered)
        ->setObjectName("chooseConfigAction");
    menu->addAction(t::LogFilenameMenu, this, &LoggingModeDialog::onLogFileNameTriggered)
        ->setObjectName("logFileNameAction");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* all = new QHBoxLayout(this);
    all->setMenuBar(menuBar);
    all->addWidget(group, 1);
    all->addLayout(buttons);
}

LoggingModeDialog* LoggingModeDialog::showFor(std::string& configPath, SettingsStore& settings,
                                              UserPrompts& prompts, QWidget* parent) {
    auto* dialog = new LoggingModeDialog(configPath, settings, prompts, parent);
    dialog->readMode();
    dialog->show();
    return dialog;
}

void LoggingModeDialog::say(const std::string& text) { prompts_.message(text, texts::AppTitle); }

void LoggingModeDialog::readMode() {
    const gamecfg::ModeRead read = gamecfg::readLogMode(configPath_);
    if (read.error)
        say(*read.error); // the dialog still opens, on mode 0
    modeOptions_[static_cast<std::size_t>(read.mode)]->setChecked(true);
}

int LoggingModeDialog::selectedMode() const {
    for (std::size_t mode = 0; mode < modeOptions_.size(); ++mode)
        if (modeOptions_[mode]->isChecked())
            return static_cast<int>(mode);
    return 0;
}

void LoggingModeDialog::onOkClicked() {
    if (auto error = gamecfg::writeLogMode(configPath_, selectedMode())) {
        say(*error); // stays open: the user may choose another config file
        return;
    }
    close();
}

void LoggingModeDialog::onLogFileNameTriggered() {
    const gamecfg::NameRead current = gamecfg::readLogFileName(configPath_);
    if (current.error)
        return say(*current.error);
    // The config file is Windows-1252 text; the prompts speak UTF-8.
    const std::string prompt = utf8FromWindows1252(gamecfg::logFileNamePrompt(current.name));
    const std::string answer = windows1252FromUtf8(prompts_.inputBox(prompt, texts::AppTitle));
    if (auto refusal = gamecfg::checkLogFileName(answer))
        return say(*refusal);
    if (auto error = gamecfg::appendLogFileName(configPath_, answer))
        say(*error);
}

void LoggingModeDialog::onChooseConfigTriggered() {
    const std::string path =
        prompts_.openFile(texts::OpenDialogTitle, parseFileFilter(t::ConfigFilter),
                          settings_.get(settings_keys::SofDir, ""));
    if (!gamecfg::isConfigFileName(path))
        return; // no message, deliberately
    configPath_ = path;
    settings_.set(settings_keys::Sof2CFGFile, path);
}

} // namespace quorvath

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

LoggingModeDialog::LoggingModeDialog(std::string& cfgpath, SettingsStore& settings,
                                     UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), cfgpath_(cfgpath), settings_(settings), prompts_(prompts) {
    setObjectName("Dialog");
    setWindowTitle(t::DialogCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont bold("Arial");
    bold.setPointSizeF(9.75);
    bold.setBold(true);

    auto* frame = new QGroupBox(t::FrameCaption, this);
    frame->setObjectName("Frame1");
    frame->setFont(bold);
    auto* frameLayout = new QVBoxLayout(frame);
    const char* captions[4] = {t::Option1, t::Option2, t::Option3, t::Option4};
    for (int i = 0; i < 4; ++i) {
        options_[i] = new QRadioButton(captions[i], frame);
        options_[i]->setObjectName(QString("Option%1").arg(i + 1));
        options_[i]->setFont(bold);
        frameLayout->addWidget(options_[i]);
    }
    options_[0]->setChecked(true);

    auto* ok = new QPushButton(t::OkButton, this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(t::CancelButton, this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, &LoggingModeDialog::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &LoggingModeDialog::CancelButton_Click);

    auto* menuBar = new QMenuBar(this);
    QMenu* menu = menuBar->addMenu(t::OptionsMenu);
    menu->setObjectName("dialogOptions");
    menu->addAction(t::SetcfgpathMenu, this, &LoggingModeDialog::Setcfgpath_Click)
        ->setObjectName("Setcfgpath");
    menu->addAction(t::LogFilenameMenu, this, &LoggingModeDialog::dialogLogFilename_Click)
        ->setObjectName("dialogLogFilename");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* all = new QHBoxLayout(this);
    all->setMenuBar(menuBar);
    all->addWidget(frame, 1);
    all->addLayout(buttons);
}

LoggingModeDialog* LoggingModeDialog::showFor(std::string& cfgpath, SettingsStore& settings,
                                              UserPrompts& prompts, QWidget* parent) {
    auto* dialog = new LoggingModeDialog(cfgpath, settings, prompts, parent);
    dialog->readMode();
    dialog->show();
    return dialog;
}

void LoggingModeDialog::say(const std::string& text) { prompts_.message(text, texts::AppTitle); }

void LoggingModeDialog::readMode() {
    logmode_ = 0;
    const gamecfg::ModeRead read = gamecfg::readLogMode(cfgpath_);
    if (read.error)
        say(*read.error); // the dialog still opens, on mode 0
    else
        logmode_ = read.mode;
    options_[logmode_]->setChecked(true);
}

int LoggingModeDialog::selectedMode() const {
    for (int i = 0; i < 4; ++i)
        if (options_[i]->isChecked())
            return i;
    return 0;
}

void LoggingModeDialog::OKButton_Click() {
    logmode_ = selectedMode();
    if (auto error = gamecfg::writeLogMode(cfgpath_, logmode_)) {
        say(*error); // stays open: the user may choose another config file
        return;
    }
    close();
}

void LoggingModeDialog::CancelButton_Click() { close(); }

void LoggingModeDialog::dialogLogFilename_Click() {
    const gamecfg::NameRead current = gamecfg::readLogFileName(cfgpath_);
    if (current.error)
        return say(*current.error);
    // The config file is Windows-1252 text; the prompts speak UTF-8.
    const std::string prompt = utf8FromWindows1252(gamecfg::logFileNamePrompt(current.name));
    const std::string answer = windows1252FromUtf8(prompts_.inputBox(prompt, texts::AppTitle));
    if (auto refusal = gamecfg::checkLogFileName(answer))
        return say(*refusal);
    if (auto error = gamecfg::appendLogFileName(cfgpath_, answer))
        say(*error);
}

void LoggingModeDialog::Setcfgpath_Click() {
    const std::string path =
        prompts_.openFile(texts::OpenDialogTitle, parseFileFilter(t::ConfigFilter),
                          settings_.get(settings_keys::SofDir, ""));
    if (!gamecfg::isConfigFileName(path))
        return; // no message, deliberately
    cfgpath_ = path;
    settings_.set(settings_keys::Sof2CFGFile, path);
}

} // namespace quorvath

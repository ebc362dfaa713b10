#include "gui/logging_mode_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/gamecfg/game_config.h"
#include "gui/app_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <variant>

namespace quorvath {

namespace t = gamecfg::texts;

namespace {

QString fromConfig(const std::string& windows1252) {
    return QString::fromStdString(utf8FromWindows1252(windows1252));
}

} // namespace

LoggingModeDialog::LoggingModeDialog(std::string& configPath, std::string defaultPath,
                                     SettingsStore& settings, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), configPath_(configPath), defaultPath_(std::move(defaultPath)),
      settings_(settings), prompts_(prompts) {
    setObjectName("loggingModeDialog");
    setWindowTitle(t::DialogCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont bold("Arial");
    bold.setPointSizeF(9.75);
    bold.setBold(true);

    pathLabel_ = new QLabel(this);
    pathLabel_->setObjectName("configPathLabel");
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathLabel_->setWordWrap(true);
    nameLabel_ = new QLabel(this);
    nameLabel_->setObjectName("logFileNameLabel");

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
    ok->setToolTip(texts::LoggingOkTip);
    auto* cancel = new QPushButton(t::CancelButton, this);
    cancel->setObjectName("cancelButton");
    cancel->setToolTip(texts::LoggingCancelTip);
    connect(ok, &QPushButton::clicked, this, &LoggingModeDialog::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    auto* menuBar = new QMenuBar(this);
    QMenu* menu = menuBar->addMenu(t::OptionsMenu);
    menu->setObjectName("optionsMenu");
    menu->setToolTipsVisible(true);
    QAction* choose =
        menu->addAction(QString::fromStdString(gamecfg::chooseConfigCaption(defaultPath_)), this,
                        &LoggingModeDialog::onChooseConfigTriggered);
    choose->setObjectName("chooseConfigAction");
    choose->setToolTip(texts::ChooseConfigTip);
    QAction* name =
        menu->addAction(t::LogFilenameMenu, this, &LoggingModeDialog::onLogFileNameTriggered);
    name->setObjectName("logFileNameAction");
    name->setToolTip(texts::LogFileNameTip);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(group, 1);
    row->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->setMenuBar(menuBar);
    all->addWidget(pathLabel_);
    all->addWidget(nameLabel_);
    all->addLayout(row);
}

LoggingModeDialog* LoggingModeDialog::showFor(std::string& configPath, SettingsStore& settings,
                                              UserPrompts& prompts, QWidget* parent) {
    const char* home = std::getenv("HOME");
    auto* dialog = new LoggingModeDialog(configPath, gamecfg::findGameConfig(home ? home : ""),
                                         settings, prompts, parent);
    if (configPath.empty())
        configPath = dialog->defaultPath_;
    // First use on a machine without the game's config in a usual place: ask.
    if (configPath.empty() && !dialog->chooseConfig()) {
        delete dialog;
        return nullptr;
    }
    dialog->readSettings();
    dialog->show();
    return dialog;
}

void LoggingModeDialog::say(const std::string& text) { prompts_.message(text, texts::AppTitle); }

void LoggingModeDialog::readSettings() {
    pathLabel_->setText(texts::ConfigFileLabel + QString::fromStdString(configPath_));
    newName_.reset();
    const gamecfg::ModeRead read = gamecfg::readLogMode(configPath_);
    if (read.error)
        say(*read.error); // the dialog still opens, on mode 0
    modeOptions_[static_cast<std::size_t>(read.mode)]->setChecked(true);
    nameInFile_ = read.error ? "" : gamecfg::readLogFileName(configPath_).name;
    showName();
}

void LoggingModeDialog::showName() {
    if (newName_)
        nameLabel_->setText(texts::LogFileNameLabel + fromConfig(*newName_) +
                            texts::WrittenOnOkNote);
    else if (nameInFile_.empty())
        nameLabel_->setText(texts::LogFileNameLabel + QString(texts::NoLogFileName));
    else
        nameLabel_->setText(texts::LogFileNameLabel + fromConfig(nameInFile_));
}

int LoggingModeDialog::selectedMode() const {
    for (std::size_t mode = 0; mode < modeOptions_.size(); ++mode)
        if (modeOptions_[mode]->isChecked())
            return static_cast<int>(mode);
    return 0;
}

void LoggingModeDialog::onOkClicked() {
    const int mode = selectedMode();
    const auto outcome = gamecfg::writeLogSettings(configPath_, {mode, newName_});
    if (const auto* error = std::get_if<std::string>(&outcome)) {
        say(*error); // stays open: the user may choose another config file
        return;
    }
    const QString file = QFileInfo(QString::fromStdString(configPath_)).fileName();
    if (std::get<gamecfg::ConfigWrite>(outcome) == gamecfg::ConfigWrite::AlreadySet)
        emit settingsWritten(texts::settingsAlreadySet(file, mode));
    else
        emit settingsWritten(
            texts::settingsWritten(file, mode, newName_ ? fromConfig(*newName_) : QString()));
    close();
}

void LoggingModeDialog::onLogFileNameTriggered() {
    const std::string current = newName_.value_or(nameInFile_);
    // The config file is Windows-1252 text; the prompts speak UTF-8.
    const std::string prompt = utf8FromWindows1252(gamecfg::logFileNamePrompt(current));
    std::string typed = utf8FromWindows1252(current);
    // A refused name is said why and offered again, to be corrected in place.
    while (const auto answer = prompts_.inputBox(prompt, texts::AppTitle, typed)) {
        const std::string name = windows1252FromUtf8(*answer);
        if (auto refusal = gamecfg::checkLogFileName(name)) {
            say(utf8FromWindows1252(*refusal));
            typed = *answer;
            continue;
        }
        newName_ = name;
        showName();
        return;
    }
}

void LoggingModeDialog::onChooseConfigTriggered() {
    if (chooseConfig())
        readSettings(); // the mode and name shown are the new file's
}

bool LoggingModeDialog::chooseConfig() {
    // Starts beside the config file in use, else where the game would keep one.
    std::string folder = configPath_.empty() ? defaultPath_ : configPath_;
    folder = folder.empty() ? QDir::homePath().toStdString()
                            : QFileInfo(QString::fromStdString(folder)).path().toStdString();
    std::string path;
    // A wrong file is said why and the chooser opens again where it was.
    while (!gamecfg::isConfigFileName(path)) {
        if (!path.empty()) {
            say(gamecfg::notAConfigFileMessage(path));
            folder = QFileInfo(QString::fromStdString(path)).path().toStdString();
        }
        path =
            prompts_.openFile(texts::ChooseConfigTitle, parseFileFilter(t::ConfigFilter), folder);
        if (path.empty())
            return false;
    }
    configPath_ = path;
    settings_.set(settings_keys::Sof2CFGFile, path);
    return true;
}

} // namespace quorvath

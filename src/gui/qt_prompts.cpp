#include "gui/qt_prompts.h"

#include "gui/app_texts.h"
#include "gui/qt_colours.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace quorvath {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The chosen files, none when the dialog was cancelled.
QStringList chosenFiles(QWidget* parent, const std::string& title,
                        const std::vector<FileFilter>& filters, const std::string& initialFolder,
                        QFileDialog::FileMode mode) {
    QStringList nameFilters;
    for (const FileFilter& f : filters)
        nameFilters << q(f.description + " (" + f.pattern + ")");
    QFileDialog dialog(parent, q(title), q(initialFolder));
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

std::optional<std::string> QtPrompts::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, q(title), q(prompt), QLineEdit::Normal, q(initial), &ok);
    if (!ok)
        return std::nullopt;
    return answer.toStdString();
}

KeepAnswer QtPrompts::askKeep(const std::string& question, const std::string& title) {
    QMessageBox box(QMessageBox::Question, q(title), q(question), QMessageBox::NoButton, parent_);
    QPushButton* keep = box.addButton(texts::KeepButton, QMessageBox::AcceptRole);
    QPushButton* remove = box.addButton(texts::DeleteButton, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    auto* always = new QCheckBox(texts::DoNotAskAgain, &box);
    box.setCheckBox(always);
    box.exec();
    KeepAnswer answer;
    if (box.clickedButton() == keep)
        answer.choice = KeepChoice::Keep;
    else if (box.clickedButton() == remove)
        answer.choice = KeepChoice::Delete;
    answer.always = answer.choice != KeepChoice::Cancel && always->isChecked();
    return answer;
}

void QtPrompts::message(const std::string& text, const std::string& title) {
    QMessageBox::warning(parent_, q(title), q(text));
}

bool QtPrompts::confirm(const std::string& question, const std::string& title) {
    return QMessageBox::question(parent_, q(title), q(question),
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

std::string QtPrompts::openFile(const std::string& title, const std::vector<FileFilter>& filters,
                                const std::string& initialFolder) {
    // A typed name need not exist.
    const QStringList files =
        chosenFiles(parent_, title, filters, initialFolder, QFileDialog::AnyFile);
    return files.isEmpty() ? std::string() : files.first().toStdString();
}

std::vector<std::string> QtPrompts::openFiles(const std::string& title,
                                              const std::vector<FileFilter>& filters,
                                              const std::string& initialFolder) {
    std::vector<std::string> paths;
    for (const QString& file :
         chosenFiles(parent_, title, filters, initialFolder, QFileDialog::ExistingFiles))
        paths.push_back(file.toStdString());
    return paths;
}

std::string QtPrompts::chooseFolder(const std::string& title, const std::string& initialFolder) {
    return QFileDialog::getExistingDirectory(parent_, q(title), q(initialFolder)).toStdString();
}

std::uint32_t QtPrompts::chooseColour(const std::string& title, std::uint32_t initial) {
    const QColor chosen = QColorDialog::getColor(qColorFromBgr(initial), parent_, q(title));
    return chosen.isValid() ? bgrFromQColor(chosen) : initial;
}

} // namespace quorvath

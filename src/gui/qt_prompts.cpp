#include "gui/qt_prompts.h"

#include "gui/qt_colours.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorvath {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
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

bool QtPrompts::askYesNo(const std::string& question, const std::string& title) {
    return QMessageBox::question(parent_, q(title), q(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPrompts::message(const std::string& text, const std::string& title) {
    QMessageBox::information(parent_, q(title), q(text));
}

std::string QtPrompts::openFile(const std::string& title, const std::vector<FileFilter>& filters,
                                const std::string& initialFolder) {
    QStringList nameFilters;
    for (const FileFilter& f : filters)
        nameFilters << q(f.description + " (" + f.pattern + ")");
    QFileDialog dialog(parent_, q(title), q(initialFolder));
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

std::uint32_t QtPrompts::chooseColour(const std::string& title, std::uint32_t initial) {
    const QColor chosen = QColorDialog::getColor(qColorFromBgr(initial), parent_, q(title));
    return chosen.isValid() ? bgrFromQColor(chosen) : initial;
}

} // namespace quorvath

#include "gui/qt_settings_store.h"

#include <QStringList>

namespace quorvath {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "Quorvath", "Quorvath") {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(iniPath, QSettings::IniFormat) {}

std::string QtSettingsStore::get(const std::string& key, const std::string& fallback) const {
    const QString qkey = QString::fromStdString(key);
    if (!settings_.contains(qkey))
        return fallback;
    const QVariant value = settings_.value(qkey);
    // A hand-edited value with an unquoted comma reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::set(const std::string& key, const std::string& value) {
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.sync();
}

} // namespace quorvath

#pragma once
// The preferences in a QSettings INI file the user can read: organisation and
// application "Quorvath". Keys are kept at the file's top level, which
// QSettings writes under the section [General] (a group literally named
// "General" would be written as [%General]).

#include "core/common/settings_store.h"

#include <QSettings>
#include <QString>

namespace quorvath {

class QtSettingsStore : public SettingsStore {
public:
    // The per-user file (~/.config/Quorvath/Quorvath.ini on Linux).
    QtSettingsStore();
    // An explicit file, for tests and for a portable setup.
    explicit QtSettingsStore(const QString& iniPath);

    std::string get(const std::string& key, const std::string& fallback) const override;
    void set(const std::string& key, const std::string& value) override;
    QString fileName() const { return settings_.fileName(); }

private:
    mutable QSettings settings_;
};

} // namespace quorvath

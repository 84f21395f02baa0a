// The settings store on QSettings: organisation "Veldane Integrated Systems",
// application "Orvane Diagnostic" (the registry key of that name on Windows,
// the per-user configuration file elsewhere), or a given file for tests.
#pragma once

#include <QSettings>
#include <memory>

#include "shell/Settings.h"

namespace orvane {

inline constexpr const char* kOrganisationName = "Veldane Integrated Systems";
inline constexpr const char* kSettingsApplicationName = "Orvane Diagnostic";

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();                            // the per-user store
    explicit QtSettingsStore(const QString& iniFile);  // a file of one's own

    std::optional<std::string> Read(std::string_view section, std::string_view name) const override;
    void Write(std::string_view section, std::string_view name, const std::string& value) override;
    void Flush() override;
    QString FileName() const { return settings_->fileName(); }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace orvane

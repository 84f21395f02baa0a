#include "shell/QtSettingsStore.h"

namespace orvane {

namespace {
QString Key(std::string_view section, std::string_view name) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + u'/' +
           QString::fromUtf8(name.data(), qsizetype(name.size()));
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisationName,
                                            kSettingsApplicationName)) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<std::string> QtSettingsStore::Read(std::string_view section, std::string_view name) const {
    const QVariant v = settings_->value(Key(section, name));
    if (!v.isValid() || !v.canConvert<QString>()) return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view section, std::string_view name, const std::string& value) {
    settings_->setValue(Key(section, name), QString::fromStdString(value));
}

void QtSettingsStore::Flush() { settings_->sync(); }

}  // namespace orvane

#include "settings_store.h"

#include <QSettings>
#include <cstdlib>

#include "convert.h"

namespace {

const std::string kProgramKey = "Software\\DAXO\\Eval\\";

QString GroupFor(const std::string& keyPath) {
  std::string group = keyPath.empty() ? "RS232_1" : keyPath;
  if (group.compare(0, kProgramKey.size(), kProgramKey) == 0) group.erase(0, kProgramKey.size());
  for (char& c : group) {
    if (c == '\\') c = '/';
  }
  return QString::fromStdString(group);
}

}  // namespace

std::string PortSettingsStore::FilePath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string config =
      xdg && *xdg ? std::string(xdg) : std::string(home ? home : "") + "/.config";
  return config + "/DAXO/Eval.conf";
}

PortSettingsStore::PortSettingsStore(const std::string& keyPath)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(FilePath()),
                                            QSettings::IniFormat)) {
  settings_->beginGroup(GroupFor(keyPath));
}

PortSettingsStore::~PortSettingsStore() = default;

std::string PortSettingsStore::ReadString(const char* name) const {
  return settings_->value(QLatin1String(name)).toString().toStdString();
}

void PortSettingsStore::WriteString(const char* name, const std::string& value) {
  settings_->setValue(QLatin1String(name), QString::fromStdString(value));
  settings_->sync();
}

void PortSettingsStore::WriteInteger(const char* name, int value) {
  settings_->setValue(QLatin1String(name), value);
  settings_->sync();
}

PortSettingsStore::Done PortSettingsStore::ReadDone() const {
  if (!settings_->contains(QStringLiteral("Done"))) return Done::Missing;
  return StrToInt(ReadString("Done")) != 0 ? Done::NonZero : Done::Zero;
}

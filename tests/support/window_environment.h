// What a window test needs around it: a private settings file and ports
// directory (no default port table), scripted message boxes and dialogs.
#pragma once

#include <QSettings>
#include <string>
#include <unistd.h>

#include "scripted_boxes.h"
#include "scripted_dialogs.h"
#include "settings_store.h"
#include "temp_dir.h"

class WindowEnvironment {
 public:
  TempDir home;
  ScopedEnv xdg{"XDG_CONFIG_HOME", home.Path()};
  ScopedEnv ports{"DAXO_PORT_DIR", home.Path() + "/ports"};
  ScopedEnv noDefaults{"DAXO_NO_DEFAULT_PORTS", "1"};
  ScriptedBoxes boxes;
  ScriptedDialogs dialogs;

  WindowEnvironment() { ::mkdir((home.Path() + "/ports").c_str(), 0755); }

  // Makes `device` reachable as `name` ("COM1").
  void Register(const std::string& name, const std::string& device) {
    ::unlink(PortEntry(name).c_str());
    ::symlink(device.c_str(), PortEntry(name).c_str());
  }
  void Unregister(const std::string& name) { ::unlink(PortEntry(name).c_str()); }
  std::string PortEntry(const std::string& name) const { return home.Path() + "/ports/" + name; }

  // Writes stored settings as a run before this one left them.
  void Store(const std::string& com, const std::string& baud = "19200",
             const std::string& bits = "8", const std::string& stop = "1",
             const std::string& flow = "NONE", const std::string& done = "1") {
    QSettings settings(QString::fromStdString(PortSettingsStore::FilePath()), QSettings::IniFormat);
    settings.beginGroup("RS232_1");
    settings.setValue("Com", QString::fromStdString(com));
    settings.setValue("Baud", QString::fromStdString(baud));
    settings.setValue("Bits", QString::fromStdString(bits));
    settings.setValue("Stop", QString::fromStdString(stop));
    settings.setValue("Flow", QString::fromStdString(flow));
    settings.setValue("Done", QString::fromStdString(done));
  }
  std::string Stored(const char* name) const {
    QSettings settings(QString::fromStdString(PortSettingsStore::FilePath()), QSettings::IniFormat);
    return settings.value(QStringLiteral("RS232_1/") + QLatin1String(name)).toString().toStdString();
  }
  bool HasStore() const {
    QSettings settings(QString::fromStdString(PortSettingsStore::FilePath()), QSettings::IniFormat);
    return settings.contains(QStringLiteral("RS232_1/Done"));
  }
};

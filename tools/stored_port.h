// A private settings folder holding a port stored by an "earlier run", so
// that a main window built now opens that port at start without asking.
// The folder is removed again at the end.
#pragma once

#include <stdlib.h>

#include <QSettings>
#include <filesystem>
#include <string>

#include "settings_store.h"

class StoredPort {
 public:
  explicit StoredPort(const std::string& devicePath) {
    if (!::mkdtemp(folder_)) return;
    ::setenv("XDG_CONFIG_HOME", folder_, 1);
    QSettings settings(QString::fromStdString(PortSettingsStore::FilePath()), QSettings::IniFormat);
    settings.setValue("RS232_1/Com", QString::fromStdString(devicePath));
    settings.setValue("RS232_1/Baud", "19200");
    settings.setValue("RS232_1/Bits", "8");
    settings.setValue("RS232_1/Stop", "1");
    settings.setValue("RS232_1/Flow", "NONE");
    settings.setValue("RS232_1/Done", 1);
  }
  ~StoredPort() { std::filesystem::remove_all(folder_); }
  StoredPort(const StoredPort&) = delete;
  StoredPort& operator=(const StoredPort&) = delete;

 private:
  char folder_[32] = "/tmp/daxo-bench-XXXXXX";
};

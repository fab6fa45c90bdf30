// The stored settings of a port, in the per-user settings store.
//
// A key path such as "Software\DAXO\Eval\RS232_1" is kept as the group
// "RS232_1" of the INI file $XDG_CONFIG_HOME/DAXO/Eval.conf (~/.config when
// XDG_CONFIG_HOME is unset); any other path becomes a group of its own, its
// backslashes turned into slashes, and an empty path means "RS232_1".
// Every write reaches the file at once.
#pragma once

#include <memory>
#include <string>

class QSettings;

class PortSettingsStore {
 public:
  // How the "Done" value reads.
  enum class Done { Missing, Zero, NonZero };

  explicit PortSettingsStore(const std::string& keyPath);
  ~PortSettingsStore();

  static std::string FilePath();

  // The text of a value, "" when it is missing.
  std::string ReadString(const char* name) const;
  void WriteString(const char* name, const std::string& value);
  void WriteInteger(const char* name, int value);
  // The "Done" value; raises EConvertError when it is not an integer.
  Done ReadDone() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

#include "port_names.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

}  // namespace

int ComPortNumber(const std::string& name) {
  if (name.size() < 4 || name.size() > 6) return 0;
  for (int i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  }
  if (name[3] == '0') return 0;
  int n = 0;
  for (size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    n = n * 10 + (name[i] - '0');
  }
  return n <= 100 ? n : 0;
}

std::string PortDirectory() {
  const std::string home = EnvOr("HOME", "");
  const std::string config = EnvOr("XDG_CONFIG_HOME", home + "/.config");
  return EnvOr("DAXO_PORT_DIR", config + "/DAXO/ports");
}

std::string DefaultPortDevice(int n) {
  if (n >= 1 && n <= 4) return "/dev/ttyS" + std::to_string(n - 1);
  if (n >= 5 && n <= 20) return "/dev/ttyUSB" + std::to_string(n - 5);
  if (n >= 21 && n <= 36) return "/dev/ttyACM" + std::to_string(n - 21);
  return "";
}

std::string ResolvePortName(const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  const int n = ComPortNumber(name);
  if (n == 0) return "";
  const std::string entry = PortDirectory() + "/COM" + std::to_string(n);
  struct stat st;
  if (::lstat(entry.c_str(), &st) == 0) return entry;  // a dangling link fails at open
  const char* noDefaults = std::getenv("DAXO_NO_DEFAULT_PORTS");
  if (noDefaults && *noDefaults) return "";
  return DefaultPortDevice(n);
}

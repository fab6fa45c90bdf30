// daxo-module-sim: a virtual DAXO Tavimo module on a pseudo-terminal,
// registered in the ports directory so that the program finds it as a COM
// port. Prints the traffic in both directions until interrupted.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "port_names.h"
#include "virtual_module.h"

namespace {

void Usage(FILE* out) {
  std::fputs(
      "Usage: daxo-module-sim [options]\n"
      "  --name COMn        port name to register (default COM1)\n"
      "  --port-dir DIR     ports directory (default: $DAXO_PORT_DIR, else\n"
      "                     $XDG_CONFIG_HOME/DAXO/ports)\n"
      "  --type TS|RS|TRS   module type (default TRS)\n"
      "  --fast-ack         start in fast-acknowledge mode\n"
      "  --no-echo          never echo nor acknowledge\n"
      "  --wrong-char K:C   echo character C at position K of each command\n"
      "  --fault-only N     the echo faults hit only the N-th command\n"
      "  --reply MODE       normal, none or short (first character only)\n"
      "  --latency-us N     extra delay before each byte the module sends\n"
      "  --baud N           pace bytes at N baud (8N1) in both directions\n"
      "  --loopback         send link-test text back as radio traffic\n"
      "  --memory-fill HEX  fill the 256-byte memory with one value\n"
      "  --quiet            do not print the traffic\n",
      out);
}

std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

bool ParseInt(const char* text, long* value) {
  char* end = nullptr;
  errno = 0;
  *value = std::strtol(text, &end, 0);
  return errno == 0 && end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  ModuleOptions options;
  std::string name = "COM1";
  std::string portDir;
  bool quiet = false;
  long fill = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "daxo-module-sim: %s needs a value\n", arg.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    long number = 0;
    if (arg == "--name") {
      name = value();
    } else if (arg == "--port-dir") {
      portDir = value();
    } else if (arg == "--type") {
      const std::string type = value();
      if (type == "TS") options.type = ModuleOptions::Type::TS;
      else if (type == "RS") options.type = ModuleOptions::Type::RS;
      else if (type == "TRS") options.type = ModuleOptions::Type::TRS;
      else { std::fprintf(stderr, "daxo-module-sim: unknown type %s\n", type.c_str()); return 2; }
    } else if (arg == "--fast-ack") {
      options.fastAck = true;
    } else if (arg == "--no-echo") {
      options.echo = false;
    } else if (arg == "--wrong-char") {
      const std::string wrong = value();
      const auto colon = wrong.find(':');
      if (colon == std::string::npos || colon + 2 != wrong.size() ||
          !ParseInt(wrong.substr(0, colon).c_str(), &number) || number < 1) {
        std::fprintf(stderr, "daxo-module-sim: --wrong-char wants K:C, e.g. 4:X\n");
        return 2;
      }
      options.wrongCharAt = static_cast<int>(number);
      options.wrongChar = wrong.back();
    } else if (arg == "--reply") {
      const std::string mode = value();
      if (mode == "normal") options.reply = ModuleOptions::Reply::Normal;
      else if (mode == "none") options.reply = ModuleOptions::Reply::None;
      else if (mode == "short") options.reply = ModuleOptions::Reply::Short;
      else { std::fprintf(stderr, "daxo-module-sim: unknown reply mode %s\n", mode.c_str()); return 2; }
    } else if (arg == "--fault-only") {
      if (!ParseInt(value(), &number) || number < 0 || number > 1'000'000) {
        std::fprintf(stderr, "daxo-module-sim: --fault-only wants a command number\n");
        return 2;
      }
      options.faultOnly = static_cast<int>(number);
    } else if (arg == "--latency-us" || arg == "--baud") {
      if (!ParseInt(value(), &number) || number < 0 || number > 10'000'000) {
        std::fprintf(stderr, "daxo-module-sim: %s wants a number\n", arg.c_str());
        return 2;
      }
      (arg == "--baud" ? options.baud : options.latencyUs) = static_cast<int>(number);
    } else if (arg == "--loopback") {
      options.loopback = true;
    } else if (arg == "--memory-fill") {
      if (!ParseInt(value(), &fill) || fill < 0 || fill > 255) {
        std::fprintf(stderr, "daxo-module-sim: --memory-fill wants a byte value\n");
        return 2;
      }
    } else if (arg == "--quiet") {
      quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      Usage(stdout);
      return 0;
    } else {
      std::fprintf(stderr, "daxo-module-sim: unknown option %s\n", arg.c_str());
      Usage(stderr);
      return 2;
    }
  }
  if (!portDir.empty()) ::setenv("DAXO_PORT_DIR", portDir.c_str(), 1);
  if (ComPortNumber(name) == 0) {
    std::fprintf(stderr, "daxo-module-sim: the name must be COM1 … COM100\n");
    return 2;
  }
  name = "COM" + std::to_string(ComPortNumber(name));  // the spelling the lookup uses

  // Signals are taken by sigwait below, on this thread only.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  VirtualModule module(options);
  if (fill >= 0) {
    for (int a = 0; a < 256; ++a) module.SetMemory(a, static_cast<uint8_t>(fill));
  }
  const std::string dir = PortDirectory();
  const std::string link = dir + "/" + name;
  std::string mkdir = dir;
  for (size_t pos = 1; pos != std::string::npos; pos = mkdir.find('/', pos + 1)) {
    ::mkdir(mkdir.substr(0, pos).c_str(), 0755);
  }
  ::mkdir(dir.c_str(), 0755);
  struct stat st;
  if (::lstat(link.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      std::fprintf(stderr, "daxo-module-sim: %s exists and is not a link; not replaced\n",
                   link.c_str());
      return 1;
    }
    ::unlink(link.c_str());
  }
  if (::symlink(module.PortPath().c_str(), link.c_str()) != 0) {
    std::fprintf(stderr, "daxo-module-sim: cannot create %s: %s\n", link.c_str(),
                 std::strerror(errno));
    return 1;
  }
  std::printf("virtual module on %s, registered as %s (%s)\n", module.PortPath().c_str(),
              name.c_str(), link.c_str());
  std::fflush(stdout);
  if (!quiet) {
    module.SetTrafficObserver([](bool fromProgram, const std::string& bytes) {
      std::printf("%s %s\n", fromProgram ? "<-" : "->", Printable(bytes).c_str());
      std::fflush(stdout);
    });
  }

  int received = 0;
  sigwait(&signals, &received);
  ::unlink(link.c_str());
  std::printf("virtual module stopped\n");
  return 0;
}

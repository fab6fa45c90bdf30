// Start-up time and peak memory: the program with stored settings, beside a
// minimal Qt window, each started as a fresh process of the report itself.
// The child takes the parent's clock reading at the spawn and reports how
// long it took to its first shown and painted window.
#include <sys/resource.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "eval_application.h"
#include "measures.h"
#include "tform1.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kChildFlag = "--startup-child";

long long Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Shows `window`, waits until it is exposed and painted, and prints the
// time since `spawnedNs` and the peak resident memory.
int ReportShown(QWidget& window, long long spawnedNs) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  QCoreApplication::processEvents();
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("%f %ld\n", (Now() - spawnedNs) / 1e6, usage.ru_maxrss);
  return 0;
}

StartupFigures Spawn(const std::string& self, const char* kind, int runs) {
  std::vector<double> ms, kib;
  for (int i = 0; i < runs; ++i) {
    const std::string command = self + " " + kChildFlag + " " + kind + " " + std::to_string(Now());
    FILE* child = ::popen(command.c_str(), "r");
    double t = 0;
    long peak = 0;
    const bool read = child && std::fscanf(child, "%lf %ld", &t, &peak) == 2;
    if (child) ::pclose(child);
    if (!read) {
      std::fprintf(stderr, "bench_report: the %s start-up child failed\n", kind);
      std::exit(1);
    }
    ms.push_back(t);
    kib.push_back(static_cast<double>(peak));
  }
  std::sort(ms.begin(), ms.end());
  std::sort(kib.begin(), kib.end());
  return {ms[ms.size() / 2], kib[kib.size() / 2]};
}

}  // namespace

StartupFigures ProgramStartup(const std::string& self, int runs) { return Spawn(self, "program", runs); }
StartupFigures MinimalWindowStartup(const std::string& self, int runs) { return Spawn(self, "minimal", runs); }

bool RunStartupChild(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], kChildFlag) != 0) return false;
  const long long spawnedNs = std::atoll(argv[3]);
  int rc;
  if (std::strcmp(argv[2], "program") == 0) {
    EvalApplication app(argc, argv);
    TForm1 form;  // opens the stored port
    rc = ReportShown(form, spawnedNs);
  } else {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(684, 528);
    rc = ReportShown(window, spawnedNs);
  }
  std::fflush(stdout);
  std::_Exit(rc);  // the measurement is taken; no teardown needed
}

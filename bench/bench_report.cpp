// The benchmark report: every measurement in one run, each beside its
// reference, printed as one table with the date and the machine.
//
// Usage: bench_report [--samples N] [--idle-seconds S] [--startup-runs N]
// Takes about a minute and a half.
#include <sys/utsname.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "eval_application.h"
#include "measures.h"
#include "stored_port.h"
#include "virtual_module.h"

namespace {

std::string SelfPath() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string Machine() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line, model = "unknown processor";
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  }
  struct utsname name;
  ::uname(&name);
  return model + ", " + std::to_string(::sysconf(_SC_NPROCESSORS_ONLN)) + " cores, " + name.sysname +
         " " + name.release;
}

void Row(const std::string& measure, const std::string& ours, const std::string& reference,
         double ratio, const char* target) {
  char ratioText[32] = "-";
  if (ratio > 0) std::snprintf(ratioText, sizeof ratioText, "%.3f", ratio);
  std::printf("| %-52s | %16s | %28s | %7s | %8s |\n", measure.c_str(), ours.c_str(), reference.c_str(),
              ratioText, target);
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (RunStartupChild(argc, argv)) return 0;
  int samples = 5000, idleSeconds = 10, startupRuns = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--samples")) samples = std::max(100, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--idle-seconds")) idleSeconds = std::max(1, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--startup-runs")) startupRuns = std::max(1, std::atoi(argv[i + 1]));
  }

  StartupFigures program, minimal;
  {
    // Children start with the settings of an earlier run: this module as COM port.
    VirtualModule module;
    const StoredPort stored(module.PortPath());
    minimal = MinimalWindowStartup(SelfPath(), startupRuns);
    program = ProgramStartup(SelfPath(), startupRuns);
  }
  EvalApplication app(argc, argv);
  const LatencyStats bare = BareLoopLatency(samples);
  const LatencyStats hook = HookLatency(samples);
  const double idle = IdlePercentOfOneCore(idleSeconds);
  const RoundTrip roundTrip = CommandRoundTrip(19200, 50);
  std::vector<ScheduledRun> jobs = MemoryJobs(0);
  for (const ScheduledRun& run : MemoryJobs(19200)) jobs.push_back(run);
  const CalculatorFigures calc = MeasureCalculator();

  char date[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
  std::printf("Measured %s on %s\n\n", date, Machine().c_str());
  std::printf("| %-52s | %16s | %28s | %7s | %8s |\n", "measure", "ours", "reference", "ratio", "target");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(54, '-').c_str(), std::string(18, '-').c_str(),
              std::string(30, '-').c_str(), std::string(9, '-').c_str(), std::string(10, '-').c_str());
  Row("receive latency, pty write to hook (median)", Format("%.1f us", hook.medianUs),
      Format("%.1f us bare poll/read loop", bare.medianUs), hook.medianUs / bare.medianUs, "<= 2");
  Row("receive latency, pty write to hook (p99)", Format("%.1f us", hook.p99Us),
      Format("%.1f us bare poll/read loop", bare.p99Us), hook.p99Us / bare.p99Us, "<= 2");
  Row("idle window with its port open, CPU of one core", Format("%.3f %%", idle), "-", 0, "< 1 %");
  Row("command round trip to \"SENT: ACK\", 19200 baud", Format("%.2f ms", roundTrip.medianMs),
      Format("%.2f ms wire time", roundTrip.wireMs), roundTrip.medianMs / roundTrip.wireMs, "<= 1.10");
  for (const ScheduledRun& run : jobs) {
    Row(run.name, Format("%.3f s", run.seconds), Format("%.3f s timer schedule", run.scheduleSeconds),
        run.seconds / run.scheduleSeconds, "<= 1.05");
  }
  Row("Calculate (433.92 MHz, offset 0.07, optimised)", Format("%.0f calls/s", calc.callsPerSecond), "-", 0, "-");
  Row("channel scan workload, 500 requests", Format("%.0f us", calc.scanMicroseconds), "-", 0, "-");
  Row("start-up to the first shown main window", Format("%.1f ms", program.milliseconds),
      Format("%.1f ms minimal Qt window", minimal.milliseconds), program.milliseconds / minimal.milliseconds, "-");
  Row("peak memory at that point", Format("%.1f MiB", program.peakKiB / 1024),
      Format("%.1f MiB minimal Qt window", minimal.peakKiB / 1024), program.peakKiB / minimal.peakKiB, "-");
  return 0;
}

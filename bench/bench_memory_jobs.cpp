// Memory-job benchmark: the read-all loop (50 ms and 10 ms ticks) and a
// 120-byte write job run by the main window against the virtual module,
// each beside its timer schedule (the ticks it needs × the tick), with the
// module unpaced and paced at 19200 baud.
//
// Usage: bench_memory_jobs
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "eval_application.h"
#include "serial_comms.h"
#include "stored_port.h"
#include "tform1.h"
#include "virtual_module.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
  std::string name;
  double seconds;
  double scheduleSeconds;
};

// Runs the event loop until `done` holds; returns the seconds it took.
double RunUntil(const std::function<void()>& start, const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer check;
  check.setTimerType(Qt::PreciseTimer);
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  const auto t0 = Clock::now();
  start();
  check.start(1);
  loop.exec();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

void MeasureJobs(int baud, std::vector<Run>& runs) {
  ModuleOptions options;
  options.baud = baud;
  VirtualModule module(options);
  const StoredPort stored(module.PortPath());
  TForm1 form;
  if (form.Comms->State() != SerialComms::PortState::Open) {
    std::fprintf(stderr, "bench_memory_jobs: the window did not open the module's port\n");
    std::exit(1);
  }
  const std::string line = baud ? " at " + std::to_string(baud) + " baud" : " unpaced";
  auto finished = [&form](QTimer* job) {
    return [&form, job] { return !job->isActive() && !form.Transaction.Busy(); };
  };
  for (const int tick : {50, 10}) {
    // 256 ticks that each send a read, and one that lists the last reply.
    const double s = RunUntil([&] { form.StartReadAll(tick); }, finished(form.Timer1));
    runs.push_back({"read-all, " + std::to_string(tick) + " ms ticks," + line, s, 257 * tick / 1000.0});
  }
  for (int i = 0; i < 120; ++i) form.EepromImage[0x58 + i] = "5A";
  // One byte a tick of Timer3 (60 ms); the job ends with the last byte's "ACK".
  const double s = RunUntil([&] { form.StartWriteJob(0x58, 120); }, finished(form.Timer3));
  runs.push_back({"write job, 120 bytes," + line, s, 120 * form.Timer3->interval() / 1000.0});
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  EvalApplication app(argc, argv);
  std::vector<Run> runs;
  MeasureJobs(0, runs);
  MeasureJobs(19200, runs);
  std::printf("%-46s %10s %10s %8s %8s\n", "measure", "ours", "schedule", "ratio", "target");
  for (const Run& run : runs) {
    std::printf("%-46s %9.3fs %9.3fs %8.3f %8s\n", run.name.c_str(), run.seconds, run.scheduleSeconds,
                run.seconds / run.scheduleSeconds, "<= 1.05");
  }
  return 0;
}

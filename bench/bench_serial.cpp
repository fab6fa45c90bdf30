// Serial link benchmark: receive latency from a pty write to the hook call,
// beside a bare poll/read loop on the same kind of pty, and the processor
// time of the main window idling with a port open.
//
// Usage: bench_serial [--samples N] [--idle-seconds S]
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>
#include <fcntl.h>

#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "eval_application.h"
#include "pty.h"
#include "serial_comms.h"
#include "stored_port.h"
#include "tform1.h"

namespace {

using Clock = std::chrono::steady_clock;

// One arrival at a time: the receiver stamps it, the sender waits for it.
struct Arrival {
  std::mutex mutex;
  std::condition_variable cv;
  bool arrived = false;
  Clock::time_point at;

  void Stamp() {
    const auto now = Clock::now();
    std::lock_guard<std::mutex> lock(mutex);
    at = now;
    arrived = true;
    cv.notify_one();
  }
  Clock::time_point Wait() {
    std::unique_lock<std::mutex> lock(mutex);
    cv.wait(lock, [&] { return arrived; });
    arrived = false;
    return at;
  }
};

Arrival gArrival;
void StampingHook(const char*, int) { gArrival.Stamp(); }

struct Stats {
  double median;
  double p99;
};

Stats Summarise(std::vector<double> us) {
  std::sort(us.begin(), us.end());
  return {us[us.size() / 2], us[std::min(us.size() - 1, us.size() * 99 / 100)]};
}

std::vector<double> Measure(Pty& pty, int samples) {
  std::vector<double> us;
  us.reserve(samples);
  for (int i = 0; i < samples + 50; ++i) {
    const auto sent = Clock::now();
    pty.Write("x");
    const auto arrived = gArrival.Wait();
    if (i >= 50) us.push_back(std::chrono::duration<double, std::micro>(arrived - sent).count());
  }
  return us;
}

Stats HookLatency(int samples) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  comms.SetReceiveHook(&StampingHook);
  return Summarise(Measure(pty, samples));
}

Stats BareLoopLatency(int samples) {
  Pty pty;
  const int fd = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  std::atomic<bool> stop{false};
  std::thread reader([&] {
    char byte;
    struct pollfd p = {fd, POLLIN, 0};
    while (!stop) {
      if (::poll(&p, 1, 100) > 0 && ::read(fd, &byte, 1) == 1) gArrival.Stamp();
    }
  });
  const Stats stats = Summarise(Measure(pty, samples));
  stop = true;
  reader.join();
  ::close(fd);
  return stats;
}

double CpuSeconds() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The main window with its timers and an open port on which nothing arrives.
double IdlePercentOfOneCore(int argc, char** argv, int seconds) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  EvalApplication app(argc, argv);
  Pty pty;
  const StoredPort stored(pty.SlavePath());
  TForm1 form;
  if (form.Comms->State() != SerialComms::PortState::Open) return -1;
  form.show();
  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  const double cpu0 = CpuSeconds();
  const auto wall0 = Clock::now();
  app.exec();
  const double cpu = CpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
  return 100.0 * cpu / wall;
}

}  // namespace

int main(int argc, char** argv) {
  int samples = 5000;
  int idleSeconds = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--samples")) samples = std::max(100, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--idle-seconds")) idleSeconds = std::max(1, std::atoi(argv[i + 1]));
  }
  const Stats bare = BareLoopLatency(samples);
  const Stats hook = HookLatency(samples);
  const double idle = IdlePercentOfOneCore(argc, argv, idleSeconds);
  if (idle < 0) {
    std::fprintf(stderr, "bench_serial: the window did not open its port\n");
    return 1;
  }

  std::printf("%-44s %12s %12s %8s %8s\n", "measure", "ours", "reference", "ratio", "target");
  std::printf("%-44s %10.1fus %10.1fus %8.2f %8s\n", "receive latency, pty write to hook (median)",
              hook.median, bare.median, hook.median / bare.median, "<= 2");
  std::printf("%-44s %10.1fus %10.1fus %8.2f %8s\n", "receive latency, pty write to hook (p99)",
              hook.p99, bare.p99, hook.p99 / bare.p99, "-");
  std::printf("%-44s %11.3f%% %12s %8s %8s\n", "idle main window with a port open, CPU", idle,
              "1 core", "-", "< 1%");
  std::printf("(%d samples; idle over %d s; reference: a bare poll/read loop on a pty)\n", samples,
              idleSeconds);
  return 0;
}

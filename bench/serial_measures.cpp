// Serial link measurements: receive latency from a pty write to the hook
// call, beside a bare poll/read loop on the same kind of pty, and the
// processor time of the main window idling with a port open.
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>
#include <fcntl.h>

#include <QEventLoop>
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

#include "measures.h"
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

using Stats = LatencyStats;

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

}  // namespace

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

namespace {

double CpuSeconds() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The main window with its timers and an open port on which nothing arrives.
}  // namespace

double IdlePercentOfOneCore(int seconds) {
  Pty pty;
  const StoredPort stored(pty.SlavePath());
  TForm1 form;
  if (form.Comms->State() != SerialComms::PortState::Open) return -1;
  form.show();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  const double cpu0 = CpuSeconds();
  const auto wall0 = Clock::now();
  loop.exec();
  const double cpu = CpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
  return 100.0 * cpu / wall;
}

// A sustained flood of random bytes from the line for 30 s while commands
// and a write job run: the program neither crashes nor stalls (the main
// thread answers within 100 ms throughout), and its memory grows no more
// than the text it shows.
#include <gtest/gtest.h>

#include <QTimer>
#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "page_test.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 16, '\n');
  }
  return 0;
}

using FloodTest = PageTest;

TEST_F(FloodTest, ThirtySecondsOfRandomBytesWhileCommandsAndAJobRun) {
  using Clock = std::chrono::steady_clock;
  const auto duration = std::chrono::seconds(30);
  const long residentBefore = ResidentKiB();

  std::atomic<bool> stop{false};
  std::atomic<long> flooded{0};
  std::thread flood([&] {
    std::mt19937 random(11);
    const auto end = Clock::now() + duration;
    while (!stop && Clock::now() < end) {
      std::string bytes(200, '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      module_.Inject(bytes);
      flooded += 200;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));  // about 20 kB/s, ten times 19200 baud
    }
  });

  // The main thread's answer: a 10 ms timer's lateness, throughout.
  auto last = Clock::now();
  double worstMs = 0;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(now - last).count() - 10);
    last = now;
  });
  probe.start(10);

  // A command every 200 ms and the frequency reset's write job.
  QTimer commands;
  int sent = 0;
  QObject::connect(&commands, &QTimer::timeout, [&] { form_.SendCommand("QX_CMD#C" + std::to_string(sent++ % 10)); });
  commands.start(200);
  form_.Timer3->setInterval(20);
  ui_.Button36->click();

  const auto end = Clock::now() + duration;
  WaitFor([&] { return Clock::now() >= end; }, 40000);
  stop = true;
  flood.join();
  commands.stop();
  WaitFor([&] { return !form_.Transaction.Busy() && !form_.Timer5->isActive() && !form_.Timer3->isActive(); }, 10000);
  probe.stop();

  EXPECT_GT(sent, 100);
  EXPECT_LT(worstMs, 100.0);
  const long shownKiB = static_cast<long>(ui_.Memo2->Text().size() / 1024);
  const long grownKiB = ResidentKiB() - residentBefore;
  RecordProperty("worst_event_loop_delay_ms", static_cast<int>(worstMs));
  RecordProperty("flooded_bytes", static_cast<int>(flooded.load()));
  RecordProperty("resident_growth_kib", static_cast<int>(grownKiB));
  RecordProperty("shown_kib", static_cast<int>(shownKiB));
  // The text is kept twice (the exact bytes and the rendered document), with
  // its layout; allow that and a margin, nothing that grows with time.
#ifndef __SANITIZE_ADDRESS__  // AddressSanitizer keeps freed memory in quarantine
  EXPECT_LT(grownKiB, 8 * shownKiB + 32 * 1024) << "shown " << shownKiB << " KiB";
#endif
  EXPECT_GE(static_cast<long>(ui_.Memo2->Text().size()), flooded.load() / 2);  // the flood was shown
}

}  // namespace

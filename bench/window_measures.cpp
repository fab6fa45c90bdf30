// Measurements of the main window against the virtual module: the memory
// jobs beside their timer schedule, and one command's round trip beside the
// byte times on its critical path.
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "measures.h"
#include "serial_comms.h"
#include "stored_port.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "virtual_module.h"

namespace {

using Clock = std::chrono::steady_clock;

// A window whose stored port is a virtual module paced at `baud`.
struct WindowWithModule {
  explicit WindowWithModule(int baud) : module([baud] {
    ModuleOptions options;
    options.baud = baud;
    return options;
  }()), stored(module.PortPath()) {
    if (form.Comms->State() != SerialComms::PortState::Open) {
      std::fprintf(stderr, "bench_report: the window did not open the module's port\n");
      std::exit(1);
    }
  }
  VirtualModule module;
  StoredPort stored;
  TForm1 form;
};

// Runs the event loop until `done` holds, checked every millisecond;
// returns the seconds it took.
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

}  // namespace

std::vector<ScheduledRun> MemoryJobs(int baud) {
  WindowWithModule w(baud);
  TForm1& form = w.form;
  std::vector<ScheduledRun> runs;
  const std::string line = baud ? ", at " + std::to_string(baud) + " baud" : ", unpaced";
  auto finished = [&form](QTimer* job) {
    return [&form, job] { return !job->isActive() && !form.Transaction.Busy(); };
  };
  for (const int tick : {50, 10}) {
    // 256 ticks that each send a read, and one that lists the last reply.
    const double s = RunUntil([&] { form.StartReadAll(tick); }, finished(form.Timer1));
    runs.push_back({"read-all, " + std::to_string(tick) + " ms ticks" + line, s, 257 * tick / 1000.0});
  }
  for (int i = 0; i < 120; ++i) form.EepromImage[0x58 + i] = "5A";
  // One byte a tick of Timer3 (60 ms); the job ends with the last byte's "ACK".
  const double s = RunUntil([&] { form.StartWriteJob(0x58, 120); }, finished(form.Timer3));
  runs.push_back({"write job, 120 bytes" + line, s, 120 * form.Timer3->interval() / 1000.0});
  return runs;
}

RoundTrip CommandRoundTrip(int baud, int samples) {
  WindowWithModule w(baud);
  TForm1& form = w.form;
  const std::string command = "QX_CMD#C7";
  const std::string ackLine = "SENT:\t\tACK\r\n";
  std::vector<double> ms;
  for (int i = 0; i < samples; ++i) {
    form.ui->Memo2->Clear();
    QEventLoop loop;
    const auto connection = QObject::connect(form.ui->Memo2, &TextMemo::Changed, [&] {
      if (form.ui->Memo2->Text().find(ackLine) != std::string::npos) loop.quit();
    });
    const auto t0 = Clock::now();
    form.SendCommand(command);
    loop.exec();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    QObject::disconnect(connection);
    // The next command once the module has taken this one's "ACK".
    RunUntil([] {}, [&] { return w.module.Commands().size() == static_cast<size_t>(i + 1); });
  }
  std::sort(ms.begin(), ms.end());
  // The last echo byte leaves the module one byte time after the command's
  // last byte arrived: command length + 1 byte times of 10 bits.
  const double byteMs = 10.0 * 1000.0 / baud;
  return {ms[ms.size() / 2], (command.size() + 1) * byteMs};
}

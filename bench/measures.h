// The measurements of the benchmark report. Each returns its figure and,
// where one exists, the reference it is compared with, measured in the
// same run. The window measurements need the application object to exist.
#pragma once

#include <string>
#include <vector>

struct LatencyStats {
  double medianUs = 0;
  double p99Us = 0;
};

// Pty write to the call of a port's receive hook, and the same for a bare
// poll/read loop on a pty.
LatencyStats HookLatency(int samples);
LatencyStats BareLoopLatency(int samples);

// Processor time of the main window with its stored port open and idle,
// in percent of one core.
double IdlePercentOfOneCore(int seconds);

struct ScheduledRun {
  std::string name;
  double seconds = 0;
  double scheduleSeconds = 0;
};

// Read-all with 50 ms and 10 ms ticks and a 120-byte write job against the
// virtual module (paced at `baud`, 0 for unpaced), beside their schedule.
std::vector<ScheduledRun> MemoryJobs(int baud);

struct RoundTrip {
  double medianMs = 0;
  double wireMs = 0;  // the byte times on the exchange's critical path
};

// One command sent with SendCommand until its "SENT:\t\tACK" line shows in
// the activity log, with the virtual module paced at `baud`.
RoundTrip CommandRoundTrip(int baud, int samples);

struct CalculatorFigures {
  double callsPerSecond = 0;
  double scanMicroseconds = 0;  // 500 requests from 433.3 MHz in 1 kHz steps
};
CalculatorFigures MeasureCalculator();

struct StartupFigures {
  double milliseconds = 0;  // process start to the first shown window (median)
  double peakKiB = 0;       // peak resident memory by then
};

// Start-up of the program with stored settings, and of a minimal Qt window
// (the toolkit's floor), each in fresh processes of `self`.
StartupFigures ProgramStartup(const std::string& self, int runs);
StartupFigures MinimalWindowStartup(const std::string& self, int runs);
// The child side: runs when the report is started with `args` naming one.
bool RunStartupChild(int argc, char** argv);

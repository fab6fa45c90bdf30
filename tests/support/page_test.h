// The fixture of the tests of the pages that write the module's memory: a
// window with a virtual module, and what those tests ask of both.
#pragma once

#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "command_texts.h"
#include "stored_module.h"
#include "wait.h"

inline std::string Hex2(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

class PageTest : public WindowWithModule {
 protected:
  explicit PageTest(const ModuleOptions& options = {}) : WindowWithModule(options) {}

  // The job's timer has stopped and its last transaction ended.
  bool JobDone(QTimer* job, int timeoutMs = 20000) {
    return WaitFor([&] { return !job->isActive() && !form_.Transaction.Busy(); }, timeoutMs);
  }
  // The module's bytes as "%02X" texts joined by blanks.
  std::string ModuleBytes(int first, int count) {
    std::string text;
    for (int a = first; a < first + count; ++a) text += (a > first ? " " : "") + Hex2(module_.Memory(a));
    return text;
  }
  // The write commands that put the module's present bytes from `first` on.
  std::vector<std::string> WritesFrom(int first, int count) {
    std::vector<std::string> writes;
    for (int a = first; a < first + count; ++a) writes.push_back(commands::MemoryWrite(a, Hex2(module_.Memory(a))));
    return writes;
  }
  // The whole-table writers are timed by their 60 ms tick; what they write
  // does not depend on it, so these tests tick faster.
  void FastTicks() { form_.Timer3->setInterval(5); }
};

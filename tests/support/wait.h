// Bounded waits for window tests: the event loop runs while waiting, so
// queued work and timers get done; a condition that never holds fails the
// test after the time-out instead of hanging it.
#pragma once

#include <QTest>
#include <functional>

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  return QTest::qWaitFor(condition, timeoutMs);
}

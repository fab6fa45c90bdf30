// What a port's receive thread reads at every pass: the chunk size and the
// hook, each an atomic replaced whole, plus the wake-up descriptor that tells
// a waiting thread to look at them again.
//
// SerialComms owns one ReceiveControl for its whole life and hands it to
// every receive thread it starts, so the chunk size and hook carry over
// from one thread to the next without copying. Setters may be called from
// any thread, also from inside the hook.
#pragma once

#include <atomic>

#include "receive_hook.h"

class ReceiveControl {
 public:
  static constexpr int kMaxChunk = 99;  // the receive buffer is 100 bytes

  ReceiveControl();
  ~ReceiveControl();
  ReceiveControl(const ReceiveControl&) = delete;
  ReceiveControl& operator=(const ReceiveControl&) = delete;

  // Clamped to 1 … kMaxChunk, so a delivery always fits the buffer.
  void SetChunkSize(int n);
  int ChunkSize() const { return chunkSize_.load(); }
  void SetHook(ReceiveHook hook);
  ReceiveHook Hook() const { return hook_.load(); }

  // Wakes the receive thread if it is waiting.
  void Wake();
  int WakeFd() const { return wakeFd_; }
  void DrainWake();

 private:
  std::atomic<int> chunkSize_{1};
  std::atomic<ReceiveHook> hook_{nullptr};
  int wakeFd_;
};

#include "virtual_module.h"

#include <poll.h>
#include <sys/prctl.h>
#include <time.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

VirtualModule::VirtualModule(const ModuleOptions& options)
    : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), protocol_(options) {
  thread_ = std::thread([this] { Run(); });
}

VirtualModule::~VirtualModule() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  Wake();
  thread_.join();
  ::close(wakeFd_);
}

void VirtualModule::Wake() {
  const uint64_t one = 1;
  while (::write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void VirtualModule::SetOptions(const ModuleOptions& options) {
  std::lock_guard<std::mutex> lock(mutex_);
  protocol_.SetOptions(options);
}

ModuleOptions VirtualModule::Options() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return protocol_.Options();
}

bool VirtualModule::FastAck() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return protocol_.FastAck();
}

uint8_t VirtualModule::Memory(int address) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return protocol_.Memory(address);
}

void VirtualModule::SetMemory(int address, uint8_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  protocol_.SetMemory(address, value);
}

std::vector<std::string> VirtualModule::Commands() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return protocol_.Commands();
}

void VirtualModule::Inject(const std::string& bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    QueueOutput(bytes, Clock::now());
  }
  Wake();
}

void VirtualModule::HangUp() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    hangUp_ = true;
  }
  Wake();
  // Wait until the module's thread has closed the line.
  WaitUntil([this](const std::string&, const std::string&) { return pty_.IsHungUp(); });
}

std::string VirtualModule::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

std::string VirtualModule::Sent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sent_;
}

void VirtualModule::ClearRecords() {
  std::lock_guard<std::mutex> lock(mutex_);
  received_.clear();
  sent_.clear();
}

bool VirtualModule::WaitUntil(
    const std::function<bool(const std::string&, const std::string&)>& condition,
    std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return condition(received_, sent_); });
}

bool VirtualModule::WaitForCommands(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return protocol_.Commands().size() >= count; });
}

void VirtualModule::SetTrafficObserver(std::function<void(bool, const std::string&)> observer) {
  std::lock_guard<std::mutex> lock(mutex_);
  observer_ = std::move(observer);
}

VirtualModule::Clock::duration VirtualModule::ByteTime() const {
  const int baud = protocol_.Options().baud;
  if (baud <= 0) return Clock::duration::zero();
  return std::chrono::microseconds(10'000'000 / baud);  // start, 8 data and stop bit
}

void VirtualModule::QueueOutput(const std::string& bytes, Clock::time_point now) {
  const auto latency = std::chrono::microseconds(protocol_.Options().latencyUs);
  for (char byte : bytes) {
    lastOutputDue_ = std::max(now, lastOutputDue_) + ByteTime() + latency;
    output_.push_back({lastOutputDue_, byte});
  }
}

void VirtualModule::Notify(bool fromProgram, const std::string& bytes) {
  if (observer_ && !bytes.empty()) observer_(fromProgram, bytes);
}

void VirtualModule::Run() {
  // A paced line has byte times of half a millisecond: the default timer
  // slack of 50 us on each wait would make the module visibly slower.
  ::prctl(PR_SET_TIMERSLACK, 1UL);
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    const auto now = Clock::now();
    if (hangUp_) {
      pty_.HangUp();
      hangUp_ = false;
      input_.clear();
      output_.clear();
      changed_.notify_all();
    }
    // Process the program's bytes that have arrived over the wire by now.
    while (!input_.empty() && input_.front().due <= now) {
      const char byte = input_.front().byte;
      input_.pop_front();
      QueueOutput(protocol_.Take(byte), now);
      quietSince_ = now;
      changed_.notify_all();  // a command may have been acted upon
    }
    if (input_.empty() && protocol_.WaitsForQuiet() && now - quietSince_ >= kQuietGap) {
      QueueOutput(protocol_.QuietGap(), now);
    }
    // Send what is due.
    std::string burst;
    while (!output_.empty() && output_.front().due <= now) {
      burst += output_.front().byte;
      output_.pop_front();
    }
    if (!burst.empty() && !pty_.IsHungUp()) {
      pty_.Write(burst);
      sent_ += burst;
      Notify(false, burst);
      changed_.notify_all();
    }

    // Sleep in poll() until the line, a wake-up or the next due byte.
    Clock::time_point next = Clock::time_point::max();
    if (!input_.empty()) next = std::min(next, input_.front().due);
    if (!output_.empty()) next = std::min(next, output_.front().due);
    if (input_.empty() && protocol_.WaitsForQuiet()) next = std::min(next, quietSince_ + kQuietGap);
    struct timespec timeout = {0, 0};
    struct timespec* timeoutPtr = nullptr;  // none: wait for the line or a wake-up
    if (next != Clock::time_point::max()) {
      const auto wait = std::max(Clock::duration::zero(), next - Clock::now());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
      timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
      timeoutPtr = &timeout;
    }
    struct pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {pty_.MasterFd(), POLLIN, 0}};
    const int count = pty_.IsHungUp() ? 1 : 2;
    lock.unlock();
    const int rc = ::ppoll(fds, count, timeoutPtr, nullptr);
    lock.lock();
    if (rc <= 0) continue;
    if (fds[0].revents & POLLIN) {
      uint64_t drained;
      while (::read(wakeFd_, &drained, sizeof drained) < 0 && errno == EINTR) {
      }
    }
    if (count == 2 && (fds[1].revents & POLLIN)) {
      const std::string bytes = pty_.Read(0);
      const auto arrival = Clock::now();
      for (char byte : bytes) {
        lastInputDue_ = std::max(arrival, lastInputDue_) + ByteTime();
        input_.push_back({lastInputDue_, byte});
      }
      received_ += bytes;
      Notify(true, bytes);
      changed_.notify_all();
    }
  }
}

#include "rs232_thread.h"

#include <poll.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "message_boxes.h"
#include "serial_device.h"
#include "serial_trace.h"

RS232RXThread::RS232RXThread(const SerialDevice& device, ReceiveControl& control)
    : device_(device), control_(control), thread_([this] { Execute(); }) {}

RS232RXThread::~RS232RXThread() {
  RequestStop();
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();  // destroyed from its own hook: it leaves its loop on return
  } else if (thread_.joinable()) {
    thread_.join();
  }
}

void RS232RXThread::RequestStop() {
  terminated_.store(true);
  control_.Wake();
}

void RS232RXThread::Execute() {
  char buffer[ReceiveControl::kMaxChunk + 1];
  // Bytes taken from the driver but not yet delivered.
  char pending[4096];
  size_t have = 0;

  while (!terminated_.load()) {
    const ReceiveHook hook = control_.Hook();
    const size_t chunk = static_cast<size_t>(control_.ChunkSize());
    if (hook && have >= chunk) {
      std::memcpy(buffer, pending, chunk);
      buffer[chunk] = 0;
      have -= chunk;
      std::memmove(pending, pending + chunk, have);
      if (terminated_.load()) break;
      hook(buffer, static_cast<int>(chunk));
      continue;
    }

    // Listen for data only when a hook can take it: without one the bytes
    // stay in the driver's queue. Hang-up and errors are reported either way.
    const bool wantData = hook && have < sizeof pending;
    struct pollfd fds[2] = {{control_.WakeFd(), POLLIN, 0},
                            {device_.Fd(), static_cast<short>(wantData ? POLLIN : 0), 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      ShowReadError(std::strerror(errno));
      break;
    }
    if (fds[0].revents & POLLIN) control_.DrainWake();
    const short portEvents = fds[1].revents;
    if (portEvents & POLLIN) {
      std::string error;
      const long n = device_.Read(pending + have, sizeof pending - have, &error);
      if (n < 0) {
        ShowReadError(error);
        break;
      }
      have += static_cast<size_t>(n);
    } else if (portEvents & (POLLHUP | POLLERR | POLLNVAL)) {
      ShowReadError(std::strerror(EIO));
      break;
    }
  }
  finished_.store(true);
}

void RS232RXThread::ShowReadError(const std::string& text) {
  qCDebug(lcSerial, "receive thread stops: %s", text.c_str());
  if (terminated_.load()) return;  // closing the port is not a failure
  Boxes().Show("Error", text, BoxIcon::Information, BoxButtons::Ok);
}

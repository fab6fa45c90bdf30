// The transaction hook against any command and any stream of echo chunks,
// with or without a reply: nothing may write past the echo buffer, and the
// buffer stays a terminated text.
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "pty.h"
#include "qx_cmd.h"
#include "serial_comms.h"

namespace {

void NoLine(const char*, int) {}
void NoFastAck(bool) {}

struct Line {
  Pty pty;
  SerialComms comms{pty.SlavePath()};
  TransactionState state;
  Line() {
    state.LogLine = &NoLine;
    state.ShowFastAck = &NoFastAck;
    Transactions = &state;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Line* line = new Line;  // one port for the whole run
  FuzzInput in(data, size);
  std::string command = "QX_CMD#" + in.Text(250);
  const int replyLength = in.Byte() % 4;
  std::string reply = "--";
  line->state.Begin(command, line->comms, replyLength, replyLength ? &reply : nullptr);
  while (!in.Empty()) {
    std::string chunk = in.Text(16);
    chunk.push_back('\0');  // a delivery is followed by a zero byte
    QX_CMD::TransactionHook(chunk.data(), static_cast<int>(chunk.size()) - 1);
    std::lock_guard<std::mutex> lock(line->state.Lock);
    if (std::memchr(line->state.EchoBuffer, '\0', TransactionState::kEchoBufferSize) == nullptr) std::abort();
  }
  line->state.Abandon();
  line->pty.Read(0);  // what the program wrote ("ACK", 0x06, the commands)
  return 0;
}

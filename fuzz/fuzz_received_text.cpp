// Receive routing: received bytes, finished lines and countdown ticks in
// any order. Every byte handed in (up to a zero byte of its call) must come
// out in the entries, in order, exactly once.
#include <cstdlib>

#include "fuzz_input.h"
#include "received_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  ReceivedText rx;
  std::string handedIn, shown;
  auto take = [&] {
    for (const LogEntry& entry : rx.TakeEntries()) shown += entry.Text;
  };
  while (!in.Empty()) {
    switch (in.Byte() % 4) {
      case 0: {
        const std::string bytes = in.Text(8);
        rx.AddReceived(bytes.data(), static_cast<int>(bytes.size()));
        handedIn += bytes.substr(0, bytes.find('\0'));
        break;
      }
      case 1: {
        const std::string line = in.Text(40);
        rx.AddLine(line.data(), static_cast<int>(line.size()));
        handedIn += line.substr(0, line.find('\0'));
        break;
      }
      case 2:
        rx.CountDown();
        break;
      default:
        take();
        break;
    }
  }
  // Whatever is still being collected comes out after the quiet ticks.
  for (int i = 0; i <= ReceivedText::kQuietTicks + 1; ++i) rx.CountDown();
  take();
  if (shown != handedIn) std::abort();
  return 0;
}

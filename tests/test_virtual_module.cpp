// The virtual module's behaviour on the wire, seen from the program's side
// of a real pseudo-terminal.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "virtual_module.h"

namespace {

using namespace std::chrono_literals;

// The program's end of the line, kept raw and simple.
class Line {
 public:
  explicit Line(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {}
  ~Line() { ::close(fd_); }
  void Send(const std::string& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

 private:
  int fd_;
};

bool SentEquals(VirtualModule& m, const std::string& expected) {
  return m.WaitUntil([&](const std::string&, const std::string& sent) { return sent == expected; });
}

bool CommandsDone(VirtualModule& m, size_t count) { return m.WaitForCommands(count); }

struct Exchange {
  const char* name;
  ModuleOptions options;
  std::string command;
  std::string confirmation;  // "ACK", or 0x06 in fast-acknowledge mode
  std::string answer;        // everything the module sends, in order
};

ModuleOptions With(void (*change)(ModuleOptions&)) {
  ModuleOptions o;
  change(o);
  return o;
}

TEST(VirtualModule, Exchanges) {
  const Exchange cases[] = {
      {"echo then nothing", {}, "QX_CMD#C3", "ACK", "QX_CMD#C3"},
      {"memory read", {}, "QX_CMD#L40A?", "ACK", "QX_CMD#L40A?0A"},
      {"version", {}, "QX_CMD#T3", "ACK", std::string("QX_CMD#T3") + ModuleProtocol::kVersion},
      {"baud query", {}, "QX_CMD#U?", "ACK", "QX_CMD#U?U4\r\n"},
      {"fast ack", With([](ModuleOptions& o) { o.fastAck = true; }), "QX_CMD#L40B?", "\x06",
       "\x06" "0B"},
      {"wrong fourth character", With([](ModuleOptions& o) { o.wrongCharAt = 4; o.wrongChar = 'X'; }),
       "QX_CMD#C3", "ACK", "QX_XMD#C3"},
      {"no echo", With([](ModuleOptions& o) { o.echo = false; }), "QX_CMD#C3", "ACK", ""},
      {"no reply", With([](ModuleOptions& o) { o.reply = ModuleOptions::Reply::None; }),
       "QX_CMD#L40A?", "ACK", "QX_CMD#L40A?"},
      {"short reply", With([](ModuleOptions& o) { o.reply = ModuleOptions::Reply::Short; }),
       "QX_CMD#L40A?", "ACK", "QX_CMD#L40A?0"},
      {"transmit only", With([](ModuleOptions& o) { o.type = ModuleOptions::Type::TS; }),
       "QX_CMD#L40A?", "ACK", ""},
      {"paced at 19200 baud", With([](ModuleOptions& o) { o.baud = 19200; o.latencyUs = 100; }),
       "QX_CMD#L40C?", "ACK", "QX_CMD#L40C?0C"},
  };
  for (const Exchange& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualModule module(c.options);
    Line line(module.PortPath());
    // The module takes bytes in order, so the confirmation may follow at once.
    line.Send(c.command);
    line.Send(c.confirmation);
    ASSERT_TRUE(CommandsDone(module, 1));
    EXPECT_TRUE(SentEquals(module, c.answer)) << module.Sent();
    EXPECT_EQ(module.Received(), c.command + c.confirmation);
    EXPECT_EQ(module.Commands().at(0), c.command);
  }
}

TEST(VirtualModule, MemoryWritesAndModeChangesTakeEffectOnConfirmation) {
  VirtualModule module;
  Line line(module.PortPath());
  line.Send("QX_CMD#L4F47F");
  ASSERT_TRUE(SentEquals(module, "QX_CMD#L4F47F"));
  EXPECT_EQ(module.Memory(0xF4), 0xF4);  // not before "ACK"
  line.Send("ACK");
  ASSERT_TRUE(CommandsDone(module, 1));
  EXPECT_EQ(module.Memory(0xF4), 0x7F);

  line.Send("QX_CMD#I7ACK");
  ASSERT_TRUE(CommandsDone(module, 2));
  EXPECT_TRUE(module.FastAck());
  module.ClearRecords();
  line.Send("QX_CMD#I8");
  ASSERT_TRUE(SentEquals(module, "\x06"));  // no echo in fast-acknowledge mode
  line.Send("\x06");
  ASSERT_TRUE(CommandsDone(module, 3));
  EXPECT_FALSE(module.FastAck());
}

TEST(VirtualModule, TransmitOnlyModuleActsSilently) {
  ModuleOptions options;
  options.type = ModuleOptions::Type::TS;
  VirtualModule module(options);
  Line line(module.PortPath());
  line.Send("QX_CMD#L41D12ACK");
  ASSERT_TRUE(CommandsDone(module, 1));
  EXPECT_EQ(module.Memory(0x1D), 0x12);
  EXPECT_EQ(module.Sent(), "");
}

TEST(VirtualModule, FaultsCanHitOneCommandOnly) {
  ModuleOptions options;
  options.echo = false;
  options.faultOnly = 2;
  VirtualModule module(options);
  Line line(module.PortPath());
  line.Send("QX_CMD#C1ACK");
  line.Send("QX_CMD#C2");
  line.Send("QX_CMD#C3ACK");  // the second command got no echo and was dropped
  ASSERT_TRUE(module.WaitForCommands(2));
  EXPECT_EQ(module.Commands(), (std::vector<std::string>{"QX_CMD#C1", "QX_CMD#C3"}));
  EXPECT_TRUE(SentEquals(module, "QX_CMD#C1QX_CMD#C3"));
}

TEST(VirtualModule, UnconfirmedCommandIsDropped) {
  VirtualModule module;
  Line line(module.PortPath());
  line.Send("QX_CMD#L40011");  // no "ACK": the next command replaces it
  line.Send("QX_CMD#L40022ACK");
  ASSERT_TRUE(CommandsDone(module, 1));
  EXPECT_EQ(module.Commands(), std::vector<std::string>{"QX_CMD#L40022"});
  EXPECT_EQ(module.Memory(0), 0x22);
}

TEST(VirtualModule, UnknownCommandEndsWhenTheLineFallsQuiet) {
  ModuleOptions options;
  options.fastAck = true;
  VirtualModule module(options);
  Line line(module.PortPath());
  line.Send("QX_CMD#Z123");
  EXPECT_TRUE(SentEquals(module, "\x06"));
}

TEST(VirtualModule, RadioTextLoopsBackAndInjectedBytesArrive) {
  ModuleOptions options;
  options.loopback = true;
  VirtualModule module(options);
  Line line(module.PortPath());
  line.Send("40");
  ASSERT_TRUE(SentEquals(module, "40"));
  module.Inject(std::string("\0OK\r\n", 5));
  EXPECT_TRUE(SentEquals(module, std::string("40\0OK\r\n", 7)));
}

TEST(VirtualModule, HangUpClosesTheLine) {
  VirtualModule module;
  const int fd = ::open(module.PortPath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  module.HangUp();
  struct pollfd p = {fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 5000), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
  ::close(fd);
}

}  // namespace

// SerialComms through real pseudo-terminals: states, messages, exclusive
// access, line settings as texts, SetPort carry-over and writes.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

#include "convert.h"
#include "hook_recorder.h"
#include "pty.h"
#include "scripted_boxes.h"
#include "serial_comms.h"
#include "temp_dir.h"

namespace {

const char* const kComError =
    "Unable to Access %s\rThe Port is either missing or already in use.\nPlease correct and try again.";

std::string ComErrorFor(const std::string& name) {
  std::string text = kComError;
  return text.replace(text.find("%s"), 2, name);
}

class SerialCommsTest : public ::testing::Test {
 protected:
  void SetUp() override { HookRecorder::Instance().Clear(); }

  // Registers the pty as "COMn" in a private ports directory.
  void Register(const std::string& name, const Pty& pty) {
    ASSERT_EQ(::symlink(pty.SlavePath().c_str(), (ports_.Path() + "/" + name).c_str()), 0);
  }

  tcflag_t SlaveCflag(const Pty& pty) {
    struct termios tio;
    EXPECT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
    return tio.c_cflag;
  }

  TempDir ports_;
  ScopedEnv portDir_{"DAXO_PORT_DIR", ports_.Path()};
  ScriptedBoxes boxes_;
};

TEST_F(SerialCommsTest, NewObjectHasNoPortAndLosesWrites) {
  SerialComms comms;
  EXPECT_EQ(comms.GetPort(), "0");
  EXPECT_EQ(comms.State(), SerialComms::PortState::None);
  EXPECT_EQ(comms.RegistryKey, "");
  EXPECT_EQ(comms.WriteText("QX_CMD#C3"), 0);
  // Without a port the getters report the default line setting.
  EXPECT_EQ(comms.GetBaudRate(), "19200");
  EXPECT_EQ(comms.GetDataBits(), "8");
  EXPECT_EQ(comms.GetStopBits(), "1");
  EXPECT_EQ(comms.GetFlowControl(), "NONE");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(SerialCommsTest, ConstructorOpensWithDefaultLineSetting) {
  Pty pty;
  Register("COM3", pty);
  SerialComms comms("COM3");
  EXPECT_EQ(comms.State(), SerialComms::PortState::Open);
  EXPECT_EQ(comms.GetPort(), "COM3");
  EXPECT_EQ(comms.GetBaudRate(), "19200");
  EXPECT_EQ(comms.GetDataBits(), "8");
  EXPECT_EQ(comms.GetStopBits(), "1");
  const tcflag_t cflag = SlaveCflag(pty);
  EXPECT_EQ(cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(cflag & (PARENB | CSTOPB), 0u);
}

TEST_F(SerialCommsTest, ConstructorThrowsForPortsThatDoNotOpen) {
  // A name without a device, a device that is no terminal, a missing path.
  for (const char* name : {"COM77", "/dev/null", "/nonexistent/tty", ""}) {
    SCOPED_TRACE(name);
    try {
      SerialComms comms(name);
      ADD_FAILURE() << "opened";
    } catch (const SerialComms::Error& error) {
      EXPECT_STREQ(error.Message, "Cannot Access the Selected Port");
      SerialComms::Error copy = error;
      EXPECT_EQ(copy.Message, error.Message);  // copying copies the pointer
    }
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(SerialCommsTest, SecondOpenOfAHeldPortFails) {
  Pty pty;
  Register("COM1", pty);
  SerialComms holder("COM1");
  // Also within one process (and as root): the lock holds.
  EXPECT_THROW(SerialComms("COM1"), SerialComms::Error);

  SerialComms other;
  other.SetPort("COM1");
  EXPECT_EQ(other.State(), SerialComms::PortState::Failed);
  EXPECT_EQ(other.GetPort(), "COM1");
  const auto shown = boxes_.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Com Error");
  EXPECT_EQ(shown[0].text, ComErrorFor("COM1"));
  EXPECT_EQ(shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(shown[0].buttons, BoxButtons::Ok);
  // The holder is unaffected.
  EXPECT_EQ(holder.WriteText("ok"), 2);
  EXPECT_EQ(pty.Read(1000), "ok");
}

TEST_F(SerialCommsTest, FailedPortRecoversWithALaterSetPort) {
  Pty pty;
  SerialComms comms;
  comms.SetReceiveHook(&HookRecorder::Hook);
  comms.SetPort("COM9");  // no such device
  EXPECT_TRUE(comms.IsFailed());
  EXPECT_EQ(boxes_.Shown().at(0).text, ComErrorFor("COM9"));
  EXPECT_EQ(comms.WriteText("lost"), 0);

  comms.SetPort(pty.SlavePath());
  EXPECT_EQ(comms.State(), SerialComms::PortState::Open);
  pty.Write("x");
  ASSERT_TRUE(HookRecorder::Instance().WaitForCount(1));
  EXPECT_EQ(HookRecorder::Instance().AllBytes(), "x");
}

TEST_F(SerialCommsTest, SetPortCarriesOverLineSettingsChunkSizeAndHook) {
  Pty first, second;
  SerialComms comms(first.SlavePath());
  comms.SetBaudRate("9600");
  comms.SetStopBits("2");
  comms.SetFlowControl("HARDWARE");
  comms.SetChunkSize(2);
  comms.SetReceiveHook(&HookRecorder::Hook);

  comms.SetPort(second.SlavePath());
  ASSERT_EQ(comms.State(), SerialComms::PortState::Open);
  EXPECT_EQ(comms.GetBaudRate(), "9600");
  EXPECT_EQ(comms.GetStopBits(), "2");
  EXPECT_EQ(comms.GetFlowControl(), "HARDWARE");
  EXPECT_EQ(comms.GetChunkSize(), 2);
  EXPECT_EQ(comms.GetReceiveHook(), &HookRecorder::Hook);

  second.Write("ab");
  ASSERT_TRUE(HookRecorder::Instance().WaitForCount(1));
  const auto d = HookRecorder::Instance().Deliveries();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].bytes, "ab");
  EXPECT_EQ(d[0].count, 2);
  // The first port was released.
  EXPECT_NO_THROW(SerialComms(first.SlavePath()));
}

TEST_F(SerialCommsTest, EveryRateOfTheSettingsListIsSetAndReadBackExactly) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  for (const char* rate : {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800",
                           "38400", "56000", "57600", "115200"}) {
    comms.SetBaudRate(rate);
    EXPECT_EQ(comms.GetBaudRate(), rate);
  }
}

TEST_F(SerialCommsTest, StopBitsAndFlowControlAsTexts) {
  struct Case {
    const char* setter;    // "stop" or "flow"
    const char* text;
    const char* expected;  // what the getter then yields
  };
  const Case cases[] = {
      {"stop", "1", "1"},
      {"stop", "2", "2"},
      {"stop", "1.5", "1"},  // refused: a pseudo-terminal always has 8 data bits
      {"stop", "3", "1"},    // no such setting: unchanged
      {"stop", "", "1"},
      {"flow", "HARDWARE", "HARDWARE"},
      {"flow", "NONE", "NONE"},
      {"flow", "hardware", "NONE"},  // compared exactly, case included
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.setter) + " '" + c.text + "'");
    Pty pty;
    SerialComms comms(pty.SlavePath());
    if (std::string(c.setter) == "stop") {
      comms.SetStopBits(c.text);
      EXPECT_EQ(comms.GetStopBits(), c.expected);
      EXPECT_EQ((SlaveCflag(pty) & CSTOPB) != 0, std::string(c.expected) == "2");
    } else {
      comms.SetFlowControl(c.text);
      EXPECT_EQ(comms.GetFlowControl(), c.expected);
      EXPECT_EQ((SlaveCflag(pty) & CRTSCTS) != 0, std::string(c.expected) == "HARDWARE");
    }
  }
}

TEST_F(SerialCommsTest, SettingsTheDriverRefusesReadBackAsTheyReallyAre) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  // The pseudo-terminal driver forces 8 data bits; the getter tells the truth.
  for (const char* bits : {"5", "6", "7", "8"}) {
    comms.SetDataBits(bits);
    EXPECT_EQ(comms.GetDataBits(), "8") << bits;
  }
  comms.SetStopBits("2");
  comms.SetDataBits("9");  // no line has 9 data bits: nothing of the record is applied
  EXPECT_EQ(comms.GetDataBits(), "8");
  EXPECT_EQ(comms.GetStopBits(), "2");
  comms.SetBaudRate("0");
  EXPECT_EQ(comms.GetBaudRate(), "19200");
  comms.SetBaudRate("-1");
  EXPECT_EQ(comms.GetBaudRate(), "19200");
}

TEST_F(SerialCommsTest, NumberTextsThatDoNotConvertRaiseAndChangeNothing) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  const std::pair<const char*, const char*> cases[] = {
      {"abc", "'abc' is not a valid integer value"},
      {"", "'' is not a valid integer value"},
      {"19200.5", "'19200.5' is not a valid integer value"},
  };
  for (const auto& [text, message] : cases) {
    try {
      comms.SetBaudRate(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError& error) {
      EXPECT_STREQ(error.what(), message);
    }
    EXPECT_THROW(comms.SetDataBits(text), EConvertError);
  }
  EXPECT_EQ(comms.GetBaudRate(), "19200");
  EXPECT_EQ(comms.GetDataBits(), "8");
}

TEST_F(SerialCommsTest, RtsHandshakeReportedByTheDriverReadsAsHardware) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  ASSERT_EQ(comms.GetFlowControl(), "NONE");
  // Another party switches the line to RTS/CTS handshake.
  struct termios tio;
  ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
  tio.c_cflag |= CRTSCTS;
  ASSERT_EQ(::tcsetattr(pty.MasterFd(), TCSANOW, &tio), 0);
  EXPECT_EQ(comms.GetFlowControl(), "HARDWARE");
}

TEST_F(SerialCommsTest, WritesSendExactlyTheirBytes) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  EXPECT_EQ(comms.WriteText(""), 0);
  EXPECT_EQ(comms.WriteByte(0x06), 1);
  EXPECT_EQ(pty.Read(1000), std::string("\x06"));
  EXPECT_EQ(comms.WriteText("QX_CMD#C3"), 9);
  EXPECT_EQ(comms.WriteText(std::string("AB\0CD", 5)), 2);  // a text ends at its zero byte
  std::string got;
  while (got.size() < 11) {
    const std::string part = pty.Read(1000);
    if (part.empty()) break;
    got += part;
  }
  EXPECT_EQ(got, "QX_CMD#C3AB");
}

TEST_F(SerialCommsTest, WritesFromTwoThreadsNeverInterleave) {
  Pty pty;
  SerialComms comms(pty.SlavePath());
  constexpr size_t kBlock = 64;
  constexpr int kWrites = 200;
  auto writer = [&](char letter) {
    const std::string block(kBlock, letter);
    for (int i = 0; i < kWrites; ++i) comms.WriteText(block);
  };
  std::thread a(writer, 'a'), b(writer, 'b');
  std::string got;
  while (got.size() < 2 * kWrites * kBlock) {
    const std::string part = pty.Read(2000);
    if (part.empty()) break;
    got += part;
  }
  a.join();
  b.join();
  ASSERT_EQ(got.size(), 2 * kWrites * kBlock);
  for (size_t at = 0; at < got.size(); at += kBlock) {
    ASSERT_EQ(got.substr(at, kBlock), std::string(kBlock, got[at])) << "interleaved at " << at;
  }
}

}  // namespace

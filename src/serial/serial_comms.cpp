#include "serial_comms.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "convert.h"
#include "message_boxes.h"
#include "port_names.h"
#include "rs232_thread.h"
#include "serial_device.h"

namespace {

std::unique_ptr<SerialDevice> OpenByName(const std::string& name, std::string* path) {
  *path = ResolvePortName(name);
  return SerialDevice::Open(*path);
}

}  // namespace

SerialComms::SerialComms() = default;

SerialComms::SerialComms(const std::string& name) {
  std::string path;
  auto device = OpenByName(name, &path);
  PortName = name;
  if (!device) throw Error();
  device_ = std::move(device);
  devicePath_ = path;
  state_ = PortState::Open;

  // The default line setting: 19200 baud, 8 data bits, no parity, 1 stop bit.
  ReadLineSettings();
  LineSettings_.BaudRate = 19200;
  LineSettings_.ByteSize = 8;
  LineSettings_.Parity = 0;
  LineSettings_.StopBits = 0;
  LineSettings_.XonChar = 0;
  LineSettings_.XoffChar = 0;
  WriteLineSettings();
  ApplyFixedTimeouts();
  StartReceiveThread();
}

SerialComms::~SerialComms() {
  // The thread is stopped and joined first: no hook runs once the object is
  // gone, and the descriptor is never closed under a poll().
  StopReceiveThread();
  std::lock_guard<std::mutex> lock(writeMutex_);
  device_.reset();
}

void SerialComms::SetPort(const std::string& name) {
  PortName = name;
  // Unlike a handle on the original platform, a descriptor must not be
  // closed while another thread polls it: the old thread ends first. Its
  // chunk size and hook stay in control_ for the next thread.
  StopReceiveThread();
  const bool hadPort = device_ != nullptr;
  LineSettings carried;
  if (hadPort) device_->GetLineSettings(carried);
  {
    std::lock_guard<std::mutex> lock(writeMutex_);
    device_.reset();
    devicePath_.clear();
  }

  std::string path;
  auto device = OpenByName(name, &path);
  if (!device) {
    state_ = PortState::Failed;
    std::string text = "Unable to Access " + name +
                       "\rThe Port is either missing or already in use.\nPlease correct and try again.";
    Boxes().Show("Com Error", text, BoxIcon::Warning, BoxButtons::Ok);
    return;
  }
  if (hadPort) device->SetLineSettings(carried);
  {
    std::lock_guard<std::mutex> lock(writeMutex_);
    device_ = std::move(device);
    devicePath_ = path;
  }
  state_ = PortState::Open;
  ApplyFixedTimeouts();
  StartReceiveThread();
}

std::string SerialComms::DevicePath() const {
  std::lock_guard<std::mutex> lock(writeMutex_);
  return devicePath_;
}

bool SerialComms::ReadLineSettings() {
  return device_ && device_->GetLineSettings(LineSettings_);
}

void SerialComms::WriteLineSettings() {
  if (device_) device_->SetLineSettings(LineSettings_);
}

void SerialComms::ApplyFixedTimeouts() {
  CommTimeouts t;
  t.ReadIntervalTimeout = 10;
  t.ReadTotalTimeoutMultiplier = 10;
  t.ReadTotalTimeoutConstant = 50;
  t.WriteTotalTimeoutMultiplier = 10;
  t.WriteTotalTimeoutConstant = 150;
  std::lock_guard<std::mutex> lock(writeMutex_);
  device_->SetTimeouts(t);
}

void SerialComms::StopReceiveThread() { RxThread.reset(); }

void SerialComms::StartReceiveThread() {
  RxThread = std::make_unique<RS232RXThread>(*device_, control_);
}

void SerialComms::SetBaudRate(const std::string& text) {
  const int rate = StrToInt(text);
  ReadLineSettings();
  LineSettings_.BaudRate = static_cast<uint32_t>(rate);
  WriteLineSettings();
}

std::string SerialComms::GetBaudRate() {
  ReadLineSettings();
  return std::to_string(LineSettings_.BaudRate);
}

void SerialComms::SetDataBits(const std::string& text) {
  const int bits = StrToInt(text);
  ReadLineSettings();
  LineSettings_.ByteSize = static_cast<uint8_t>(bits);
  WriteLineSettings();
}

std::string SerialComms::GetDataBits() {
  ReadLineSettings();
  return std::to_string(LineSettings_.ByteSize);
}

void SerialComms::SetStopBits(const std::string& text) {
  // Tenths of the number, truncated toward zero: "1" 10, "1.5" 15, "2" 20.
  const double number = std::atof(text.c_str());
  const double tenths = number * 10;
  const int code = tenths > -1e9 && tenths < 1e9 ? static_cast<int>(tenths) : 0;
  ReadLineSettings();
  if (code == 10) LineSettings_.StopBits = 0;
  if (code == 15) LineSettings_.StopBits = 1;
  if (code == 20) LineSettings_.StopBits = 2;
  WriteLineSettings();
}

std::string SerialComms::GetStopBits() {
  ReadLineSettings();
  switch (LineSettings_.StopBits) {
    case 0: return "1";
    case 1: return "1.5";
    case 2: return "2";
    default: return "";
  }
}

void SerialComms::SetFlowControl(const std::string& text) {
  ReadLineSettings();
  if (text == "HARDWARE") {
    LineSettings_.fOutxCtsFlow = true;
    LineSettings_.fRtsControl = 1;
  } else if (text == "NONE") {
    LineSettings_.fOutxCtsFlow = false;
    LineSettings_.fRtsControl = 0;
  }
  WriteLineSettings();
}

std::string SerialComms::GetFlowControl() {
  ReadLineSettings();
  return LineSettings_.fRtsControl != 0 ? "HARDWARE" : "NONE";
}

int SerialComms::Write(const void* data, size_t size) {
  if (size == 0) return 0;
  std::lock_guard<std::mutex> lock(writeMutex_);
  if (!device_) return 0;  // no port: the bytes are lost, as on a closed line
  return static_cast<int>(device_->Write(data, size));
}

bool SerialComms::LineLost() const { return state_ == PortState::Open && RxThread && RxThread->Finished(); }

int SerialComms::WriteText(const std::string& text) {
  // Only the bytes before a zero byte: the text ends there.
  return Write(text.data(), std::strlen(text.c_str()));
}

int SerialComms::WriteText(const char* text) { return text ? Write(text, std::strlen(text)) : 0; }

int SerialComms::WriteByte(unsigned char value) { return Write(&value, 1); }

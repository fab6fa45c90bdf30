// Where the module keeps what the program writes into its 256-byte memory.
// Every writer of these bytes takes its addresses from here.
#pragma once

namespace memory_map {

constexpr int kSize = 256;

constexpr int kReceiveCurrent = 0x13;  // receive current setting (0x68 for low frequencies)
constexpr int kPresetByte1C = 0x1C;    // written by a customer preset; meaning not known
constexpr int kGroupIdFirst = 0x1D;    // group identifier, first byte
constexpr int kGroupIdSecond = 0x1E;   // group identifier, second byte

// Custom UART baud rate: the divisor low byte first, the timing word high
// byte first.
constexpr int kBaudDivisorLow = 0x51;
constexpr int kBaudDivisorHigh = 0x52;
constexpr int kBaudTimingHigh = 0x53;
constexpr int kBaudTimingLow = 0x54;

// The channel table: three blocks of ten entries of four CC1000 register
// values, channel 0 first. Transmit entries hold FREQ_2B, FREQ_1B, FREQ_0B
// and the transmit PLL value; receive entries FREQ_2A, FREQ_1A, FREQ_0A
// (0 when the local oscillator lies below the radio frequency, 1 above)
// and the receive PLL value. The PLL value is the reference divider × 8.
constexpr int kChannels = 10;
constexpr int kEntryBytes = 4;
constexpr int kBlockBytes = kChannels * kEntryBytes;  // 40
constexpr int kFirstTransmitBlock = 0x58;             // written only with the whole table
constexpr int kReceiveBlock = 0x80;
constexpr int kTransmitBlock = 0xA8;
constexpr int kChannelTableBytes = 3 * kBlockBytes;   // 120, from kFirstTransmitBlock

constexpr int EntryAddress(int block, int channel) { return block + kEntryBytes * channel; }

constexpr int kRisingBytes = 0xD0;  // ten increasing values written by an engineering tool
constexpr int kModuleType = 0xF0;   // 0x08 makes the module a receiver
constexpr int kPresetByteF4 = 0xF4; // written by a customer preset; meaning not known

static_assert(kFirstTransmitBlock + kBlockBytes == kReceiveBlock, "blocks are contiguous");
static_assert(kReceiveBlock + kBlockBytes == kTransmitBlock, "blocks are contiguous");
static_assert(EntryAddress(kTransmitBlock, 3) == 0xB4, "entry of channel 3");

}  // namespace memory_map

// QX_CMD: one command transaction with an echoing module.
//
// Start installs TransactionHook on the port, writes the command and logs
// "SENT:\t\t" with it. The hook, on the port's receive thread, compares the
// echo character by character, answers a complete echo with "ACK" (or a
// first byte 0x06, the fast acknowledgement, with 0x06), then captures a
// reply of known length in one delivery, and ends the transaction. Ending it
// (the hook, or a caller abandoning it) puts the port's earlier hook back
// and its chunk size to 1.
//
// Threading: TransactionState::Lock serialises the hook with the main
// thread's creation, abandonment and destruction of transactions. Start runs
// under it, so the "SENT" line of a command is logged before the hook can
// log the echo, however fast the module answers. The hook never waits for
// the main thread: it logs through LogLine and shows the fast-ack state
// through ShowFastAck, both of which only queue work.
#pragma once

#include <mutex>
#include <string>

#include "receive_hook.h"

class QX_CMD;
class SerialComms;

struct TransactionState {
  static constexpr size_t kEchoBufferSize = 200;  // 199 characters and the terminating zero

  std::mutex Lock;                  // guards all below and the transaction's members
  QX_CMD* CurrentCmd = nullptr;     // the transaction in progress (owned), or none
  char EchoBuffer[kEchoBufferSize] = {};
  SerialComms* Port = nullptr;      // the port of the latest transaction

  ReceiveHook LogLine = nullptr;               // a finished line for the activity log
  void (*ShowFastAck)(bool checked) = nullptr; // the "Fast ACK" box; may be called on any thread

  // Main thread, lock not held: ends the current transaction, if any, and
  // starts a new one (a reply of `replyLength` characters goes to *replyDest,
  // which the lock guards while the transaction runs).
  void Begin(const std::string& command, SerialComms& port, int replyLength = 0,
             std::string* replyDest = nullptr);
  // Main thread, lock not held: ends the current transaction, if any.
  void Abandon();
  // Main thread: the port is about to go; late chunks are not passed on to it.
  void ForgetPort();
  bool Busy();
};

// The state that TransactionHook serves: the main window's.
extern TransactionState* Transactions;

class QX_CMD {
 public:
  // Fills the echo buffer with zero bytes. The caller holds state.Lock.
  explicit QX_CMD(TransactionState& state);
  // Puts the saved hook back and the chunk size to 1. The caller holds the lock.
  ~QX_CMD();
  QX_CMD(const QX_CMD&) = delete;
  QX_CMD& operator=(const QX_CMD&) = delete;

  void Start(const std::string& command, SerialComms* port);
  void StartWithReply(const std::string& command, SerialComms* port, int replyLength,
                      std::string* replyDest);
  void StoreReply(const std::string& text);

  static void TransactionHook(const char* data, int count);

  bool Acknowledged = false;
  std::string* ReplyDest = nullptr;
  ReceiveHook SavedHook = nullptr;
  SerialComms* Port = nullptr;
  std::string Command;
  int ReplyLength = 0;

 private:
  void Log(const std::string& line);
  void Confirmed();  // after "ACK" or 0x06: await the reply, or end
  void End();        // destroys this transaction and clears CurrentCmd

  TransactionState& state_;
};

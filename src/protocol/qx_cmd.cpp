#include "qx_cmd.h"

#include <cstring>

#include "serial_comms.h"

TransactionState* Transactions = nullptr;

void TransactionState::Begin(const std::string& command, SerialComms& port, int replyLength,
                             std::string* replyDest) {
  std::lock_guard<std::mutex> lock(Lock);
  delete CurrentCmd;
  CurrentCmd = new QX_CMD(*this);
  if (replyLength > 0) {
    CurrentCmd->StartWithReply(command, &port, replyLength, replyDest);
  } else {
    CurrentCmd->Start(command, &port);
  }
}

void TransactionState::Abandon() {
  std::lock_guard<std::mutex> lock(Lock);
  delete CurrentCmd;
  CurrentCmd = nullptr;
}

void TransactionState::ForgetPort() {
  std::lock_guard<std::mutex> lock(Lock);
  Port = nullptr;
}

bool TransactionState::Busy() {
  std::lock_guard<std::mutex> lock(Lock);
  return CurrentCmd != nullptr;
}

QX_CMD::QX_CMD(TransactionState& state) : state_(state) {
  std::memset(state_.EchoBuffer, 0, sizeof state_.EchoBuffer);
}

QX_CMD::~QX_CMD() {
  if (!Port) return;
  Port->SetReceiveHook(SavedHook);
  Port->SetChunkSize(1);
}

void QX_CMD::Start(const std::string& command, SerialComms* port) {
  Command = command;
  Port = port;
  state_.Port = port;
  // The hook is in place before the first byte leaves, so no echo is missed.
  SavedHook = port->GetReceiveHook();
  port->SetReceiveHook(&QX_CMD::TransactionHook);
  port->WriteText(command);
  Log("SENT:\t\t" + command);
}

void QX_CMD::StartWithReply(const std::string& command, SerialComms* port, int replyLength,
                            std::string* replyDest) {
  ReplyLength = replyLength;
  ReplyDest = replyDest;
  Start(command, port);
}

void QX_CMD::StoreReply(const std::string& text) {
  if (ReplyDest) *ReplyDest = text;
}

void QX_CMD::Log(const std::string& line) {
  if (state_.LogLine) state_.LogLine(line.data(), static_cast<int>(line.size()));
}

void QX_CMD::End() {
  TransactionState& state = state_;
  state.CurrentCmd = nullptr;
  delete this;
}

void QX_CMD::Confirmed() {
  Acknowledged = true;
  if (ReplyLength != 0) {
    Port->SetChunkSize(ReplyLength);  // the whole reply in the next delivery
  } else {
    End();
  }
}

void QX_CMD::TransactionHook(const char* data, int count) {
  TransactionState* state = Transactions;
  if (!state || count <= 0) return;
  std::unique_lock<std::mutex> lock(state->Lock);
  QX_CMD* cmd = state->CurrentCmd;
  if (!cmd) {
    // The transaction ended while this chunk was on its way: the chunk
    // belongs to the hook that was put back.
    SerialComms* port = state->Port;
    lock.unlock();
    const ReceiveHook restored = port ? port->GetReceiveHook() : nullptr;
    if (restored && restored != &QX_CMD::TransactionHook) restored(data, count);
    return;
  }

  char* echo = state->EchoBuffer;
  const size_t before = std::strlen(echo);
  if (before + 1 >= TransactionState::kEchoBufferSize) {
    // A command too long for the buffer ends as a mismatch at its limit.
    cmd->Log(std::string("RECEIVED:\t") + echo);
    cmd->End();
    return;
  }
  echo[before] = data[0];  // a zero byte leaves the text as it was
  echo[before + 1] = '\0';
  const size_t n = before + 1;

  if (cmd->Acknowledged) {  // the reply, whole
    cmd->StoreReply(std::string(data, strnlen(data, static_cast<size_t>(count))));
    cmd->Port->SetChunkSize(1);
    cmd->End();
    return;
  }
  if (n == 1 && data[0] == '\x06') {  // fast acknowledgement
    cmd->Port->WriteByte(0x06);
    if (state->ShowFastAck) state->ShowFastAck(true);
    cmd->Log("RECEIVED:\t'0x06' (FAST ACK)");
    cmd->Log("SENT:\t\t'0x06' (FAST ACK)");
    cmd->Confirmed();
    return;
  }
  const std::string& command = cmd->Command;
  bool same = n <= command.size() + 1;
  for (size_t i = 0; same && i < n; ++i) same = echo[i] == command.c_str()[i];
  if (!same) {
    cmd->Log(std::string("RECEIVED:\t") + echo);
    cmd->End();
    return;
  }
  if (command.size() > n) return;  // more echo to come
  cmd->Log(std::string("RECEIVED:\t") + echo);
  cmd->Port->WriteText("ACK");
  cmd->Log("SENT:\t\tACK");
  if (state->ShowFastAck) state->ShowFastAck(false);
  cmd->Confirmed();
}

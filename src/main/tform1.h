// TForm1: the main window. It owns what the pages share (the ports, the
// memory image and the job counters) and its eight timers; each page's
// handlers live in a source file of their own.
//
// Code that is not a member of the window (receive hooks, transactions)
// reaches it through the global Form1, which is set from the start of the
// window's construction until its destruction.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frequency_sets.h"
#include "qx_cmd.h"
#include "received_text.h"

class CC1000_Calc;
class QComboBox;
class QTimer;
class QX_TaskList;
class SerialComms;

namespace Ui {
class TForm1;
}

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "DAXO Tavimo Evaluation Software V2.03";

  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  std::unique_ptr<Ui::TForm1> ui;

  // Shared state of the pages.
  std::unique_ptr<SerialComms> Comms;   // the main port
  std::unique_ptr<SerialComms> Comms2;  // the hidden second port, while open
  int MemAddress = 0;                   // next address of the running memory job
  // The module's memory, as "%02X" texts. A slot that a read's reply fills
  // is guarded by Transaction.Lock while the read runs.
  std::array<std::string, 256> EepromImage;
  std::unique_ptr<CC1000_Calc> Calc;    // the frequency-register calculator
  int MemCount = 0;                     // bytes of the running write job not yet sent
  int RetryTicks = 0;                   // ticks spent waiting for a transaction
  std::unique_ptr<QX_TaskList> TaskList;  // commands queued by the customer presets

  QTimer* Timer1;        // bulk memory read loop
  QTimer* Timer2;        // transaction time-out
  QTimer* Timer3;        // bulk memory write job
  QTimer* Timer5;        // shows port-1 text
  QTimer* TS_CMD_Timer;  // delayed "ACK" for a transmit-only module
  QTimer* Timer6;        // bulk memory write job for a transmit-only module
  QTimer* Timer7;        // shows port-2 text
  QTimer* Timer8;        // sends the link-test text once per second

  // Received text of port 1 and port 2 not yet shown (RxText, RxPrefix and
  // RxTicks of each), shared with the receive threads.
  ReceivedText Rx1;
  ReceivedText Rx2;

  // The command transaction in flight (CurrentCmd) and its echo buffer,
  // shared with the transaction hook on the receive thread.
  TransactionState Transaction;

  // Sends one module command the way the selected module type needs.
  void SendCommand(const std::string& command);

  // The receive hooks of Comms and Comms2. RxHook is also the one entry for
  // finished log lines ("SENT:\t\t…"), from any thread; see received_text.h.
  static void RxHook(const char* data, int length);
  static void RxHook2(const char* data, int length);

  // Command transaction and transmit-only procedure.
  void Timer2Timer();
  void TS_CMD_TimerTimer();

  // Simple Settings page.
  void UART_UPDATE_Button3Click();
  void Button30Click();
  void CheckBox1Click();
  void Button27Click();
  void OtherSettingsUpdateButtonClick();
  void TestModeUpdateButtonClick();
  void Button3Click();

  // Communication Mode page and the hidden port controls.
  void Edit20Change();
  void BitBtn6Click();
  void Timer8Timer();
  void CheckBox4Click();
  void RichEdit1Change();
  void Button28Click();
  void Button41Click();
  void Button42Click();
  void CheckBox2Click();
  void RadioGroup3Click();
  void RadioGroup4Click();

  // Module memory: the loops and the controls of the "DAXO Settings" page.
  void StartReadAll(int intervalMs);
  void StartWriteJob(int first, int count);
  void StartBlindWriteJob(int first, int count);
  void Timer1Timer();
  void Timer3Timer();
  void Timer6Timer();
  void Button5Click();
  void Button6Click();
  void Button9Click();
  void Button7Click();
  void Button1Click();
  void Memo1DblClick();
  void Button8Click();
  void Button10Click();

  // Advanced Configuration page.
  void Button12Click();
  void Button38Click();
  void Edit21Change();
  void Button36Click();
  void Button37Click();

  // The hidden "Frequency Tables" sub-page.
  void BitBtn4Click();
  void UpdateTRSClick();
  void UpdateTSClick();

  // The hidden "DAXO Settings" page: register tools.
  void BitBtn1Click();
  void Button4Click();
  void Button14Click();

  // The hidden "Custom Frequency Settings" page.
  void TabSheet3Show();
  void Button17Click();
  void Button18Click();
  void Button19Click();
  void Button20Click();
  void Button21Click();
  void Button22Click();
  void Button23Click();
  void Button24Click();
  void Button25Click();
  void Button26Click();
  void SetKestrinClick();

  // The hidden "In Progress" page.
  void Button11Click();
  void Button29Click();
  void Button34Click();
  void Button35Click();
  void Button40Click();
  void Button2Click();
  void BitBtn2Click();
  void Button32Click();
  void Button33Click();
  void Button16Click();
  void CustomerSettingListChange();
  void BitBtn7Click();

  void Timer5Timer();
  void Timer7Timer();
  void Memo2Change();
  void Memo2DblClick();
  void ChangeRS232Settings1Click();
  void Exit1Click();

  // The caption of the page showing in PageControl1 (and PageControl2).
  QString ActivePageCaption() const;
  QString ActiveSettingsPageCaption() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunOnMainThread(std::function<void()> work);
  // What both receive hooks do: collect a byte, or queue a finished line.
  void Receive(ReceivedText& rx, QTimer* countdown, void (TForm1::*flush)(), const char* data,
               int length);
  void Log(const std::string& line);
  static void ShowFastAck(bool checked);
  void SetUpSimpleSettingsPage();
  std::string Slot(int address);
  void PutSlots(int first, const std::vector<std::string>& texts);
  bool SlotToWrite(std::string* command);
  bool LineUp() const;
  // One tick of each memory loop; false when the loop has ended.
  bool ReadAllStep();
  bool WriteJobStep();
  bool BlindWriteStep();
  void StopOtherMemoryLoops(QTimer* keep);
  void StartJob(QTimer* loop, int first, int count);
  bool WaitingForTransaction(bool* gaveUp);
  void SetUpCommunicationPage();
  void SetUpAdvancedPage();
  void FillCustomBaudList();
  void StartProgress(int maximum);
  ChannelFrequencies ChannelBoxFrequencies();
  void SetUpRegisterTools();
  void SetUpEngineeringPage();
  void StartDirectTransaction(const std::string& command);
  std::array<QComboBox*, 10> TransmitChoiceBoxes() const;
  void SetChannelEntry(int channel);
  void StartCustomPageProgress();
  void FlushPort1();
  void FlushPort2();
  void ShowPort1Entry(const LogEntry& entry);
  void ShowPort2Entry(const LogEntry& entry);
  void ConnectHandlers();
  void SetUpWindow();
  void SetUpPages();
  void CreateTimers();
  QTimer* CreateTimer(const char* name, int intervalMs, bool enabled);
  void FormCreate();
};

extern TForm1* Form1;

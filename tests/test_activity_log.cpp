// Receive routing and the activity log, byte-exact, with a virtual module on
// a real pty as the main port.
#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "serial_comms.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "virtual_module.h"
#include "wait.h"
#include "stored_module.h"
#include "window_environment.h"

namespace {

class ActivityLogTest : public WindowWithModule {
 protected:

  void Line(const std::string& line) { TForm1::RxHook(line.data(), static_cast<int>(line.size())); }
  // Waits until the port-1 countdown has run out and the flush is done.
  bool Flushed() {
    return WaitFor([&] { return !form_.Timer5->isActive() && form_.Rx1.RxText().empty(); });
  }
  bool MemoIs(TextMemo* memo, const std::string& text) {
    return WaitFor([&] { return memo->Text() == text; });
  }
};

TEST_F(ActivityLogTest, ReceivedBytesMakeOneEntryOnceTheLineFallsQuiet) {
  module_.Inject("OK\r\n");
  ASSERT_TRUE(MemoIs(ui_.Memo2, "RECEIVED:\tOK\r\n\r\n")) << ui_.Memo2->Text();
  // A zero byte adds nothing to the text but makes an entry of its own.
  module_.Inject(std::string("\0", 1));
  ASSERT_TRUE(MemoIs(ui_.Memo2, "RECEIVED:\tOK\r\n\r\nRECEIVED:\t\r\n"));
  module_.Inject(std::string("A\0B\t\x01", 5));
  EXPECT_TRUE(MemoIs(ui_.Memo2, "RECEIVED:\tOK\r\n\r\nRECEIVED:\t\r\nRECEIVED:\tAB\t\x01\r\n"));
  ASSERT_TRUE(Flushed());
  // The caret follows the newest entry.
  EXPECT_EQ(ui_.Memo2->textCursor().position(), ui_.Memo2->document()->characterCount() - 1);
}

TEST_F(ActivityLogTest, FinishedLinesShowAtOnceAndInOrder) {
  Line("SENT:\t\tQX_CMD#C3");
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#C3\r\n");  // no waiting for a timer

  module_.Inject("AB");
  ASSERT_TRUE(WaitFor([&] { return form_.Rx1.RxText() == "AB"; }));
  Line("SENT:\t\tACK");  // while bytes are being collected: they come first
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#C3\r\nRECEIVED:\tAB\r\nSENT:\t\tACK\r\n");
  ASSERT_TRUE(Flushed());
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#C3\r\nRECEIVED:\tAB\r\nSENT:\t\tACK\r\n");
}

void LineFromTheReceiveThread(const char*, int) {
  const std::string line = "RECEIVED:\tQX_CMD#C3";
  TForm1::RxHook(line.data(), static_cast<int>(line.size()));
}

TEST_F(ActivityLogTest, FinishedLineFromTheReceiveThreadReachesTheLog) {
  form_.Comms->SetReceiveHook(&LineFromTheReceiveThread);
  module_.Inject("x");
  EXPECT_TRUE(MemoIs(ui_.Memo2, "RECEIVED:\tQX_CMD#C3\r\n"));
}

TEST_F(ActivityLogTest, TextArrivingOnAnotherPageIsDropped) {
  ui_.PageControl2->setCurrentWidget(ui_.TabSheet6);  // "Advanced Settings"
  module_.Inject("lost");
  ASSERT_TRUE(WaitFor([&] { return form_.Rx1.RxText() == "lost"; }));
  ASSERT_TRUE(Flushed());
  ui_.PageControl2->setCurrentWidget(ui_.TabSheet5);
  EXPECT_EQ(ui_.Memo2->Text(), "");
  module_.Inject("kept");
  EXPECT_TRUE(MemoIs(ui_.Memo2, "RECEIVED:\tkept\r\n"));
}

TEST_F(ActivityLogTest, DaxoSettingsPageLogsIntoMemo1) {
  ui_.PageControl1->setCurrentWidget(ui_.TabSheet1);
  Line("SENT:\t\tQX_CMD#L40A?");
  module_.Inject("0A");
  EXPECT_TRUE(MemoIs(ui_.Memo1, "SENT:\t\tQX_CMD#L40A?\r\nRECEIVED:\t0A\r\n"));
  EXPECT_EQ(ui_.Memo2->Text(), "");
}

TEST_F(ActivityLogTest, CommunicationModeShowsTextWithoutPrefixAndAnswersOnlyWithASecondPort) {
  ui_.PageControl1->setCurrentWidget(ui_.TabSheet2);
  module_.Inject("hello\r\n");
  ASSERT_TRUE(MemoIs(ui_.RichEdit1, "hello\r\n"));
  ASSERT_TRUE(Flushed());
  EXPECT_EQ(module_.Received(), "");  // without the second port nothing is written
  EXPECT_EQ(ui_.Memo2->Text(), "");

  VirtualModule second;
  form_.Comms2 = std::make_unique<SerialComms>(second.PortPath());
  form_.Comms2->SetChunkSize(1);
  form_.Comms2->SetReceiveHook(&TForm1::RxHook2);
  // Each text is answered on its own port: a number one higher, else unchanged.
  const std::pair<const char*, const char*> answers[] = {{"40", "41"}, {"1.5", "2.5"}, {"hi", "hi"}};
  std::string expected;
  for (const auto& [text, answer] : answers) {
    module_.Inject(text);
    expected += answer;
    ASSERT_TRUE(WaitFor([&] { return module_.Received() == expected; })) << module_.Received();
  }
  second.Inject("7");
  ASSERT_TRUE(MemoIs(ui_.RichEdit2, "RECEIVED:\t7\r\n"));
  EXPECT_TRUE(WaitFor([&] { return second.Received() == "8"; }));
  EXPECT_EQ(ui_.RichEdit1->Text(), "hello\r\n40" "1.5" "hi");
  form_.Comms2.reset();
}

TEST_F(ActivityLogTest, SecondPortTextIsDroppedOnOtherPages) {
  VirtualModule second;
  form_.Comms2 = std::make_unique<SerialComms>(second.PortPath());
  form_.Comms2->SetReceiveHook(&TForm1::RxHook2);
  second.Inject("9");
  ASSERT_TRUE(WaitFor([&] { return !form_.Timer7->isActive() && form_.Rx2.RxText().empty() &&
                                   second.Sent() == "9"; }));
  EXPECT_EQ(ui_.RichEdit2->Text(), "");
  EXPECT_EQ(second.Received(), "");
  form_.Comms2.reset();
}

TEST_F(ActivityLogTest, DoubleClickClearsTheLog) {
  Line("SENT:\t\tACK");
  ASSERT_EQ(ui_.Memo2->Text(), "SENT:\t\tACK\r\n");
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
  QTest::mouseDClick(ui_.Memo2->viewport(), Qt::LeftButton);
  EXPECT_EQ(ui_.Memo2->Text(), "");
  Line("SENT:\t\tQX_CMD#T3");
  EXPECT_EQ(ui_.Memo2->Text(), "SENT:\t\tQX_CMD#T3\r\n");
}

TEST_F(ActivityLogTest, LogAndWindowsLook) {
  TextMemo* log = ui_.Memo2;
  EXPECT_TRUE(log->isReadOnly());
  EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(log->font().family(), "Tahoma");
  EXPECT_EQ(log->font().pointSize(), 8);
  EXPECT_TRUE(log->font().bold());
  EXPECT_EQ(log->palette().color(QPalette::Text), QColor(Qt::blue));
  EXPECT_EQ(log->toolTip(), "Double-Click to Clear");
  EXPECT_EQ(ui_.RichEdit1->geometry(), QRect(0, 136, 676, 345));
  EXPECT_TRUE(ui_.RichEdit1->isReadOnly());
  EXPECT_EQ(ui_.RichEdit1->palette().color(QPalette::Text), QColor(0, 0, 128));
  EXPECT_EQ(ui_.RichEdit2->height(), 231);
  EXPECT_TRUE(ui_.RichEdit2->isHidden());
  EXPECT_FALSE(ui_.Memo1->isReadOnly());
}

// Bytes from the receive thread and lines from the main thread at the same
// time: every byte and every line appears exactly once, lines in order.
TEST_F(ActivityLogTest, BytesAndLinesTogetherLoseNothing) {
  std::string sent;
  for (int i = 0; i < 2000; ++i) sent += static_cast<char>('a' + i % 26);
  for (size_t at = 0; at < sent.size(); at += 40) module_.Inject(sent.substr(at, 40));
  for (int i = 0; i < 100; ++i) {
    Line("SENT:\t\tL" + std::to_string(i));
    QTest::qWait(1);
  }
  ASSERT_TRUE(module_.WaitUntil([&](const std::string&, const std::string& s) { return s == sent; }));
  ASSERT_TRUE(Flushed());

  std::string received;
  int nextLine = 0;
  const std::string& text = ui_.Memo2->Text();
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const std::string entry = text.substr(at, end - at);
    if (entry.rfind("RECEIVED:\t", 0) == 0) {
      received += entry.substr(10);
    } else {
      EXPECT_EQ(entry, "SENT:\t\tL" + std::to_string(nextLine++));
    }
    at = end + 2;
  }
  EXPECT_EQ(nextLine, 100);
  EXPECT_EQ(received, sent);
}

}  // namespace

// Hostile text in every text box: very long, control characters, bytes
// beyond ASCII and printf directives. Messages and commands carry the text
// as data; what the pages send goes on the wire byte for byte; nothing
// crashes. Hostile bytes from the line are shown exactly.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "page_test.h"
#include "text_memo.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

const std::string kDirectives = "%s%n%x%p%99999d";
const std::string kControl = std::string("\x01\x02\x1b[2J\x7f\t\r\n", 10);
const std::string kLatin1 = "\xe9\xff\xa0";  // é, ÿ and a no-break space as single bytes

QString Latin1(const std::string& bytes) { return QString::fromLatin1(bytes.data(), static_cast<int>(bytes.size())); }

class HostileTextTest : public PageTest {
 protected:
  std::vector<std::string> Texts() {
    return {kDirectives, kControl, kLatin1, std::string(10000, 'A') + kDirectives};
  }
  // The last box shown, after `action`.
  std::string MessageAfter(const std::function<void()>& action) {
    const size_t before = setup_.env.boxes.Shown().size();
    action();
    const auto shown = setup_.env.boxes.Shown();
    return shown.size() > before ? shown.back().text : std::string();
  }
};

TEST_F(HostileTextTest, NumberBoxesNameTheTextInTheirMessage) {
  struct Box {
    QLineEdit* edit;
    std::function<void()> run;
    const char* kind;
  };
  const Box boxes[] = {
      {ui_.Edit1, [&] { ui_.BitBtn1->click(); }, "floating point"},
      {ui_.Edit9, [&] { ui_.Button4->click(); }, "floating point"},
      {ui_.Edit21, [] {}, "integer"},  // converted on every change
      {ui_.FreqComboCH3->lineEdit(), [&] { ui_.UpdateTRS->click(); }, "floating point"},
  };
  for (const Box& box : boxes) {
    for (const std::string& text : Texts()) {
      SCOPED_TRACE(box.edit->objectName().toStdString() + " " + text.substr(0, 20));
      const std::string message = MessageAfter([&] {
        box.edit->setText(Latin1(text));
        box.run();
      });
      const std::string typed = box.edit->text().toStdString();  // UTF-8, as the message is
      EXPECT_EQ(message, "'" + typed + "' is not a valid " + box.kind + " value");
      box.edit->setText("1");
    }
  }
  EXPECT_FALSE(form_.Timer3->isActive());
  EXPECT_EQ(module_.Received(), "");
}

TEST_F(HostileTextTest, TypedCommandsGoOnTheWireByteForByte) {
  struct Box {
    QLineEdit* edit;
    QPushButton* send;
    std::string prefix, suffix;  // what the page puts around the typed text
  };
  const Box boxes[] = {
      {ui_.Edit15, ui_.Button3, "", ""},      // the manual command
      {ui_.Edit12, ui_.Button8, "", ""},      // "Send QX_CMD"
      {ui_.Edit13, ui_.Button10, "", ""},     // "Send Text"
      {ui_.Edit10, ui_.Button5, "QX_CMD#L4", "?"},  // "Read EEPROM"
  };
  for (const Box& box : boxes) {
    for (const std::string& text : Texts()) {
      SCOPED_TRACE(box.edit->objectName().toStdString() + " " + text.substr(0, 20));
      form_.Transaction.Abandon();
      module_.SetOptions(ModuleOptions{});
      WaitFor([&] { return !form_.Timer5->isActive(); });
      module_.ClearRecords();
      box.edit->setText(Latin1(text));
      box.send->click();
      // A zero byte would end the text; none of these has one.
      const std::string expected = box.prefix + text + box.suffix;
      EXPECT_TRUE(WaitFor([&] { return module_.Received().size() >= expected.size(); }, 10000));
      EXPECT_EQ(module_.Received().substr(0, expected.size()), expected);
    }
  }
  EXPECT_TRUE(setup_.env.boxes.Shown().empty());
}

TEST_F(HostileTextTest, LinkTestTextIsCutToItsBoxAndSentAsTyped) {
  ui_.Edit20->setText(Latin1(kDirectives + kControl + std::string(10000, 'B')));
  ASSERT_EQ(ui_.Edit20->text().size(), 200);  // the box holds at most 200 characters
  ui_.BitBtn6->click();
  const std::string expected = (kDirectives + kControl + std::string(10000, 'B')).substr(0, 200);
  EXPECT_TRUE(WaitFor([&] { return module_.Received() == expected; }));
}

TEST_F(HostileTextTest, GroupIdentifierWithDirectivesKeepsItsSlots) {
  form_.EepromImage[0x1D] = "AB";
  ui_.Edit18->setText("%s%n");
  ui_.Edit19->setText("%x");
  ui_.Button12->click();
  EXPECT_EQ(form_.EepromImage[0x1D], "AB");
  EXPECT_TRUE(JobDone(form_.Timer3));
  EXPECT_EQ(module_.Memory(0x1D), 0xAB);
}

TEST_F(HostileTextTest, BytesFromTheLineAreShownExactly) {
  const std::string bytes = "\xff\xfe\xc3(" + kDirectives + kControl;
  module_.Inject(bytes);
  EXPECT_TRUE(WaitFor([&] { return ui_.Memo2->Text() == "RECEIVED:\t" + bytes + "\r\n"; }))
      << ui_.Memo2->Text();
}

}  // namespace

// The register tools of the hidden "DAXO Settings" page against the
// virtual module: the texts they show and what they write.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "cc1000_calc.h"
#include "gauge.h"
#include "page_test.h"
#include "register_listing.h"
#include "text_memo.h"
#include "text_lines.h"
#include "tform1.h"
#include "ui_tform1.h"
#include "up_down.h"

namespace {

using RegisterToolsTest = PageTest;

TEST_F(RegisterToolsTest, SetFrequencyShowsTheRegistersAndTouchesNothingElse) {
  EXPECT_EQ(ui_.Edit9->text(), "433.940");
  EXPECT_EQ(ui_.Edit1->text(), "0");
  ui_.Edit1->setText("433.92");
  ui_.BitBtn1->click();
  const std::pair<QLineEdit*, const char*> boxes[] = {
      {ui_.Edit3, "65"}, {ui_.Edit4, "A0"}, {ui_.Edit5, "01"}, {ui_.Edit6, "43"},
      {ui_.Edit7, "AE"}, {ui_.Edit8, "0E"}, {ui_.Edit2, "78"}, {ui_.Edit14, "50"}};
  for (const auto& [box, text] : boxes) EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
  EXPECT_EQ(ui_.Edit1->text(), "433.923385286458");
  EXPECT_EQ(ui_.Memo1->Text(), "LO Freq: 434.107333333333 MHz\r\nTX Freq: 433.923385286458 MHz");
  EXPECT_EQ(ui_.Label8->text(), "LO Freq: 434.107333333333 MHz");

  // A second run starts from the frequency the first wrote back.
  CC1000_Calc reference;
  reference.Calculate(433.923385286458, 0, 434 - 433.94, true);
  ui_.BitBtn1->click();
  EXPECT_EQ(ui_.Edit1->text().toStdString(), reference.TxFreqText());

  for (const std::string& slot : form_.EepromImage) EXPECT_TRUE(slot.empty());
  EXPECT_EQ(module_.Received(), "");
}

TEST_F(RegisterToolsTest, SetFrequencyWithoutReceiveSettingOrWithBadText) {
  ui_.UpDown1->Step(-1);  // stays at 0: no wrap
  EXPECT_EQ(ui_.Edit1->text(), "0");
  ui_.BitBtn1->click();  // no receive setting for 0 MHz: earlier values, no crash
  EXPECT_FALSE(ui_.Edit1->text().isEmpty());
  EXPECT_TRUE(setup_.env.boxes.Shown().empty());

  const QString before = ui_.Edit3->text();
  ui_.Edit1->setText("433,92");
  ui_.BitBtn1->click();
  ui_.Edit1->setText("433.92");
  ui_.Edit9->setText("");
  ui_.BitBtn1->click();
  const auto shown = setup_.env.boxes.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "'433,92' is not a valid floating point value");
  EXPECT_EQ(shown[1].text, "'' is not a valid floating point value");
  EXPECT_EQ(ui_.Edit3->text(), before);
}

TEST_F(RegisterToolsTest, LoadNewSettingsListsAndWritesBothTables) {
  FastTicks();
  ui_.Button4->click();
  // The listing's lines are checked against their worked examples with the
  // listing itself; here: the memo shows the listing of the boxes' defaults.
  CC1000_Calc calc;
  LoadSettingsChoice defaults;
  defaults.offset = 0.060000000000002274;
  EXPECT_EQ(ui_.Memo1->Text(), LoadNewSettingsTable(calc, defaults).listing);
  EXPECT_EQ(Lines(ui_.Memo1->Text())[0], "\tde\t0x5E,0x9E,0x00,0x70\t;\t433.135MHz\tLO Freq: 433.101");
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(80));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x80, 80));
  EXPECT_EQ(ModuleBytes(0x80, 4), "5E 9E 00 70");
  EXPECT_EQ(ModuleBytes(0xA8, 4), "43 92 B8 50");
}

TEST_F(RegisterToolsTest, LoadNewSettingsForATransmitOnlyModuleWithMatchedTransmit) {
  FastTicks();
  ui_.cbIsTS1->setChecked(true);
  ui_.CheckBox3->setChecked(true);
  ui_.Button4->click();
  CC1000_Calc calc;
  LoadSettingsChoice choice;
  choice.offset = 0.060000000000002274;
  choice.transmitOnly = choice.matchTxToRx = true;
  EXPECT_EQ(ui_.Memo1->Text(), LoadNewSettingsTable(calc, choice).listing);
  const std::vector<std::string> lines = Lines(ui_.Memo1->Text());
  ASSERT_EQ(lines.size(), 21u);
  // Transmit-side bytes under the receive comment.
  EXPECT_EQ(lines[0].substr(0, 8), "\tde\t0x43");
  EXPECT_NE(lines[0].find("\t;\t433.135MHz\tLO Freq: "), std::string::npos) << lines[0];
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(80));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x80, 80));
  EXPECT_EQ("\tde\t0x" + Hex2(module_.Memory(0x80)) + ",0x" + Hex2(module_.Memory(0x81)), lines[0].substr(0, 13));
}

TEST_F(RegisterToolsTest, BadOffsetChangesNothing) {
  ui_.Memo1->SetText("earlier");
  form_.MemAddress = 7;
  ui_.Edit9->setText("abc");
  ui_.Button4->click();
  ASSERT_EQ(setup_.env.boxes.Shown().size(), 1u);
  EXPECT_EQ(setup_.env.boxes.Shown()[0].text, "'abc' is not a valid floating point value");
  EXPECT_EQ(ui_.Memo1->Text(), "earlier");
  EXPECT_EQ(form_.MemAddress, 7);
  EXPECT_FALSE(form_.Timer3->isActive());
  EXPECT_EQ(form_.EepromImage[0x80], "");
}

TEST_F(RegisterToolsTest, ChannelScanListsAndWritesTheWholeTable) {
  FastTicks();
  ui_.Button14->click();
  const std::vector<std::string> lines = Lines(ui_.Memo1->Text());
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], "\tde\t0x4A,0x60,0x01,0x58\t; 433.30459740767MHz\tH");
  EXPECT_EQ(lines[9], "\tde\t0x5E,0xC0,0x00,0x70\t; 433.864337667411MHz\tL");
  EXPECT_EQ(ui_.ProgressBar1->maximum(), 120);
  EXPECT_EQ(ui_.CGauge3->MaxValue(), 120);
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(120));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x58, 120));
  EXPECT_EQ(ModuleBytes(0x80, 4), "4A 60 01 58");
  EXPECT_EQ(ModuleBytes(0x58, 4), "43 92 E7 50");
  EXPECT_EQ(ModuleBytes(0x58, 40), ModuleBytes(0xA8, 40));
  EXPECT_EQ(ui_.CGauge3->Progress(), 120);
}

TEST_F(RegisterToolsTest, SetBackCompatableAndSetOptimisedRunTheirHandlers) {
  ui_.Button13->click();  // "Change Channels" with the engineering page's boxes
  ASSERT_TRUE(module_.WaitForCommands(1));
  ASSERT_TRUE(WaitFor([&] { return !form_.Transaction.Busy(); }));
  ui_.Button15->click();  // the group identifier's "Set"
  ASSERT_TRUE(JobDone(form_.Timer3));
  ASSERT_TRUE(module_.WaitForCommands(3));
  EXPECT_EQ(module_.Commands(), (std::vector<std::string>{"QX_CMD#F00", "QX_CMD#L41D12", "QX_CMD#L41E34"}));
}

}  // namespace

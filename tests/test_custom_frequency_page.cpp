// The hidden "Custom Frequency Settings" page against the virtual module.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QProgressBar>
#include <QShowEvent>

#include "gauge.h"
#include "page_test.h"
#include "radio_group.h"
#include "tform1.h"
#include "ui_tform1.h"

namespace {

class CustomFrequencyTest : public PageTest {
 protected:
  QComboBox* Box(int number) { return form_.findChild<QComboBox*>(QString("ComboBox%1").arg(number)); }
  void ShowPage() {
    QShowEvent show;
    QApplication::sendEvent(ui_.TabSheet3, &show);
  }
};

TEST_F(CustomFrequencyTest, BoxesAreFilledOnceAtTheFirstShowing) {
  EXPECT_EQ(Box(7)->count(), 0);
  ShowPage();
  for (int row = 0; row < 10; ++row) {
    for (const int number : {7 + row, 17 + row}) {
      ASSERT_EQ(Box(number)->count(), 10);
      EXPECT_EQ(Box(number)->itemText(9), "CH9");
      EXPECT_EQ(Box(number)->currentText(), QString("CH%1").arg(row));
    }
  }
  Box(20)->setCurrentIndex(5);
  ShowPage();
  EXPECT_EQ(Box(20)->currentText(), "CH5");
  EXPECT_EQ(Box(20)->count(), 10);
}

TEST_F(CustomFrequencyTest, SetChWritesOneTransmitEntry) {
  ShowPage();
  struct Case {
    int channel;
    int set;    // RadioGroup2 item
    int entry;  // chosen in the row's "TX Freq" box
    int address;
    const char* bytes;
  };
  const Case cases[] = {
      {0, 0, 0, 0xA8, "43 94 1F 50"},  // defaults, "High 434MHz"
      {9, 3, 0, 0xCC, "43 93 EC 50"},  // "QXH-TRS", row 9 on "CH0"
      {3, 0, 5, 0xB4, "43 A9 85 50"},
      {5, 2, 5, 0xBC, "63 A3 4F 38"},  // "Low LO ONLY"
  };
  void (TForm1::*handlers[10])() = {&TForm1::Button17Click, &TForm1::Button18Click, &TForm1::Button19Click,
                                    &TForm1::Button20Click, &TForm1::Button21Click, &TForm1::Button22Click,
                                    &TForm1::Button23Click, &TForm1::Button24Click, &TForm1::Button25Click,
                                    &TForm1::Button26Click};
  size_t written = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.channel);
    ui_.RadioGroup2->setItemIndex(c.set);
    Box(17 + c.channel)->setCurrentIndex(c.entry);
    (form_.*handlers[c.channel])();
    ASSERT_TRUE(JobDone(form_.Timer3));
    written += 4;
    ASSERT_TRUE(module_.WaitForCommands(written));
    const auto commands = module_.Commands();
    EXPECT_EQ(std::vector<std::string>(commands.end() - 4, commands.end()), WritesFrom(c.address, 4));
    EXPECT_EQ(ModuleBytes(c.address, 4), c.bytes);
  }
  EXPECT_EQ(ModuleBytes(0x80, 4), "80 81 82 83");  // the receive block keeps its bytes
  EXPECT_EQ(ui_.CGauge3->Progress(), 100);         // moved by the jobs: maximum − 0
}

TEST_F(CustomFrequencyTest, SetChRefusesASetWithoutTableOrAnUnfilledBox) {
  EXPECT_FALSE(ui_.TabSheet3->isEnabled());  // the page is disabled: tested through its handlers
  form_.Button17Click();  // boxes not filled yet: no entry chosen
  ShowPage();
  for (const int set : {1, 4, 5}) {
    ui_.RadioGroup2->setItemIndex(set);
    form_.Button17Click();
  }
  const auto shown = setup_.env.boxes.Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "No entry is chosen for CH0.");
  EXPECT_EQ(shown[1].text, "There is no channel table for \"Low 434MHz\".");
  EXPECT_EQ(shown[3].text, "There is no channel table for \"Kestrin\".");
  EXPECT_FALSE(form_.Timer3->isActive());
  EXPECT_EQ(form_.EepromImage[0xA8], "");
  EXPECT_EQ(module_.Received(), "");
}

TEST_F(CustomFrequencyTest, SetKestrinWritesTheWholeTable) {
  FastTicks();
  form_.SetKestrinClick();
  EXPECT_EQ(ui_.ProgressBar1->maximum(), 120);
  EXPECT_EQ(ui_.ProgressBar1->value(), 0);  // nothing moves it
  EXPECT_EQ(ui_.CGauge3->MaxValue(), 120);
  ASSERT_TRUE(JobDone(form_.Timer3, 30000));
  ASSERT_TRUE(module_.WaitForCommands(120));
  EXPECT_EQ(module_.Commands(), WritesFrom(0x58, 120));
  EXPECT_EQ(module_.Memory(0x58), 0x5F);
  EXPECT_EQ(module_.Memory(0x80), 0x7A);
  EXPECT_EQ(ModuleBytes(0x58, 40), ModuleBytes(0xA8, 40));
  EXPECT_EQ(ui_.CGauge3->Progress(), 120);
}

}  // namespace

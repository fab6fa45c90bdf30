// The main window shell: caption, pages, timers, menu, start-up and shutdown.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "cc1000_calc.h"
#include "convert.h"
#include "eval_application.h"
#include "pty.h"
#include "scripted_boxes.h"
#include "serial_comms.h"
#include "tform1.h"
#include "virtual_module.h"
#include "wait.h"
#include "stored_module.h"
#include "window_environment.h"

namespace {

template <typename T>
T* Find(QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

class MainWindowTest : public ::testing::Test {
 protected:
  StoredModule setup_;
  ScriptedBoxes& boxes_ = setup_.env.boxes;
  TForm1 form_;
};

TEST_F(MainWindowTest, WindowAndApplication) {
  EXPECT_EQ(Form1, &form_);
  EXPECT_EQ(form_.windowTitle(), "DAXO Tavimo Evaluation Software V2.03");
  EXPECT_EQ(qApp->applicationDisplayName(), "DAXO Tavimo Evaluation Software V2.03");
  EXPECT_EQ(qApp->property("HelpFile").toString(), "C:\\Dev\\PC Software\\QX V2\\QX V2.chm");
  EXPECT_EQ(form_.property("HelpFile").toString(), "QX V2.chm");
  EXPECT_EQ(form_.property("HelpContext").toInt(), 1);
  EXPECT_EQ(form_.font().family(), "MS Sans Serif");
  EXPECT_EQ(form_.font().pointSize(), 8);
  // Fixed size: the client area below the menu is 684 x 528.
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  EXPECT_EQ(form_.width(), 684);
  EXPECT_EQ(form_.height() - form_.menuBar()->sizeHint().height(), 528);
  EXPECT_FALSE(form_.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowMinimizeButtonHint);
  auto* status = Find<QStatusBar>(&form_, "StatusBar1");
  EXPECT_EQ(form_.statusBar(), status);
}

TEST_F(MainWindowTest, PagesCaptionsOrderAndVisibility) {
  auto* pc1 = Find<QTabWidget>(&form_, "PageControl1");
  struct Page {
    const char* name;
    const char* caption;
    bool visible;
  };
  const Page top[] = {
      {"Settings", "Module Settings", true},     {"TabSheet4", "PC Settings", false},
      {"TabSheet2", "Communication Mode", true}, {"TabSheet1", "DAXO Settings", false},
      {"TabSheet3", "Custom Frequency Settings", false}, {"TabSheet10", "In Progress", false},
  };
  ASSERT_EQ(pc1->count(), 6);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(top[i].name);
    EXPECT_EQ(pc1->widget(i)->objectName(), top[i].name);
    EXPECT_EQ(pc1->tabText(i), top[i].caption);
    EXPECT_EQ(pc1->isTabVisible(i), top[i].visible);
  }
  EXPECT_FALSE(Find<QWidget>(&form_, "TabSheet3")->isEnabled());
  EXPECT_EQ(pc1->currentWidget()->objectName(), "Settings");

  auto* pc2 = Find<QTabWidget>(&form_, "PageControl2");
  EXPECT_EQ(pc2->tabPosition(), QTabWidget::West);
  ASSERT_EQ(pc2->count(), 2);
  EXPECT_EQ(pc2->tabText(0), "Simple Settings");
  EXPECT_EQ(pc2->tabText(1), "Advanced Settings");
  EXPECT_EQ(pc2->currentWidget()->objectName(), "TabSheet5");

  auto* pc3 = Find<QTabWidget>(&form_, "PageControl3");
  ASSERT_EQ(pc3->count(), 3);
  EXPECT_EQ(pc3->tabText(0), "Frequency Tables");
  EXPECT_EQ(pc3->tabText(1), "Test Modes");
  EXPECT_EQ(pc3->tabText(2), "Advanced Configuration");
  EXPECT_EQ(pc3->currentWidget()->objectName(), "TabSheet9");
  EXPECT_TRUE(pc3->tabBar()->isHidden());

  // What the user can reach: two page buttons and two side tabs.
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
  EXPECT_TRUE(pc1->tabBar()->isVisible());
  EXPECT_TRUE(pc2->tabBar()->isVisible());
  EXPECT_FALSE(pc3->tabBar()->isVisible());
  pc2->setCurrentIndex(1);
  EXPECT_TRUE(Find<QWidget>(&form_, "TabSheet9")->isVisible());
}

TEST_F(MainWindowTest, TimersIntervalsAndStates) {
  struct Timer {
    const char* name;
    int interval;
    bool active;
  };
  const Timer timers[] = {
      {"Timer1", 1, false},       {"Timer2", 50, false}, {"Timer3", 60, false},
      {"Timer5", 1, false},       {"TS_CMD_Timer", 60, false}, {"Timer6", 150, false},
      {"Timer7", 1, false},       {"Timer8", 1000, true},
  };
  for (const Timer& t : timers) {
    SCOPED_TRACE(t.name);
    auto* timer = Find<QTimer>(&form_, t.name);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), t.interval);
    EXPECT_EQ(timer->isActive(), t.active);
    EXPECT_EQ(timer->timerType(), t.interval <= 60 ? Qt::PreciseTimer : Qt::CoarseTimer);
  }
  EXPECT_EQ(form_.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly).size(), 8);
}

TEST_F(MainWindowTest, FileMenu) {
  auto* menu = Find<QMenu>(&form_, "File1");
  EXPECT_EQ(menu->title(), "File");
  EXPECT_EQ(form_.menuBar()->actions().size(), 1);
  struct Entry {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
  };
  const Entry entries[] = {
      {"LoadSetup1", "Load Setup", "", false},
      {"SaveSetup1", "Save Setup", "", false},
      {"ChangeRS232Settings1", "Change RS232 Settings", "Ctrl+R", true},
      {"N1", "", "", true},
      {"Exit1", "E&xit", "Ctrl+X", true},
  };
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(entries[i].name);
    EXPECT_EQ(actions[i]->objectName(), entries[i].name);
    EXPECT_EQ(actions[i]->text(), entries[i].caption);
    EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(entries[i].shortcut)));
    EXPECT_EQ(actions[i]->isEnabled(), entries[i].enabled);
    EXPECT_EQ(actions[i]->isSeparator(), std::string(entries[i].name) == "N1");
  }
}

TEST_F(MainWindowTest, CtrlXEndsTheMessageLoop) {
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  bool timedOut = false;
  QTimer::singleShot(0, &form_, [&] { QTest::keyClick(&form_, Qt::Key_X, Qt::ControlModifier); });
  QTimer::singleShot(5000, qApp, [&] {  // a guard, never reached when Ctrl+X works
    timedOut = true;
    qApp->exit(1);
  });
  EXPECT_EQ(qApp->exec(), 0);
  EXPECT_FALSE(timedOut);
}

TEST_F(MainWindowTest, FormCreateOpensTheStoredPortAndBuildsTheCalculator) {
  ASSERT_NE(form_.Comms, nullptr);
  EXPECT_EQ(form_.Comms->State(), SerialComms::PortState::Open);
  EXPECT_EQ(form_.Comms->GetPort(), "COM1");
  EXPECT_EQ(form_.Comms->RegistryKey, "Software\\DAXO\\Eval\\RS232_1");
  EXPECT_EQ(form_.Comms->GetChunkSize(), 1);
  EXPECT_EQ(form_.Comms->GetReceiveHook(), &TForm1::RxHook);
  EXPECT_EQ(setup_.env.dialogs.shown, 0);
  EXPECT_EQ(form_.Comms2, nullptr);
  ASSERT_NE(form_.Calc, nullptr);
  EXPECT_EQ(form_.Calc->RxRefDiv, 0);
  EXPECT_EQ(form_.MemCount, 0);
  EXPECT_EQ(form_.MemAddress, 0);
  EXPECT_TRUE(form_.EepromImage[0].empty() && form_.EepromImage[255].empty());
  EXPECT_TRUE(boxes_.Shown().empty());
}

std::atomic<int> gHookCalls{0};
std::atomic<int> gHookCallsWithoutWindow{0};

void WindowCheckingHook(const char*, int) {
  ++gHookCalls;
  if (Form1 == nullptr) ++gHookCallsWithoutWindow;
}

TEST(MainWindowShutdown, NoHookRunsOnceTheWindowIsGone) {
  WindowEnvironment env;  // a first run, whose dialog is left with its close box
  Pty pty;
  auto form = std::make_unique<TForm1>();
  form->Comms->SetPort(pty.SlavePath());
  form->Comms->SetReceiveHook(&WindowCheckingHook);
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    while (writing) pty.Write("x");
  });
  ASSERT_TRUE(WaitFor([] { return gHookCalls > 20; }));
  form.reset();
  EXPECT_EQ(Form1, nullptr);
  const int calls = gHookCalls;
  writing = false;
  writer.join();
  EXPECT_EQ(gHookCalls, calls);
  EXPECT_EQ(gHookCallsWithoutWindow, 0);
}

// An object whose event handler fails the way a conversion does.
class Failing : public QObject {
 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) StrToInt("abc");
    return QObject::event(e);
  }
};

TEST(Application, ExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
  ScriptedBoxes boxes;
  Failing failing;
  QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
  QCoreApplication::sendPostedEvents(&failing, QEvent::User);
  const auto shown = boxes.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "DAXO Tavimo Evaluation Software V2.03");
  EXPECT_EQ(shown[0].text, "'abc' is not a valid integer value");
  EXPECT_EQ(shown[0].icon, BoxIcon::Error);
  // The next event is handled as usual.
  bool ran = false;
  QTimer::singleShot(0, &failing, [&] { ran = true; });
  EXPECT_TRUE(WaitFor([&] { return ran; }));
}

}  // namespace

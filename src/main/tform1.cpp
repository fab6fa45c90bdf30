#include "tform1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

#include <functional>

#include "cc1000_calc.h"
#include "qx_tasklist.h"
#include "message_boxes.h"
#include "radio_group.h"
#include "text_memo.h"
#include "serial_comms.h"
#include "trs232_form.h"
#include "ui_tform1.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()) {
  Form1 = this;
  Transaction.LogLine = &TForm1::RxHook;
  Transaction.ShowFastAck = &TForm1::ShowFastAck;
  Transactions = &Transaction;
  ui->setupUi(this);
  SetUpWindow();
  SetUpPages();
  SetUpSimpleSettingsPage();
  SetUpCommunicationPage();
  SetUpAdvancedPage();
  SetUpRegisterTools();
  SetUpEngineeringPage();
  CreateTimers();
  ConnectHandlers();
  FormCreate();
}

TForm1::~TForm1() {
  // The transaction ends first (it puts the port's hook back), then the
  // ports: their receive threads end here, so no hook runs once the window
  // is gone.
  Transaction.Abandon();
  Comms2.reset();
  Comms.reset();
  Transactions = nullptr;
  Form1 = nullptr;
}

void TForm1::SetUpWindow() {
  setProperty("HelpFile", QStringLiteral("QX V2.chm"));
  setProperty("HelpContext", 1);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  // The client area is 684 x 528 below the menu bar, status bar included.
  setFixedSize(684, 528 + ui->MainMenu1->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = rect();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TForm1::SetUpPages() {
  // Pages that nothing in the program shows keep their tabs hidden.
  for (QWidget* page : {ui->TabSheet4, ui->TabSheet1, ui->TabSheet3, ui->TabSheet10}) {
    ui->PageControl1->setTabVisible(ui->PageControl1->indexOf(page), false);
  }
  ui->TabSheet3->setEnabled(false);
  ui->TabSheet3->installEventFilter(this);  // TabSheet3Show
  ui->PageControl1->setCurrentWidget(ui->Settings);
  ui->PageControl2->setCurrentWidget(ui->TabSheet5);
  // "Advanced Settings" shows the Advanced Configuration content without tabs.
  ui->PageControl3->tabBar()->hide();
  ui->PageControl3->setCurrentWidget(ui->TabSheet9);

  auto color = [](QWidget* widget, QColor text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
  };
  color(ui->Memo2, Qt::blue);
  color(ui->RichEdit1, QColor(0, 0, 128));  // navy
  color(ui->RichEdit2, QColor(0, 0, 128));
  ui->RichEdit2->hide();  // shown in echo mode only
}

void TForm1::ConnectHandlers() {
  QAction* separator = ui->File1->insertSeparator(ui->Exit1);
  separator->setObjectName(QStringLiteral("N1"));
  // Each handler is guarded: an error it raises is shown, and the program goes on.
  auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
    connect(sender, signal, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
  };
  on(ui->Exit1, &QAction::triggered, &TForm1::Exit1Click);
  on(ui->ChangeRS232Settings1, &QAction::triggered, &TForm1::ChangeRS232Settings1Click);
  on(Timer2, &QTimer::timeout, &TForm1::Timer2Timer);
  on(TS_CMD_Timer, &QTimer::timeout, &TForm1::TS_CMD_TimerTimer);
  on(Timer8, &QTimer::timeout, &TForm1::Timer8Timer);
  on(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
  on(Timer3, &QTimer::timeout, &TForm1::Timer3Timer);
  on(Timer6, &QTimer::timeout, &TForm1::Timer6Timer);
  on(Timer5, &QTimer::timeout, &TForm1::Timer5Timer);
  on(Timer7, &QTimer::timeout, &TForm1::Timer7Timer);
  on(ui->Memo2, &TextMemo::Changed, &TForm1::Memo2Change);
  on(ui->Memo2, &TextMemo::DoubleClicked, &TForm1::Memo2DblClick);

  on(ui->UART_UPDATE_Button3, &QPushButton::clicked, &TForm1::UART_UPDATE_Button3Click);
  on(ui->Button30, &QPushButton::clicked, &TForm1::Button30Click);
  on(ui->CheckBox1, &QCheckBox::toggled, &TForm1::CheckBox1Click);
  on(ui->Button27, &QPushButton::clicked, &TForm1::Button27Click);
  on(ui->OtherSettingsUpdateButton, &QPushButton::clicked, &TForm1::OtherSettingsUpdateButtonClick);
  on(ui->TestModeUpdateButton, &QPushButton::clicked, &TForm1::TestModeUpdateButtonClick);
  on(ui->Button3, &QPushButton::clicked, &TForm1::Button3Click);

  on(ui->Edit20, &QLineEdit::textChanged, &TForm1::Edit20Change);
  on(ui->BitBtn6, &QPushButton::clicked, &TForm1::BitBtn6Click);
  on(ui->CheckBox4, &QCheckBox::toggled, &TForm1::CheckBox4Click);
  on(ui->RichEdit1, &TextMemo::Changed, &TForm1::RichEdit1Change);
  on(ui->Button28, &QPushButton::clicked, &TForm1::Button28Click);
  on(ui->Button41, &QPushButton::clicked, &TForm1::Button41Click);
  on(ui->Button42, &QPushButton::clicked, &TForm1::Button42Click);
  on(ui->CheckBox2, &QCheckBox::toggled, &TForm1::CheckBox2Click);
  on(ui->RadioGroup3, &RadioGroup::Clicked, &TForm1::RadioGroup3Click);
  on(ui->RadioGroup4, &RadioGroup::Clicked, &TForm1::RadioGroup4Click);

  on(ui->Button5, &QPushButton::clicked, &TForm1::Button5Click);
  on(ui->Button6, &QPushButton::clicked, &TForm1::Button6Click);
  on(ui->Button9, &QPushButton::clicked, &TForm1::Button9Click);
  on(ui->Button7, &QPushButton::clicked, &TForm1::Button7Click);
  on(ui->Button1, &QPushButton::clicked, &TForm1::Button1Click);
  on(ui->Memo1, &TextMemo::DoubleClicked, &TForm1::Memo1DblClick);
  on(ui->Button8, &QPushButton::clicked, &TForm1::Button8Click);
  on(ui->Button10, &QPushButton::clicked, &TForm1::Button10Click);

  on(ui->Button12, &QPushButton::clicked, &TForm1::Button12Click);
  on(ui->Button38, &QPushButton::clicked, &TForm1::Button38Click);
  on(ui->Edit21, &QLineEdit::textChanged, &TForm1::Edit21Change);
  on(ui->Button36, &QPushButton::clicked, &TForm1::Button36Click);
  on(ui->Button37, &QPushButton::clicked, &TForm1::Button37Click);
  on(ui->BitBtn4, &QPushButton::clicked, &TForm1::BitBtn4Click);
  on(ui->UpdateTRS, &QPushButton::clicked, &TForm1::UpdateTRSClick);
  on(ui->UpdateTS, &QPushButton::clicked, &TForm1::UpdateTSClick);

  on(ui->BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
  on(ui->Button4, &QPushButton::clicked, &TForm1::Button4Click);
  on(ui->Button14, &QPushButton::clicked, &TForm1::Button14Click);
  on(ui->Button13, &QPushButton::clicked, &TForm1::Button11Click);  // "Set Back Compatable"
  on(ui->Button15, &QPushButton::clicked, &TForm1::Button12Click);  // "Set Optimised"

  const std::pair<QPushButton*, void (TForm1::*)()> setChannel[] = {
      {ui->Button17, &TForm1::Button17Click}, {ui->Button18, &TForm1::Button18Click},
      {ui->Button19, &TForm1::Button19Click}, {ui->Button20, &TForm1::Button20Click},
      {ui->Button21, &TForm1::Button21Click}, {ui->Button22, &TForm1::Button22Click},
      {ui->Button23, &TForm1::Button23Click}, {ui->Button24, &TForm1::Button24Click},
      {ui->Button25, &TForm1::Button25Click}, {ui->Button26, &TForm1::Button26Click}};
  for (const auto& [button, handler] : setChannel) on(button, &QPushButton::clicked, handler);
  on(ui->SetKestrin, &QPushButton::clicked, &TForm1::SetKestrinClick);

  on(ui->Button11, &QPushButton::clicked, &TForm1::Button11Click);
  on(ui->Button29, &QPushButton::clicked, &TForm1::Button29Click);
  on(ui->Button34, &QPushButton::clicked, &TForm1::Button34Click);
  on(ui->Button35, &QPushButton::clicked, &TForm1::Button35Click);
  on(ui->Button40, &QPushButton::clicked, &TForm1::Button40Click);
  on(ui->Button2, &QPushButton::clicked, &TForm1::Button2Click);
  on(ui->BitBtn2, &QPushButton::clicked, &TForm1::BitBtn2Click);
  on(ui->Button32, &QPushButton::clicked, &TForm1::Button32Click);
  on(ui->Button33, &QPushButton::clicked, &TForm1::Button33Click);
  on(ui->Button16, &QPushButton::clicked, &TForm1::Button16Click);
  on(ui->CustomerSettingList, &QComboBox::activated, &TForm1::CustomerSettingListChange);
  on(ui->BitBtn7, &QPushButton::clicked, &TForm1::BitBtn7Click);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->TabSheet3 && event->type() == QEvent::Show) Guarded([this] { TabSheet3Show(); });
  return QMainWindow::eventFilter(watched, event);
}

QTimer* TForm1::CreateTimer(const char* name, int intervalMs, bool enabled) {
  auto* timer = new QTimer(this);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setInterval(intervalMs);
  timer->setTimerType(intervalMs <= 60 ? Qt::PreciseTimer : Qt::CoarseTimer);
  if (enabled) timer->start();
  return timer;
}

void TForm1::CreateTimers() {
  Timer1 = CreateTimer("Timer1", 1, false);
  Timer2 = CreateTimer("Timer2", 50, false);
  Timer3 = CreateTimer("Timer3", 60, false);
  Timer5 = CreateTimer("Timer5", 1, false);
  TS_CMD_Timer = CreateTimer("TS_CMD_Timer", 60, false);
  Timer6 = CreateTimer("Timer6", 150, false);
  Timer7 = CreateTimer("Timer7", 1, false);
  Timer8 = CreateTimer("Timer8", 1000, true);
}

void TForm1::FormCreate() {
  Comms = std::make_unique<SerialComms>();  // no port open yet
  {
    // Opens the stored port, or asks (first run, or a port that fails).
    TRS232Form dialog(this, Comms.get());
    dialog.LoadAndOpen(TRS232Form::kMainPortKey);
  }
  // Kept by Comms for its receive thread also while no port is open.
  Comms->SetChunkSize(1);
  Comms->SetReceiveHook(&TForm1::RxHook);
  Calc = std::make_unique<CC1000_Calc>();
  MemCount = 0;
  // The choosers of the Simple Settings page.
  ui->ModuleChooserGroup->setItemIndex(2);      // "TRS"
  ui->FrequencyChooser->setItemIndex(0);        // "QXL"
  ui->UARTComboBox1->setCurrentIndex(4);        // "QX_CMD#U4   (19200)"
  ui->POWERComboBox1->setCurrentIndex(9);       // "QX_CMD#P9"
  ui->FREQComboBox1->setCurrentIndex(7);        // "QX_CMD#C7  (Channel 7)"
  ui->OTHERComboBox1->setCurrentIndex(0);       // "QX_CMD#H1 (Handshaking ON)"
  ui->TESTMODESComboBox1->setCurrentIndex(0);   // "QX_CMD#T0 (High Side Carrier ON)"
  TaskList = std::make_unique<QX_TaskList>();
  FillCustomBaudList();
}

void TForm1::ChangeRS232Settings1Click() {
  if (Comms) ShowRS232Settings(this, *Comms);
}

void TForm1::Exit1Click() { QCoreApplication::quit(); }

#include "qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

BoxResult ShowNow(const QString& caption, const QString& text, BoxIcon icon, BoxButtons buttons) {
  const auto qtButtons =
      buttons == BoxButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
  QMessageBox box(ToQt(icon), caption, text, qtButtons, QApplication::activeWindow());
  const int answer = box.exec();
  if (buttons == BoxButtons::Ok) return BoxResult::Ok;
  return answer == QMessageBox::Yes ? BoxResult::Yes : BoxResult::No;
}

}  // namespace

BoxResult QtMessageBoxes::Show(const std::string& caption, const std::string& text, BoxIcon icon,
                               BoxButtons buttons) {
  const QString qCaption = QString::fromLocal8Bit(caption.c_str());
  // A lone CR breaks the line in the original texts; Qt wants LF.
  QString qText = QString::fromLocal8Bit(text.c_str());
  qText.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (QThread::currentThread() == qApp->thread()) return ShowNow(qCaption, qText, icon, buttons);
  QMetaObject::invokeMethod(
      qApp, [=] { ShowNow(qCaption, qText, icon, buttons); }, Qt::QueuedConnection);
  return buttons == BoxButtons::YesNo ? BoxResult::No : BoxResult::Ok;
}

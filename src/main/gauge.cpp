#include "gauge.h"

#include <QPainter>
#include <QProgressBar>
#include <algorithm>

TCGauge::TCGauge(QWidget* parent) : QWidget(parent) {}

void TCGauge::setMinValue(int value) {
  min_ = value;
  setProgress(progress_);
}

void TCGauge::setMaxValue(int value) {
  max_ = value;
  setProgress(progress_);
}

void TCGauge::setProgress(int value) {
  progress_ = std::clamp(value, min_, std::max(min_, max_));
  update();
}

void TCGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(frame, Qt::white);
  const int span = std::max(1, max_ - min_);
  const int percent = (progress_ - min_) * 100 / span;
  QRect filled = frame;
  filled.setWidth(frame.width() * (progress_ - min_) / span);
  painter.fillRect(filled, Qt::black);
  painter.setPen(Qt::gray);
  painter.drawRect(frame);
  painter.drawText(frame, Qt::AlignCenter, QString::number(percent) + QLatin1Char('%'));
}

void ShowProgress(QProgressBar* bar, int value) {
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

#include "up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [arrow, direction] : {std::pair{Qt::UpArrow, 1}, {Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, direction = direction] { Step(direction); });
    layout->addWidget(button);
  }
}

void UpDown::setPosition(int value) {
  position_ = value;
  Show();
}

void UpDown::Associate(QLineEdit* edit) {
  associate_ = edit;
  Show();
}

void UpDown::Step(int direction) {
  int next = position_ + direction;
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  setPosition(next);
}

void UpDown::Show() {
  if (associate_) associate_->setText(QString::number(position_));
}

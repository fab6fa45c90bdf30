// UpDown: a pair of arrow buttons that step a whole-number position within
// its range and write it into an associated edit box.
#pragma once

#include <QWidget>

class QLineEdit;

class UpDown : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int min READ Min WRITE setMin)
  Q_PROPERTY(int max READ Max WRITE setMax)
  Q_PROPERTY(int position READ Position WRITE setPosition)
  Q_PROPERTY(bool wrap READ Wrap WRITE setWrap)

 public:
  explicit UpDown(QWidget* parent = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  bool Wrap() const { return wrap_; }
  void setMin(int value) { min_ = value; }
  void setMax(int value) { max_ = value; }
  void setPosition(int value);
  void setWrap(bool value) { wrap_ = value; }

  // The edit box that shows the position; it gets the position's text at
  // once and after every step.
  void Associate(QLineEdit* edit);
  // One step up (+1) or down (−1), as a click on an arrow does.
  void Step(int direction);

 private:
  void Show();

  int min_ = 0, max_ = 100, position_ = 0;
  bool wrap_ = false;
  QLineEdit* associate_ = nullptr;
};

// TCGauge: a painted gauge with a minimum, a maximum and a progress, shown
// as a filled bar with its percentage. Progress outside the range shows as
// the nearest end.
#pragma once

#include <QWidget>

class TCGauge : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int minValue READ MinValue WRITE setMinValue)
  Q_PROPERTY(int maxValue READ MaxValue WRITE setMaxValue)
  Q_PROPERTY(int progress READ Progress WRITE setProgress)

 public:
  explicit TCGauge(QWidget* parent = nullptr);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  void setMinValue(int value);
  void setMaxValue(int value);
  void setProgress(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
};

// Shows `value` on a progress bar, held within the bar's range.
class QProgressBar;
void ShowProgress(QProgressBar* bar, int value);

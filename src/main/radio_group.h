// RadioGroup: a framed group of radio buttons with one selected item,
// ItemIndex (-1 for none). Items and the selection may be set in the form
// description ("items", "itemIndex"). Clicked() follows a user's choice.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

class RadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ Items WRITE setItems)
  Q_PROPERTY(int itemIndex READ ItemIndex WRITE setItemIndex)

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  QStringList Items() const { return items_; }
  void setItems(const QStringList& items);
  int ItemIndex() const;
  void setItemIndex(int index);
  QString ItemText() const;  // the selected item's text, or ""
  // Selects `index` as a user's click does, Clicked() included.
  void Click(int index);

 signals:
  void Clicked();

 private:
  QStringList items_;
  QButtonGroup* buttons_;
  QVBoxLayout* layout_;
  int requestedIndex_ = -1;  // the item chosen last through setItemIndex
};

#include "radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(8, 4, 8, 4);
  layout_->setSpacing(0);
  connect(buttons_, &QButtonGroup::idClicked, this, [this] { emit Clicked(); });
}

void RadioGroup::setItems(const QStringList& items) {
  // The chosen item stays chosen; the form description may choose it
  // before it names the items.
  const int chosen = buttons_->checkedButton() ? ItemIndex() : requestedIndex_;
  for (QAbstractButton* button : buttons_->buttons()) {
    buttons_->removeButton(button);
    delete button;
  }
  items_ = items;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout_->addWidget(button);
  }
  setItemIndex(chosen);
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  requestedIndex_ = index;
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = buttons_->checkedButton()) {
    buttons_->setExclusive(false);  // an exclusive group cannot be cleared otherwise
    checked->setChecked(false);
    buttons_->setExclusive(true);
  }
}

QString RadioGroup::ItemText() const {
  const int index = ItemIndex();
  return index >= 0 ? items_[index] : QString();
}

void RadioGroup::Click(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->click();
}

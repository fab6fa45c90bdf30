#include "qx_tasklist.h"

#include <utility>

void QX_TaskList::Add(const std::string& text) {
  auto grown = std::make_unique<std::string[]>(static_cast<size_t>(Count) + 1);
  for (int32_t i = 0; i < Count; ++i) grown[i] = std::move(Items[i]);
  grown[Count] = text;
  Items = std::move(grown);
  ++Count;
}

std::string QX_TaskList::Next() {
  if (Cursor < 0 || Cursor >= Count) return std::string();
  return Items[Cursor++];
}

bool QX_TaskList::Clear() {
  Items.reset();
  Count = 0;
  return true;
}

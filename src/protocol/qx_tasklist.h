// QX_TaskList: an ordered list of command texts with a read cursor.
// Add appends, Next hands the texts out in the order added, Rewind starts
// over. Clear empties the list but leaves the cursor where it stood, so a
// caller that refills the list rewinds before reading it again.
//
// The array holds exactly Count texts: each Add replaces it by one larger
// (the lists are a handful of short commands). Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QX_TaskList {
 public:
  QX_TaskList() = default;

  void Add(const std::string& text);
  // The text at the cursor, advancing it; the empty text (cursor kept) at
  // or past the end.
  std::string Next();
  void Rewind() { Cursor = 0; }
  bool Clear();

  int32_t Count = 0;
  int32_t Cursor = 0;
  std::unique_ptr<std::string[]> Items;  // no array while Count is 0
};

// Reads typed values off a fuzzer's input, front to back; past the end
// every read yields zero or an empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  template <typename T>
  T Value() {
    T value{};
    const size_t n = std::min(sizeof value, size_ - std::min(pos_, size_));
    std::memcpy(&value, data_ + pos_, n);
    pos_ += n;
    return value;
  }
  // A text of up to `max` bytes, its length taken from the input.
  std::string Text(size_t max = 255) {
    const size_t want = std::min<size_t>(Byte(), max);
    const size_t n = std::min(want, size_ - std::min(pos_, size_));
    std::string text(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return text;
  }
  std::string Rest() {
    std::string text(reinterpret_cast<const char*>(data_ + std::min(pos_, size_)), size_ - std::min(pos_, size_));
    pos_ = size_;
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

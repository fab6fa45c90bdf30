// The lines of a text whose lines each end with "\r\n" (a lone "\r" stays
// inside its line).
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

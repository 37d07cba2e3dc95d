#include "driver.h"

#include <cstdio>

void Report(const std::string& key, const std::string& value) {
  std::printf("%s=%s\n", key.c_str(), value.c_str());
  std::fflush(stdout);
}

void ReportNumber(const std::string& key, long long value) {
  Report(key, std::to_string(value));
}

std::string FormatRect(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom);
}

std::string FormatHex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", value);
  return text;
}

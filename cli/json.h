// talpora command line: a small JSON writer (objects, arrays, numbers, strings, null).
#pragma once
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talpora::cli {

class Json {
 public:
  Json& beginObject() { return open('{'); }
  Json& endObject() { return close('}'); }
  Json& beginArray() { return open('['); }
  Json& endArray() { return close(']'); }
  Json& key(std::string_view k) {
    comma();
    quote(k);
    out_ += ": ";
    afterKey_ = true;
    return *this;
  }
  Json& value(double v, int decimals = 6) {
    comma();
    if (!std::isfinite(v)) {
      out_ += "null";
    } else {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
      out_ += buf;
    }
    return *this;
  }
  Json& value(long v) {
    comma();
    out_ += std::to_string(v);
    return *this;
  }
  Json& value(int v) { return value(static_cast<long>(v)); }
  Json& value(bool v) {
    comma();
    out_ += v ? "true" : "false";
    return *this;
  }
  Json& value(std::string_view s) {
    comma();
    quote(s);
    return *this;
  }
  Json& value(const char* s) { return value(std::string_view(s)); }
  Json& null() {
    comma();
    out_ += "null";
    return *this;
  }
  Json& optionalValue(std::optional<double> v, int decimals = 6) { return v ? value(*v, decimals) : null(); }
  template <typename T>
  Json& field(std::string_view k, T v) {
    key(k);
    return value(v);
  }
  const std::string& str() const { return out_; }

 private:
  Json& open(char c) {
    comma();
    out_ += c;
    first_.push_back(true);
    return *this;
  }
  Json& close(char c) {
    first_.pop_back();
    out_ += c;
    return *this;
  }
  void comma() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (!first_.empty()) {
      if (!first_.back()) out_ += ", ";
      first_.back() = false;
    }
  }
  void quote(std::string_view s) {
    out_ += '"';
    for (unsigned char c : s) {
      switch (c) {
        case '"':
          out_ += "\\\"";
          break;
        case '\\':
          out_ += "\\\\";
          break;
        case '\n':
          out_ += "\\n";
          break;
        case '\r':
          out_ += "\\r";
          break;
        case '\t':
          out_ += "\\t";
          break;
        default:
          if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out_ += buf;
          } else {
            out_ += static_cast<char>(c);
          }
      }
    }
    out_ += '"';
  }
  std::string out_;
  std::vector<bool> first_;
  bool afterKey_ = false;
};

}  // namespace talpora::cli

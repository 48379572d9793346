// A short text kept inside the object that holds it: the checker keeps a
// million QSO lines, and a call, a mode or an exchange held so needs no
// allocation and no more than a few bytes beyond its characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace rezov {

template <std::size_t N>
class ShortText {
  static_assert(N < 255, "the length is kept in one byte");

 public:
  static constexpr std::size_t kCapacity = N;

  ShortText() = default;
  // The text, cut after N characters: a caller that must lose none asks
  // Fits first.
  ShortText(std::string_view text) : size_(static_cast<std::uint8_t>(text.size() < N ? text.size() : N)) {
    if (size_ > 0) std::memcpy(text_, text.data(), size_);
  }
  ShortText(const std::string& text) : ShortText(std::string_view(text)) {}
  ShortText(const char* text) : ShortText(std::string_view(text)) {}

  static bool Fits(std::string_view text) { return text.size() <= N; }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const char* data() const { return text_; }
  const char* c_str() const { return text_; }
  char operator[](std::size_t i) const { return text_[i]; }
  std::string_view view() const { return std::string_view(text_, size_); }
  operator std::string_view() const { return view(); }
  operator std::string() const { return std::string(view()); }
  std::string substr(std::size_t pos, std::size_t count = std::string::npos) const {
    return std::string(view().substr(pos, count));
  }

  friend bool operator==(const ShortText& a, const ShortText& b) { return a.view() == b.view(); }
  friend bool operator==(const ShortText& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const ShortText& a, const std::string& b) { return a.view() == b; }
  friend bool operator==(const ShortText& a, const char* b) { return a.view() == b; }
  friend bool operator==(std::string_view a, const ShortText& b) { return b == a; }
  friend bool operator==(const std::string& a, const ShortText& b) { return b == a; }
  friend bool operator==(const char* a, const ShortText& b) { return b == a; }
  template <typename T>
  friend bool operator!=(const ShortText& a, const T& b) { return !(a == b); }
  friend bool operator!=(const std::string& a, const ShortText& b) { return !(b == a); }
  friend bool operator!=(const char* a, const ShortText& b) { return !(b == a); }
  friend bool operator<(const ShortText& a, const ShortText& b) { return a.view() < b.view(); }

  friend std::string operator+(std::string a, const ShortText& b) { return a.append(b.view()); }
  friend std::string operator+(const char* a, const ShortText& b) { return std::string(a) + b; }
  friend std::string operator+(const ShortText& a, std::string_view b) {
    return std::string(a.view()).append(b);
  }
  friend std::string operator+(const ShortText& a, const char* b) { return a + std::string_view(b); }
  friend std::string operator+(const ShortText& a, const std::string& b) { return a + std::string_view(b); }

  friend std::ostream& operator<<(std::ostream& out, const ShortText& t) { return out << t.view(); }

 private:
  char text_[N + 1] = {};
  std::uint8_t size_ = 0;
};

}  // namespace rezov

#include "platform/win32/win32_date_text.h"

#include <cmath>

#include "platform/win32/win32_headers.h"

#include <oleauto.h>

namespace rezov {
namespace {

// Frees the string whatever happens on the way out.
class OwnedBstr {
 public:
  OwnedBstr() = default;
  ~OwnedBstr() { SysFreeString(text_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR* out() { return &text_; }
  BSTR get() const { return text_; }

 private:
  BSTR text_ = nullptr;
};

std::string Narrow(const wchar_t* wide, int length) {
  if (length <= 0) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string text(static_cast<std::size_t>(size), '\0');
  const int written =
      WideCharToMultiByte(CP_ACP, 0, wide, length, &text[0], size, nullptr, nullptr);
  text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return text;
}

}  // namespace

std::string Win32DateText(const OleDate& date) {
  // A value that is no number is no date, though some conversions render
  // it as day zero.
  if (date.status != kOleDateValid || !std::isfinite(date.value)) return std::string();
  OwnedBstr text;
  if (FAILED(VarBstrFromDate(date.value, LANG_USER_DEFAULT, 0, text.out())) || !text.get()) {
    return std::string();
  }
  return Narrow(text.get(), static_cast<int>(SysStringLen(text.get())));
}

}  // namespace rezov

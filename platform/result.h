// The one way the project reports an operation that can fail: a Result
// holds either the value or the reason it could not be made, a sentence in
// plain words ("No space left on device"). Nothing is thrown for an
// expected failure.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace rezov {

// The reason of a failure, kept apart from values so that a Result of a
// string is never ambiguous.
struct Failure {
  std::string reason;
};

inline Failure Fail(std::string reason) { return Failure{std::move(reason)}; }

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Failure failure) : state_(std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const T* operator->() const { return &value(); }
  const T& operator*() const& { return value(); }

  // Only when !ok().
  const std::string& error() const { return std::get<1>(state_).reason; }
  Failure failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, Failure> state_;
};

// An operation that gives nothing back but may fail.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failed_(true), reason_(std::move(failure.reason)) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return reason_; }
  Failure failure() const { return Failure{reason_}; }

 private:
  bool failed_ = false;
  std::string reason_;
};

using Status = Result<void>;

}  // namespace rezov

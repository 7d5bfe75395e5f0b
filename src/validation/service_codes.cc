#include "validation/service_codes.h"

namespace quirovel {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every service is "70" and three digits.
constexpr bool HasServiceShape(std::string_view code) {
  return code.size() == 5 && code[0] == '7' && code[1] == '0' && IsDigit(code[2]) &&
         IsDigit(code[3]) && IsDigit(code[4]);
}

constexpr std::size_t ThreeDigits(std::string_view code) {
  return static_cast<std::size_t>((code[2] - '0') * 100 + (code[3] - '0') * 10 + (code[4] - '0'));
}

// The list as a table of those three digits: asked twice per episode, so it
// is looked up rather than walked. Ascending order makes the walk stop on the
// code exactly when it is listed, so both give the same answers.
struct ServiceDigits {
  std::array<bool, 1000> listed{};
  constexpr ServiceDigits() {
    for (std::size_t i = 0; i + 1 < kServiceCodeList.size(); ++i) {
      if (!HasServiceShape(kServiceCodeList[i])) throw "a service code must be 70 and three digits";
      if (i > 0 && !(kServiceCodeList[i - 1] < kServiceCodeList[i]))
        throw "the service list must ascend";
      listed[ThreeDigits(kServiceCodeList[i])] = true;
    }
  }
};

constexpr ServiceDigits kServiceDigits;

}  // namespace

bool IsServiceCode(std::string_view code) {
  return HasServiceShape(code) && kServiceDigits.listed[ThreeDigits(code)];
}

}  // namespace quirovel

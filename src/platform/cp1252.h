// Windows-1252 text. Every text the program stores or writes is single-byte
// Windows-1252; sources are UTF-8, so Spanish literals are converted at
// compile time with the _cp suffix:  feedback.Message("Btree: Código duplicado"_cp);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quirovel {

namespace cp1252_detail {

// Windows-1252 bytes 0x80..0x9F and the code points they stand for (0 = unused).
inline constexpr char32_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Returns the Windows-1252 byte of a code point, or -1 when it has none.
constexpr int ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighTable[i] != 0 && kHighTable[i] == cp) return 0x80 + i;
  return -1;
}

template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  consteval Utf8Literal(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
  }
};

template <std::size_t N>
struct Converted {
  char bytes[N]{};
  std::size_t size = 0;
};

template <std::size_t N>
consteval Converted<N> Convert(const Utf8Literal<N>& in) {
  Converted<N> out;
  std::size_t i = 0;
  while (i + 1 < N) {  // the last byte is the literal's NUL
    auto c = static_cast<unsigned char>(in.bytes[i]);
    char32_t cp;
    int extra;
    if (c < 0x80) {
      cp = c, extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, extra = 3;
    } else {
      throw "malformed UTF-8 in a Windows-1252 literal";
    }
    ++i;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i + 1 >= N) throw "truncated UTF-8 in a Windows-1252 literal";
      cp = (cp << 6) | (static_cast<unsigned char>(in.bytes[i]) & 0x3F);
    }
    int b = ByteOf(cp);
    if (b < 0) throw "character without a Windows-1252 byte";
    out.bytes[out.size++] = static_cast<char>(static_cast<unsigned char>(b));
  }
  out.bytes[out.size] = '\0';
  return out;
}

template <Utf8Literal L>
struct Storage {
  static constexpr auto value = Convert(L);
};

}  // namespace cp1252_detail

// "Código"_cp is a NUL-terminated Windows-1252 text with static storage.
template <cp1252_detail::Utf8Literal L>
consteval const char* operator""_cp() {
  return cp1252_detail::Storage<L>::value.bytes;
}

// Conversions at the edges: the terminal, command-line arguments, tests.
std::string Cp1252ToUtf8(std::string_view text);
// The same, added to the end of *out: no string of its own per call.
void AppendCp1252AsUtf8(std::string_view text, std::string* out);
// A message or line for the screen: Windows-1252 text that may carry host
// file names, which are the user's bytes (UTF-8 on Linux). Whole UTF-8
// sequences of two or more bytes pass unchanged; every other byte is read as
// Windows-1252. (A Spanish text almost never holds a capital accented letter
// followed at once by a sign of 0x80..0xBF, the only pairs taken otherwise.)
std::string DisplayTextToUtf8(std::string_view text);
// Control bytes (and the bytes Windows-1252 leaves undefined) written as
// "\xHH", so that a field's odd bytes cannot drive the terminal.
bool IsControlByte(unsigned char c);
std::string EscapeControls(std::string_view cp1252_text);

// Characters without a Windows-1252 byte become '?'.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace quirovel

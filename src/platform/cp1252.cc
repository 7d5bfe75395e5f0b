#include "platform/cp1252.h"

#include "platform/format.h"

namespace quirovel {

void AppendCp1252AsUtf8(std::string_view text, std::string* out) {
  // Most texts are plain ASCII: runs of it are copied whole.
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t ascii = i;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    out->append(text.data() + i, ascii - i);
    if (ascii == text.size()) return;
    i = ascii + 1;
    auto c = static_cast<unsigned char>(text[ascii]);
    char32_t cp = c;
    if (c >= 0x80 && c < 0xA0) {
      cp = cp1252_detail::kHighTable[c - 0x80];
      if (cp == 0) cp = c;  // undefined bytes pass through as C1 controls
    }
    if (cp < 0x80) {
      out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendCp1252AsUtf8(text, &out);
  return out;
}

namespace {

// Length of the well-formed UTF-8 sequence of two or more bytes at text[i], or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  if (c >= 0xC2 && c <= 0xDF)
    length = 2;
  else if (c >= 0xE0 && c <= 0xEF)
    length = 3;
  else if (c >= 0xF0 && c <= 0xF4)
    length = 4;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  const auto second = static_cast<unsigned char>(text[i + 1]);
  if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
      (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F))
    return 0;  // overlong forms and surrogates are not names anyone typed
  return length;
}

}  // namespace

std::string DisplayTextToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t run = i;
    std::size_t sequence = 0;
    while (run < text.size() && (sequence = Utf8SequenceAt(text, run)) == 0) ++run;
    AppendCp1252AsUtf8(text.substr(i, run - i), &out);
    if (run == text.size()) break;
    out.append(text.data() + run, sequence);
    i = run + sequence;
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto c = static_cast<unsigned char>(text[i]);
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
      out.push_back('?');
      ++i;
      continue;
    }
    ++i;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    int b = ok ? cp1252_detail::ByteOf(cp) : -1;
    // The five bytes that Windows-1252 leaves undefined come out of
    // Cp1252ToUtf8 as C1 controls; they go back to the same bytes.
    if (ok && cp >= 0x80 && cp < 0xA0 && cp1252_detail::kHighTable[cp - 0x80] == 0)
      b = static_cast<int>(cp);
    out.push_back(b < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(b)));
  }
  return out;
}

bool IsControlByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string EscapeControls(std::string_view cp1252_text) {
  std::string out;
  for (char ch : cp1252_text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsControlByte(c))
      out += StrFormat("\\x%02X", c);
    else
      out += ch;
  }
  return out;
}

}  // namespace quirovel

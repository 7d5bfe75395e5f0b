// The bytes of a new configuration record, written out field by field from
// the record's documented layout (not from the code that builds it).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace quirovel::testing {

inline std::string NewRecordImage() {
  std::string b(2460, '\0');
  auto text = [&](std::size_t at, const char* s) { std::memcpy(&b[at], s, std::strlen(s)); };
  auto int32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
  };
  int32(0, 40);
  text(4, "C:\\Quirovel\\trabajo\\Ctprueba.dbf");
  for (std::size_t i = 104; i < 104 + 213; ++i) b[i] = 'X';  // 71 x 3 flags, then 3 NULs
  text(320, "02012");
  text(326, "Hospital General de Quirovel");
  text(397, "C:\\quirovel\\trabajo");
  text(497, "C:\\Archivos de programa\\Accesorios\\WORDPAD.EXE");
  text(597, "WORDPAD.EXE");
  for (std::size_t i = 704; i < 768; ++i) b[i] = ' ';  // 64 blanks, NUL at 768
  // Current import settings (layout A at 780).
  text(780, "C:\\quirovel\\trabajo\\FICHERO.TXT");
  text(880, "1");
  text(882, "C:\\quirovel\\trabajo\\NUEVODBF.DBF");
  text(982, " ");
  text(984, "|");
  text(996, "C:\\Quirovel\\trabajo\\Cmbd2000.dbf");
  text(1096, "cmbdhist.dbf");
  b[1196] = '\xD2', b[1197] = '\x07';  // 2002
  b[1204] = static_cast<char>(145), b[1208] = static_cast<char>(162),
  b[1212] = static_cast<char>(131);
  b[1216] = 4, b[1220] = 6, b[1224] = 7;
  for (std::size_t i = 1728; i < 1792; ++i) b[i] = 'X';  // 64 flags, NUL at 1792
  text(1793, "?");
  b[1816] = 1;
  b[2458] = '\x80', b[2459] = '\x3F';  // 1.0f
  return b;
}

}  // namespace quirovel::testing

#include "storage/table_files.h"

#include <array>
#include <cstring>

#include "platform/format.h"
#include "storage/field_definition.h"

namespace quirovel {

bool Create(FileSystem& fs, Feedback& feedback, const std::vector<std::string_view>& definitions,
            const std::string& path) {
  auto file = fs.Open(path, OpenMode::kCreateTruncate);
  if (!file) {
    feedback.Message(StrFormat("Error al abril el fichero %s", path.c_str()));
    return false;
  }
  const std::size_t count = definitions.size();
  std::array<unsigned char, 32> header{};
  header[0] = 3;
  header[1] = 96, header[2] = 2, header[3] = 24;
  unsigned header_length = static_cast<unsigned>(32 * count + 33);
  unsigned record_length = 1;
  for (auto text : definitions)
    record_length += static_cast<unsigned>(ParseFieldDefinition(text).written_width);
  header[8] = static_cast<unsigned char>(header_length);
  header[9] = static_cast<unsigned char>(header_length >> 8);
  header[10] = static_cast<unsigned char>(record_length);
  header[11] = static_cast<unsigned char>(record_length >> 8);
  if (file->WriteAt(0, header.data(), 32) <= 0) feedback.Message("Err crea cabecera");

  for (std::size_t k = 0; k < count; ++k) {
    FieldDefinition def = ParseFieldDefinition(definitions[k]);
    std::array<unsigned char, 32> d{};
    std::memcpy(d.data(), def.name.data(), std::min<std::size_t>(def.name.size(), 10));
    d[11] = static_cast<unsigned char>(def.type);
    d[16] = static_cast<unsigned char>(def.width);
    d[17] = static_cast<unsigned char>(def.decimals);
    if (file->WriteAt(32 + 32 * k, d.data(), 32) <= 0) feedback.Message("Err def cabecera campos");
  }
  const unsigned char end[2] = {0x0D, 0x1A};
  if (file->WriteAt(32 + 32 * count, end, 2) <= 0) feedback.Message("Err def cabeceras");
  return true;
}

int CopyStructure(FileSystem& fs, Feedback& feedback, const std::string& source,
                  const std::string& target) {
  if (source == target) {
    feedback.Message("No se puede copiar sobre si mismo");
    return 0;
  }
  auto in = fs.Open(source, OpenMode::kRead);
  if (!in) {
    feedback.Message("IMPORTAR:Error al abrir fichero con la estructura origen");
    return 0;
  }
  auto out = fs.Open(target, OpenMode::kCreateTruncate);
  if (!out) {
    feedback.Message(StrFormat("IMPORTAR: Error al abrir fichero destino [%s]", target.c_str()));
    return 0;
  }
  std::array<unsigned char, 32> block{};
  in->ReadAt(0, block.data(), 32);
  block[4] = block[5] = block[6] = block[7] = 0;
  out->WriteAt(0, block.data(), 32);

  std::uint64_t offset = 32;
  int copied = 0;
  for (;;) {
    block.fill(0);
    std::int64_t got = in->ReadAt(offset, block.data(), 32);
    // A source that ends before its terminator ends the copy as the terminator would.
    if (got <= 0 || block[0] == 0x0D || copied >= 256) break;
    out->WriteAt(offset, block.data(), 32);
    offset += 32;
    ++copied;
  }
  const unsigned char terminator = 0x0D;
  out->WriteAt(offset, &terminator, 1);
  if (copied >= 256) feedback.Message("Estructa DBF no valida");
  return 1;
}

std::optional<std::uint32_t> RecordCountOf(FileSystem& fs, Feedback& feedback,
                                           const std::string& path) {
  auto file = fs.Open(path, OpenMode::kRead);
  unsigned char header[32];
  if (!file || file->ReadAt(0, header, 32) != 32) {
    feedback.Message("Error al abrir fichero");
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(header[4]) | static_cast<std::uint32_t>(header[5]) << 8 |
         static_cast<std::uint32_t>(header[6]) << 16 | static_cast<std::uint32_t>(header[7]) << 24;
}

}  // namespace quirovel

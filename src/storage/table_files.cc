#include "storage/table_files.h"

#include <array>
#include <cstring>

#include "platform/format.h"
#include "platform/little_endian.h"
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
  // The record length is the sum of the widths as stored (after the H and D
  // rules), so that "IMPORTE#H" or "FECHA#D10" still give records whose
  // fields fit them exactly.
  for (auto text : definitions)
    record_length += static_cast<unsigned>(ParseFieldDefinition(text).width);
  PutLe16(&header[8], static_cast<std::uint16_t>(header_length));
  PutLe16(&header[10], static_cast<std::uint16_t>(record_length));
  // Each part that is not written whole is told and the creation goes on, but
  // the caller learns that the table is unusable.
  bool whole = true;
  auto write = [&](std::uint64_t offset, const void* bytes, std::size_t size, const char* message) {
    if (file->WriteAt(offset, bytes, size) != static_cast<std::int64_t>(size)) {
      feedback.Message(message);
      whole = false;
    }
  };
  write(0, header.data(), 32, "Err crea cabecera");

  for (std::size_t k = 0; k < count; ++k) {
    FieldDefinition def = ParseFieldDefinition(definitions[k]);
    std::array<unsigned char, 32> d{};
    std::memcpy(d.data(), def.name.data(), std::min<std::size_t>(def.name.size(), 10));
    d[11] = static_cast<unsigned char>(def.type);
    d[16] = static_cast<unsigned char>(def.width);
    d[17] = static_cast<unsigned char>(def.decimals);
    write(32 + 32 * k, d.data(), 32, "Err def cabecera campos");
  }
  const unsigned char end[2] = {0x0D, 0x1A};
  write(32 + 32 * count, end, 2, "Err def cabeceras");
  return whole;
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
  // The whole structure is read before the target is emptied: two spellings
  // of one file would otherwise leave nothing to copy.
  std::string structure(32, '\0');
  in->ReadAt(0, structure.data(), 32);
  structure[4] = structure[5] = structure[6] = structure[7] = 0;
  int copied = 0;
  for (;;) {
    std::array<char, 32> block{};
    std::int64_t got = in->ReadAt(32 + 32 * static_cast<std::uint64_t>(copied), block.data(), 32);
    // A source that ends before its terminator ends the copy as the terminator would.
    if (got <= 0 || block[0] == 0x0D || copied >= 256) break;
    structure.append(block.data(), block.size());
    ++copied;
  }
  structure += '\x0D';
  in.reset();

  auto out = fs.Open(target, OpenMode::kCreateTruncate);
  if (!out) {
    feedback.Message(StrFormat("IMPORTAR: Error al abrir fichero destino [%s]", target.c_str()));
    return 0;
  }
  if (out->WriteAt(0, structure.data(), structure.size()) !=
      static_cast<std::int64_t>(structure.size())) {
    feedback.Message(StrFormat("IMPORTAR: Error al escribir fichero destino [%s]", target.c_str()));
    return 0;
  }
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
  return GetLe32(&header[4]);
}

}  // namespace quirovel

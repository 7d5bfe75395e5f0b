#include "reference/config_record.h"

#include <cstring>

#include "platform/little_endian.h"

namespace quirovel {

std::int32_t ConfigRecord::Int(std::size_t offset) const {
  if (offset + 4 > kSize) return 0;
  return static_cast<std::int32_t>(GetLe32(&bytes_[offset]));
}

void ConfigRecord::SetInt(std::size_t offset, std::int32_t value) {
  if (offset + 4 > kSize) return;
  PutLe32(&bytes_[offset], static_cast<std::uint32_t>(value));
}

std::string_view ConfigRecord::TextView(std::size_t offset, std::size_t size) const {
  if (offset >= kSize) return {};
  if (offset + size > kSize) size = kSize - offset;
  std::size_t n = 0;
  while (n < size && bytes_[offset + n] != 0) ++n;
  return {reinterpret_cast<const char*>(bytes_.data() + offset), n};
}

std::string ConfigRecord::Text(std::size_t offset, std::size_t size) const {
  return std::string(TextView(offset, size));
}

bool ConfigRecord::SetText(std::size_t offset, std::size_t size, std::string_view text) {
  if (size == 0 || offset + size > kSize || text.size() > size - 1) return false;
  if (text.find('\0') != std::string_view::npos) return false;
  SetTextCut(offset, size, text);
  return true;
}

void ConfigRecord::SetTextCut(std::size_t offset, std::size_t size, std::string_view text) {
  if (size == 0 || offset + size > kSize) return;
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(bytes_.data() + offset, text.data(), n);
  // Only the terminator is written; the bytes after it keep what they held, as
  // a C string copy into the field would leave them.
  bytes_[offset + n] = 0;
}

bool ConfigRecord::ErrorEnabled(int e, int t) const {
  if (e < 1 || e > 71 || t < 0 || t > 2) return false;
  return bytes_[kErrorSwitches + 3 * static_cast<std::size_t>(e - 1) +
                static_cast<std::size_t>(t)] == 'X';
}

void ConfigRecord::SetErrorEnabled(int e, int t, bool on) {
  if (e < 1 || e > 71 || t < 0 || t > 2) return;
  bytes_[kErrorSwitches + 3 * static_cast<std::size_t>(e - 1) + static_cast<std::size_t>(t)] =
      on ? 'X' : ' ';
}

void ConfigRecord::SetHospitalCode(std::string_view code) {
  SetTextCut(kHospitalCode, kHospitalCodeMax + 1, code.substr(0, code.find('\0')));
}

void ConfigRecord::SetHospitalName(std::string_view name) {
  SetTextCut(kHospitalName, kHospitalNameMax + 1, name.substr(0, name.find('\0')));
}

bool ConfigRecord::FieldMarked(int k) const {
  return k >= 1 && k <= 63 && bytes_[kFieldMarks + static_cast<std::size_t>(k)] == 'X';
}

void ConfigRecord::MarkField(int k) {
  if (k >= 1 && k <= 63) bytes_[kFieldMarks + static_cast<std::size_t>(k)] = 'X';
}

void ConfigRecord::ClearFieldMarks() { std::memset(bytes_.data() + kFieldMarks, ' ', 64); }

std::int32_t ConfigRecord::FieldColour(int c) const {
  return c >= 0 && c < 3 ? Int(kFieldColour + 4 * static_cast<std::size_t>(c)) : 0;
}

void ConfigRecord::SetFieldColour(int c, std::int32_t v) {
  if (c >= 0 && c < 3) SetInt(kFieldColour + 4 * static_cast<std::size_t>(c), v);
}

std::int32_t ConfigRecord::ColourStep(int c) const {
  return c >= 0 && c < 3 ? Int(kColourStep + 4 * static_cast<std::size_t>(c)) : 0;
}

void ConfigRecord::SetColourStep(int c, std::int32_t v) {
  if (c >= 0 && c < 3) SetInt(kColourStep + 4 * static_cast<std::size_t>(c), v);
}

std::string ConfigRecord::RecentStructure(int slot) const {
  if (slot < 0 || slot >= kRecentSlots) return {};
  return Text(kRecentStructures + kPathSize * static_cast<std::size_t>(slot), kPathSize);
}

bool ConfigRecord::SetRecentStructure(int slot, std::string_view p) {
  if (slot < 0 || slot >= kRecentSlots) return false;
  return SetText(kRecentStructures + kPathSize * static_cast<std::size_t>(slot), kPathSize, p);
}

bool ConfigRecord::CompletenessField(int i) const {
  return i >= 0 && i < 64 && bytes_[kCompletenessFields + static_cast<std::size_t>(i)] == 'X';
}

void ConfigRecord::SetCompletenessField(int i, bool on) {
  if (i >= 0 && i < 64) bytes_[kCompletenessFields + static_cast<std::size_t>(i)] = on ? 'X' : ' ';
}

float ConfigRecord::PrinterScale() const {
  auto bits = static_cast<std::uint32_t>(Int(kPrinterScale));
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

void ConfigRecord::SetPrinterScale(float scale) {
  std::uint32_t bits;
  std::memcpy(&bits, &scale, 4);
  SetInt(kPrinterScale, static_cast<std::int32_t>(bits));
}

std::size_t ConfigRecord::At(ImportLayout layout, ImportField field) {
  if (layout == ImportLayout::kCurrent) {
    static constexpr std::size_t kA[] = {LayoutA::kTextFile,    LayoutA::kDateFormat,
                                         LayoutA::kTargetTable, LayoutA::kDelimiter,
                                         LayoutA::kSeparator,   LayoutA::kStructureTable,
                                         LayoutA::kHeaderLine,  LayoutA::kFixedLength};
    return kImportSettings + kA[field];
  }
  static constexpr std::size_t kB[] = {
      LayoutB::kTextFile,  LayoutB::kDateFormat,     LayoutB::kTargetTable, LayoutB::kDelimiter,
      LayoutB::kSeparator, LayoutB::kStructureTable, LayoutB::kHeaderLine,  LayoutB::kFixedLength};
  return (layout == ImportLayout::kSavedCma ? kSavedCmaLayout : kSavedCmbdLayout) + kB[field];
}

ImportSettings ConfigRecord::Import(ImportLayout l) const {
  ImportSettings settings;
  settings.text_file = ImportTextFile(l);
  settings.date_format = ImportDateFormat(l);
  settings.target_table = ImportTargetTable(l);
  settings.delimiter = ImportDelimiter(l);
  settings.separator = ImportSeparator(l);
  settings.structure_table = ImportStructureTable(l);
  settings.header_line = ImportHeaderLine(l);
  settings.fixed_length = ImportFixedLength(l);
  return settings;
}

bool ConfigRecord::SetImport(ImportLayout l, const ImportSettings& settings) {
  auto fits = [](const std::string& t, std::size_t size) {
    return t.size() < size && t.find('\0') == std::string::npos;
  };
  if (!fits(settings.text_file, kPathSize) || !fits(settings.date_format, 2) ||
      !fits(settings.target_table, kPathSize) || !fits(settings.delimiter, 2) ||
      !fits(settings.separator, 2) || !fits(settings.structure_table, kPathSize))
    return false;
  SetImportTextFile(l, settings.text_file);
  SetImportDateFormat(l, settings.date_format);
  SetImportTargetTable(l, settings.target_table);
  SetImportDelimiter(l, settings.delimiter);
  SetImportSeparator(l, settings.separator);
  SetImportStructureTable(l, settings.structure_table);
  SetImportHeaderLine(l, settings.header_line);
  SetImportFixedLength(l, settings.fixed_length);
  return true;
}

}  // namespace quirovel

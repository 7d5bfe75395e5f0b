// The configuration record: every user setting and a few results of the last
// run, 2460 bytes kept byte for byte as stored in "Quirovel.dat".
// Integers are 32-bit little-endian; texts are NUL-terminated in fixed fields
// (a field of n bytes holds at most n - 1 characters); flags are 'X' or ' '.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirovel {

class ConfigRecord {
 public:
  static constexpr std::size_t kSize = 2460;

  // Field offsets and sizes.
  static constexpr std::size_t kCurrentPath = 4, kPathSize = 100;
  static constexpr std::size_t kErrorSwitches = 104;     // 71 rows of 3 flags, then 3 NULs
  static constexpr std::size_t kHospitalCode = 320, kHospitalCodeSize = 6;
  static constexpr std::size_t kHospitalName = 326, kHospitalNameSize = 71;
  static constexpr std::size_t kWorkDirectory = 397;
  static constexpr std::size_t kEditorPath = 497;
  static constexpr std::size_t kEditorProgram = 597;
  static constexpr std::size_t kErrorCount = 700;
  static constexpr std::size_t kFieldMarks = 704;        // byte 704 + k for field k
  static constexpr std::size_t kImportSettings = 780;    // layout A
  static constexpr std::size_t kHistoryFile = 1096;
  static constexpr std::size_t kVersionYear = 1196;
  static constexpr std::size_t kRecentNext = 1200;
  static constexpr std::size_t kFieldColour = 1204;      // red, green, blue
  static constexpr std::size_t kColourStep = 1216;       // red, green, blue
  static constexpr std::size_t kRecentStructures = 1228; // 5 slots of 100 bytes
  static constexpr std::size_t kCompletenessFields = 1728;
  static constexpr std::size_t kLastRunDate = 1793, kLastRunDateSize = 23;
  static constexpr std::size_t kGroupAfterTest = 1816;
  static constexpr std::size_t kSavedCmaSpec = 1824;     // layout B
  static constexpr std::size_t kSavedCmbdSpec = 2140;    // layout B
  static constexpr std::size_t kPrinterScale = 2456;

  ConfigRecord() { bytes_.fill(0); }

  std::array<unsigned char, kSize>& bytes() { return bytes_; }
  const std::array<unsigned char, kSize>& bytes() const { return bytes_; }

  // Generic access by offset.
  std::int32_t Int(std::size_t offset) const;
  void SetInt(std::size_t offset, std::int32_t value);
  // The text up to the first NUL within the field.
  std::string Text(std::size_t offset, std::size_t size) const;
  // False, leaving the field unchanged, when the text does not fit (size - 1 characters).
  bool SetText(std::size_t offset, std::size_t size, std::string_view text);
  // Stores at most size - 1 characters, cutting the rest.
  void SetTextCut(std::size_t offset, std::size_t size, std::string_view text);

  // Named fields of the main layout.
  std::string CurrentPath() const { return Text(kCurrentPath, kPathSize); }
  bool SetCurrentPath(std::string_view p) { return SetText(kCurrentPath, kPathSize, p); }
  // Error e (1..71) is recorded under test type t (0 monthly, 1 quarterly, 2 CMA).
  bool ErrorEnabled(int e, int t) const;
  void SetErrorEnabled(int e, int t, bool on);
  std::string HospitalCode() const { return Text(kHospitalCode, kHospitalCodeSize); }
  std::string HospitalName() const { return Text(kHospitalName, kHospitalNameSize); }
  std::string WorkDirectory() const { return Text(kWorkDirectory, kPathSize); }
  std::string EditorPath() const { return Text(kEditorPath, kPathSize); }
  std::string EditorProgram() const { return Text(kEditorProgram, kPathSize); }
  std::int32_t ErrorCount() const { return Int(kErrorCount); }
  void SetErrorCount(std::int32_t n) { SetInt(kErrorCount, n); }
  // Field k (1..63) has had an error.
  bool FieldMarked(int k) const;
  void MarkField(int k);
  std::string HistoryFile() const { return Text(kHistoryFile, kPathSize); }
  std::int32_t VersionYear() const { return Int(kVersionYear); }
  void SetVersionYear(std::int32_t year) { SetInt(kVersionYear, year); }
  std::string RecentStructure(int slot) const { return Text(kRecentStructures + 100 * static_cast<std::size_t>(slot), kPathSize); }
  // Field i (0..62, layout order) counts in the completeness statistics.
  bool CompletenessField(int i) const { return bytes_[kCompletenessFields + static_cast<std::size_t>(i)] == 'X'; }
  std::string LastRunDate() const { return Text(kLastRunDate, kLastRunDateSize); }
  bool GroupAfterTest() const { return Int(kGroupAfterTest) == 1; }
  float PrinterScale() const;
  void SetPrinterScale(float scale);

 private:
  std::array<unsigned char, kSize> bytes_;
};

}  // namespace quirovel

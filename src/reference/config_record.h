// The configuration record: every user setting and a few results of the last
// run, 2460 bytes kept byte for byte as stored in "Quirovel.dat".
// Integers are 32-bit little-endian; texts are NUL-terminated in fixed fields
// (a field of n bytes holds at most n - 1 characters); flags are 'X' or ' '.
// The byte layout is documented in docs/formats.md.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirovel {

// The three places that hold text-import settings: the current settings
// (layout A) and the two saved import layouts (layout B, same fields in
// another order).
enum class ImportLayout { kCurrent, kSavedCma, kSavedCmbd };

// The fields of one set of text-import settings, whichever layout holds them.
struct ImportSettings {
  std::string text_file;          // text file to import
  std::string date_format;        // "1".."6"
  std::string target_table;       // dBase table to create
  std::string delimiter;          // one character
  std::string separator;          // one character
  std::string structure_table;    // table whose structure is copied
  std::int32_t header_line = 0;   // 1 when the first line is a header
  std::int32_t fixed_length = 0;  // 1 when the fields have fixed length
};

class ConfigRecord {
 public:
  static constexpr std::size_t kSize = 2460;

  // Field offsets and sizes.
  static constexpr std::size_t kFirstInt = 0;  // written as 40, not used
  static constexpr std::size_t kCurrentPath = 4, kPathSize = 100;
  static constexpr std::size_t kErrorSwitches = 104;  // 71 rows of 3 flags, then 3 NULs
  static constexpr std::size_t kErrorSwitchesSize = 216;
  static constexpr std::size_t kHospitalCode = 320, kHospitalCodeSize = 6;
  static constexpr std::size_t kHospitalName = 326, kHospitalNameSize = 71;
  static constexpr std::size_t kHospitalNameMax = 69;  // characters ever stored
  static constexpr std::size_t kHospitalCodeMax = 5;
  static constexpr std::size_t kWorkDirectory = 397;
  static constexpr std::size_t kEditorPath = 497;
  static constexpr std::size_t kEditorProgram = 597;
  static constexpr std::size_t kErrorCount = 700;
  static constexpr std::size_t kFieldMarks = 704;  // byte 704 + k for field k
  static constexpr std::size_t kUnused772 = 772, kUnused776 = 776;
  static constexpr std::size_t kImportSettings = 780;  // layout A
  static constexpr std::size_t kHistoryFile = 1096;
  static constexpr std::size_t kVersionYear = 1196;
  static constexpr std::size_t kRecentNext = 1200;
  static constexpr std::size_t kFieldColour = 1204;       // red, green, blue
  static constexpr std::size_t kColourStep = 1216;        // red, green, blue
  static constexpr std::size_t kRecentStructures = 1228;  // 5 slots of 100 bytes
  static constexpr int kRecentSlots = 5;
  static constexpr std::size_t kCompletenessFields = 1728;
  static constexpr std::size_t kLastRunDate = 1793, kLastRunDateSize = 23;
  static constexpr std::size_t kGroupAfterTest = 1816;
  static constexpr std::size_t kUnused1820 = 1820;
  static constexpr std::size_t kSavedCmaLayout = 1824;   // layout B
  static constexpr std::size_t kSavedCmbdLayout = 2140;  // layout B
  static constexpr std::size_t kPrinterScale = 2456;

  // Offsets inside layout A (current import settings).
  struct LayoutA {
    static constexpr std::size_t kTextFile = 0, kDateFormat = 100, kTargetTable = 102,
                                 kDelimiter = 202, kSeparator = 204, kHeaderLine = 208,
                                 kFixedLength = 212, kStructureTable = 216;
  };
  // Offsets inside layout B (saved import layouts).
  struct LayoutB {
    static constexpr std::size_t kTextFile = 0, kDateFormat = 100, kTargetTable = 102,
                                 kDelimiter = 202, kSeparator = 204, kStructureTable = 206,
                                 kFixedLength = 308, kHeaderLine = 312;
  };
  static constexpr std::size_t kImportSize = 316;

  ConfigRecord() { bytes_.fill(0); }

  std::array<unsigned char, kSize>& bytes() { return bytes_; }
  const std::array<unsigned char, kSize>& bytes() const { return bytes_; }
  bool operator==(const ConfigRecord& other) const { return bytes_ == other.bytes_; }

  // Generic access by offset.
  std::int32_t Int(std::size_t offset) const;
  void SetInt(std::size_t offset, std::int32_t value);
  // The text up to the first NUL within the field.
  std::string Text(std::size_t offset, std::size_t size) const;
  std::string_view TextView(std::size_t offset, std::size_t size) const;
  // False, leaving the field unchanged, when the text does not fit (size - 1 characters).
  bool SetText(std::size_t offset, std::size_t size, std::string_view text);
  // Stores at most size - 1 characters, cutting the rest.
  void SetTextCut(std::size_t offset, std::size_t size, std::string_view text);

  // Named fields of the main layout. Paths are refused (false) rather than cut.
  std::string CurrentPath() const { return Text(kCurrentPath, kPathSize); }
  bool SetCurrentPath(std::string_view p) { return SetText(kCurrentPath, kPathSize, p); }
  // Error e (1..71) is recorded under test type t (0 monthly, 1 quarterly, 2 CMA).
  bool ErrorEnabled(int e, int t) const;
  void SetErrorEnabled(int e, int t, bool on);
  std::string HospitalCode() const { return Text(kHospitalCode, kHospitalCodeSize); }
  // The same text without a copy, for the checks of every episode.
  std::string_view HospitalCodeView() const { return TextView(kHospitalCode, kHospitalCodeSize); }
  // Cut to 5 characters.
  void SetHospitalCode(std::string_view code);
  std::string HospitalName() const { return Text(kHospitalName, kHospitalNameSize); }
  // Cut to 69 characters.
  void SetHospitalName(std::string_view name);
  std::string WorkDirectory() const { return Text(kWorkDirectory, kPathSize); }
  bool SetWorkDirectory(std::string_view p) { return SetText(kWorkDirectory, kPathSize, p); }
  std::string EditorPath() const { return Text(kEditorPath, kPathSize); }
  bool SetEditorPath(std::string_view p) { return SetText(kEditorPath, kPathSize, p); }
  std::string EditorProgram() const { return Text(kEditorProgram, kPathSize); }
  bool SetEditorProgram(std::string_view p) { return SetText(kEditorProgram, kPathSize, p); }
  std::int32_t ErrorCount() const { return Int(kErrorCount); }
  void SetErrorCount(std::int32_t n) { SetInt(kErrorCount, n); }
  // Field k (1..63) has had an error.
  bool FieldMarked(int k) const;
  void MarkField(int k);
  // Sets the 64 marks (bytes 704..767) back to blanks.
  void ClearFieldMarks();
  std::string HistoryFile() const { return Text(kHistoryFile, kPathSize); }
  bool SetHistoryFile(std::string_view p) { return SetText(kHistoryFile, kPathSize, p); }
  std::int32_t VersionYear() const { return Int(kVersionYear); }
  void SetVersionYear(std::int32_t year) { SetInt(kVersionYear, year); }
  std::int32_t RecentNext() const { return Int(kRecentNext); }
  void SetRecentNext(std::int32_t slot) { SetInt(kRecentNext, slot); }
  // Colour component c (0 red, 1 green, 2 blue) and its gradient step; 0 and
  // no change outside 0..2.
  std::int32_t FieldColour(int c) const;
  void SetFieldColour(int c, std::int32_t v);
  std::int32_t ColourStep(int c) const;
  void SetColourStep(int c, std::int32_t v);
  // Slot 0..4 of the recent-structures list; empty and refused outside.
  std::string RecentStructure(int slot) const;
  bool SetRecentStructure(int slot, std::string_view p);
  // Field i (0..62, layout order) counts in the completeness statistics;
  // i = 63 is the flag that the configuration page never changes.
  bool CompletenessField(int i) const;
  void SetCompletenessField(int i, bool on);
  std::string LastRunDate() const { return Text(kLastRunDate, kLastRunDateSize); }
  bool SetLastRunDate(std::string_view d) { return SetText(kLastRunDate, kLastRunDateSize, d); }
  bool GroupAfterTest() const { return Int(kGroupAfterTest) == 1; }
  void SetGroupAfterTest(bool on) { SetInt(kGroupAfterTest, on ? 1 : 0); }
  float PrinterScale() const;
  void SetPrinterScale(float scale);

  // Text-import settings, current (layout A) or saved (layout B).
  ImportSettings Import(ImportLayout layout) const;
  // False, changing nothing, when a text does not fit its field.
  bool SetImport(ImportLayout layout, const ImportSettings& settings);
  std::string ImportTextFile(ImportLayout l) const {
    return Text(At(l, kTextFileField), kPathSize);
  }
  bool SetImportTextFile(ImportLayout l, std::string_view p) {
    return SetText(At(l, kTextFileField), kPathSize, p);
  }
  std::string ImportDateFormat(ImportLayout l) const { return Text(At(l, kDateFormatField), 2); }
  bool SetImportDateFormat(ImportLayout l, std::string_view f) {
    return SetText(At(l, kDateFormatField), 2, f);
  }
  std::string ImportTargetTable(ImportLayout l) const {
    return Text(At(l, kTargetTableField), kPathSize);
  }
  bool SetImportTargetTable(ImportLayout l, std::string_view p) {
    return SetText(At(l, kTargetTableField), kPathSize, p);
  }
  std::string ImportDelimiter(ImportLayout l) const { return Text(At(l, kDelimiterField), 2); }
  bool SetImportDelimiter(ImportLayout l, std::string_view c) {
    return SetText(At(l, kDelimiterField), 2, c);
  }
  std::string ImportSeparator(ImportLayout l) const { return Text(At(l, kSeparatorField), 2); }
  bool SetImportSeparator(ImportLayout l, std::string_view c) {
    return SetText(At(l, kSeparatorField), 2, c);
  }
  std::string ImportStructureTable(ImportLayout l) const {
    return Text(At(l, kStructureField), kPathSize);
  }
  bool SetImportStructureTable(ImportLayout l, std::string_view p) {
    return SetText(At(l, kStructureField), kPathSize, p);
  }
  std::int32_t ImportHeaderLine(ImportLayout l) const { return Int(At(l, kHeaderField)); }
  void SetImportHeaderLine(ImportLayout l, std::int32_t v) { SetInt(At(l, kHeaderField), v); }
  std::int32_t ImportFixedLength(ImportLayout l) const { return Int(At(l, kFixedField)); }
  void SetImportFixedLength(ImportLayout l, std::int32_t v) { SetInt(At(l, kFixedField), v); }

 private:
  enum ImportField {
    kTextFileField,
    kDateFormatField,
    kTargetTableField,
    kDelimiterField,
    kSeparatorField,
    kStructureField,
    kHeaderField,
    kFixedField
  };
  // Absolute offset of an import field in the given layout.
  static std::size_t At(ImportLayout layout, ImportField field);
  std::array<unsigned char, kSize> bytes_;
};

}  // namespace quirovel

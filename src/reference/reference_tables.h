// The hospital's own reference data, loaded at start: services, hospital codes,
// occupation codes and postal codes, and the hospital catalogue read on demand.
// Implemented in service_table.cc, postal_code_table.cc, code_lists.cc and
// hospital_catalogue.cc.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "storage/code_index.h"

namespace quirovel {

// "servicios.txt": slot 0 belongs to the header line; slots 1..40 hold services.
class ServiceTable {
 public:
  static constexpr int kSlots = 41;
  static constexpr std::size_t kCodeSize = 5;
  static constexpr std::size_t kNameSize = 58;
  // Past this many extra lines, "Numero de servicios incorrecto" is not
  // repeated; one closing message says how many lines were left out.
  static constexpr long kRepeatedMessages = 10;

  struct Slot {
    std::string code;  // at most 5 characters
    std::string name;  // at most 58 characters
  };

  void Load(FileSystem& fs, Feedback& feedback, const std::string& host_path);
  void Clear() { slots_ = {}; }
  // Name of the first slot (0..40) whose code equals code; "Error" when none.
  std::string ServiceName(std::string_view code) const;
  const Slot& slot(int i) const {
    return slots_[static_cast<std::size_t>(i >= 0 && i < kSlots ? i : 0)];
  }

 private:
  std::array<Slot, kSlots> slots_;
};

// "ZKCP.dat": int32 entries, postal code N at byte (N - 1000) * 4.
class PostalCodeTable {
 public:
  // Entries read into memory at opening (codes up to 1,049,575); the few
  // larger codes a caller may ask for are read from the open file.
  static constexpr std::size_t kEntriesInMemory = 1 << 20;

  // Opens the file, creating it empty when missing (with the messages).
  void Open(FileSystem& fs, Feedback& feedback, const std::string& host_path);
  void Close();
  bool is_open() const { return file_ != nullptr; }
  // Non-zero when the code is known; ProvinceOnly() tells a "NN999" code.
  std::int32_t PostalCodeKnown(std::int32_t code);
  bool ProvinceOnly() const { return province_only_; }

 private:
  std::unique_ptr<File> file_;
  std::vector<std::int32_t> entries_;  // the file's content as of opening
  bool province_only_ = false;
};

struct ReferenceTables {
  ServiceTable services;
  CodeIndex hospitals;    // HospitalCodeList, "hospitnosas.txt"
  CodeIndex occupations;  // OccupationCodeList, "ocupaciones.txt"
  PostalCodeTable postal_codes;
};

// More lines than this in a code list are not read (with a message): the
// lists hold a few hundred codes, and the index is an unbalanced tree.
inline constexpr long kMaxListCodes = 10000;
// Past this many duplicate codes, the index's two messages are not repeated;
// one closing message counts the rest.
inline constexpr long kRepeatedDuplicates = 10;

// Fills services, hospital codes and occupation codes from the installation
// directory, in that order (the postal codes are opened later in start-up).
void LoadReferenceTables(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                         ReferenceTables* tables);

// One code list: the first `width` characters of every line.
void LoadCodeList(FileSystem& fs, Feedback& feedback, const std::string& host_path,
                  std::string_view file_name, std::size_t width, CodeIndex* list);

// "hospital.dat", read afresh at each use.
// Every entry of "hospital.dat" as (code, name), in file order.
std::vector<std::pair<std::string, std::string>> HospitalEntries(FileSystem& fs, Feedback& feedback,
                                                                 const HostPaths& paths);
std::vector<std::string> HospitalNames(FileSystem& fs, Feedback& feedback, const HostPaths& paths);
// Code of the first entry with exactly this name; "Error" when none.
std::string HospitalCodeFor(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                            std::string_view name);

// The same, as the object the configuration page holds.
class HospitalCatalogue {
 public:
  // More entries than this are not read (with a message).
  static constexpr long kMaxEntries = 20000;

  HospitalCatalogue(FileSystem& fs, Feedback& feedback, const HostPaths& paths)
      : fs_(fs), feedback_(feedback), paths_(paths) {}
  std::vector<std::string> Names() const { return HospitalNames(fs_, feedback_, paths_); }
  std::string CodeFor(std::string_view name) const {
    return HospitalCodeFor(fs_, feedback_, paths_, name);
  }

 private:
  FileSystem& fs_;
  Feedback& feedback_;
  const HostPaths& paths_;
};

}  // namespace quirovel

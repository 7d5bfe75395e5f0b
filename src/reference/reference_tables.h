// The hospital's own reference data, loaded at start: services, hospital codes,
// occupation codes and postal codes. Implemented in service_table.cc,
// postal_code_table.cc and reference_tables.cc.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
  struct Slot {
    std::string code;  // at most 5 characters
    std::string name;  // at most 58 characters
  };

  void Load(FileSystem& fs, Feedback& feedback, const std::string& host_path);
  // Name of the first slot (0..40) whose code equals code; "Error" when none.
  std::string ServiceName(std::string_view code) const;
  const Slot& slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }

 private:
  std::array<Slot, kSlots> slots_;
};

// "ZKCP.dat": int32 entries, postal code N at byte (N - 1000) * 4.
class PostalCodeTable {
 public:
  // Opens the file, creating it empty when missing (with the messages).
  void Open(FileSystem& fs, Feedback& feedback, const std::string& host_path);
  void Close();
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

// Fills services, hospital codes and occupation codes from the installation
// directory, in that order (the postal codes are opened later in start-up).
void LoadReferenceTables(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                         ReferenceTables* tables);

// "hospital.dat", read afresh at each use.
std::vector<std::string> HospitalNames(FileSystem& fs, Feedback& feedback, const HostPaths& paths);
// Code of the first entry with exactly this name; "Error" when none.
std::string HospitalCodeFor(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                            std::string_view name);

}  // namespace quirovel

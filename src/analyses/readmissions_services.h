// The readmissions of one analysis counted by discharge service and month,
// for slots 1 to 40 of the service table, and the two monthly tables written
// from them: "reingrserv.txt" (every readmission) and "reingrservnoprog.txt"
// (the not programmed ones, TIPING 1).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quirovel {

struct Session;

class ReadmissionsByService {
 public:
  static constexpr int kSlots = 40;

  // The codes of service table slots 1..40, every count at 0.
  explicit ReadmissionsByService(const Session& s);

  // Counts a readmission of the slot whose code equals `servalt` exactly (an
  // empty slot holds no service and matches nothing). `month` is that of the
  // readmission's FECING: outside 1..12 the readmission counts in the slot's
  // total only. A service in no slot is not counted here.
  void Count(std::string_view servalt, int month, bool not_programmed);

  // Writes both tables; a table that cannot be written is said and skipped.
  // False when either was not written whole.
  bool Write(const Session& s) const;

  long total(int slot) const { return rows_[static_cast<std::size_t>(slot - 1)].total; }

 private:
  struct Row {
    std::string code;
    long total = 0;
    std::array<long, 12> all{};
    std::array<long, 12> not_programmed{};
  };
  bool WriteTable(const Session& s, bool not_programmed) const;

  std::array<Row, kSlots> rows_;
};

}  // namespace quirovel

// Errors of the last run counted by discharge service and month, for the
// service table of "resumen.txt". Rows follow the service table's slots 1..40.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quirovel {

struct Session;

struct ServiceTabulation {
  struct Row {
    std::string code;                     // the slot's code, empty for an empty slot
    std::int32_t count = 0;               // every error of the service
    std::array<std::int32_t, 13> months{};  // 1..12, January to December
  };
  std::array<Row, 41> rows;  // 1..40; row 0 unused
};

// Reads log entries 1..ErrorCount and each entry's episode from the current
// table. An entry or an episode that cannot be read ends the tabulation (after
// "error lectura errores" or "ERROR AL LEER FICHERO CMBD"); what was counted
// until then stands.
ServiceTabulation TabulateByService(Session& s, const std::string& log_path);

}  // namespace quirovel

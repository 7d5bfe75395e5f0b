// "Exportar Errores.dbf": the error log of the last detection run as the
// dBase table "ERRORES.DBF" in the working directory, one record per error
// with the episode's hospital, history, discharge date and service, the
// error's text and the values of the fields it concerns.
#pragma once

#include <array>
#include <string_view>

namespace quirovel {

struct Session;

// The structure of "ERRORES.DBF", in order.
inline constexpr std::array<std::string_view, 8> kErrorTableLayout = {
    "HOSPITAL#C5", "CERR#C3",    "ERROR#C80",    "HISTORIA#C12",
    "FECALT#D8",   "SERVALT#C5", "SERVICIO#C40", "VALORES#C80"};

struct ErrorTableResult {
  bool written = false;  // "ERRORES.DBF" holds the export
  long walked = 0;       // error entries walked
  long records = 0;      // records written
};

ErrorTableResult ExportErrors(Session& s);

}  // namespace quirovel

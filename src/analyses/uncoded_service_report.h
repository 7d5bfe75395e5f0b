// "No codif x servicio": the uncoded discharges of one discharge service,
// four to a line, in "altnocodserv.txt".
#pragma once

#include <cstdint>
#include <string_view>

namespace quirovel {

struct Session;

struct UncodedServiceReport {
  bool written = false;  // the report was written whole
  std::int32_t entries = 0;
};

// The service is the code as the summary tallies it (the raw SERVALT).
UncodedServiceReport WriteUncodedOfService(Session& s, std::string_view code);

}  // namespace quirovel

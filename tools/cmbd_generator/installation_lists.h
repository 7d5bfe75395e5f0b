// The reference lists of the installation that the episodes must agree with:
// services, transfer hospitals, occupations and postal codes.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quirovel::gen {

struct InstallationLists {
  std::vector<std::string> services;     // codes of "servicios.txt", file order
  std::vector<std::string> hospitals;    // codes of "hospitnosas.txt"
  std::vector<std::string> occupations;  // codes of "ocupaciones.txt"
  // Known postal codes by province (index 1..52) from "ZKCP.dat".
  std::array<std::vector<int>, 53> postal_codes;

  // False with the reason in *error when a file is missing or empty.
  bool Load(const std::string& install_dir, std::string* error);
};

}  // namespace quirovel::gen

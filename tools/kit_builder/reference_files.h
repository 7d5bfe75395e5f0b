// The installation's plain reference files: services, hospital codes,
// occupations, the hospital catalogue and the postal code table.
#pragma once

#include <string>

namespace quirovel::kit {

// Each writes one file into install_dir from the lists under data_dir; false
// with the reason in *error when a list is missing or does not fit the format.
bool WriteServices(const std::string& data_dir, const std::string& install_dir, std::string* error);
bool WriteHospitalFiles(const std::string& data_dir, const std::string& install_dir,
                        std::string* error);
bool WriteOccupations(const std::string& data_dir, const std::string& install_dir,
                      std::string* error);
bool WritePostalCodes(const std::string& data_dir, const std::string& install_dir,
                      std::string* error);

// Lines of the text files hold at most this many characters before CR LF, so
// that a reader with a 100-byte line buffer takes each line whole.
inline constexpr std::size_t kMaxLineText = 96;

}  // namespace quirovel::kit

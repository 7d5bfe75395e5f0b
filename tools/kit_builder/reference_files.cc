#include "reference_files.h"

#include <cstdint>
#include <set>

#include "csv_table.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"

namespace quirovel::kit {
namespace {

constexpr std::size_t kServiceCount = 40;
constexpr std::size_t kServiceNameWidth = 58;
constexpr char kOwnHospitalCode[] = "02012";
constexpr char kOwnHospitalName[] = "Hospital General de Quirovel";
// Postal codes run from 01000 to 52999; the table covers them all.
constexpr long kFirstPostalCode = 1000, kLastPostalCode = 52999;

bool IsDigits(const std::string& text, std::size_t width) {
  if (text.size() != width) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool Save(const std::string& path, const std::string& contents, std::string* error) {
  if (WriteWholeFile(RealFileSystem(), path, contents)) return true;
  *error = path + ": cannot be written";
  return false;
}

// One CR LF line, cut so that it stays within the readers' line buffer.
void AddLine(std::string* out, std::string line) {
  if (line.size() > kMaxLineText) line.resize(kMaxLineText);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  *out += line;
  *out += "\r\n";
}

}  // namespace

bool WriteServices(const std::string& data_dir, const std::string& install_dir,
                   std::string* error) {
  CsvTable table;
  int code = 0, name = 0;
  if (!table.Load(data_dir + "/kit/services.csv", error) || !table.Require("code", &code, error) ||
      !table.Require("name", &name, error))
    return false;
  if (table.rows().size() != kServiceCount) {
    *error = table.path() + ": " + std::to_string(table.rows().size()) + " services, expected 40";
    return false;
  }
  std::string out;
  AddLine(&out, "Cod. Servicio");
  std::set<std::string> seen;
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    std::string n = Utf8ToCp1252(row[static_cast<std::size_t>(name)]);
    if (!IsDigits(c, 5) || !seen.insert(c).second || n.empty() || n.size() > kServiceNameWidth) {
      *error = table.path() + ": service \"" + c +
               "\" needs a new five-digit code and a name of 1 to 58 characters";
      return false;
    }
    AddLine(&out, c + n);
  }
  return Save(install_dir + "/servicios.txt", out, error);
}

bool WriteHospitalFiles(const std::string& data_dir, const std::string& install_dir,
                        std::string* error) {
  CsvTable table;
  int code = 0, name = 0, catalogue = 0, transfer = 0;
  if (!table.Load(data_dir + "/kit/hospitals.csv", error) || !table.Require("code", &code, error) ||
      !table.Require("name", &name, error) || !table.Require("catalogue", &catalogue, error) ||
      !table.Require("transfer", &transfer, error))
    return false;
  std::string codes, hospitals;
  std::set<std::string> seen;
  bool own = false;
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    std::string n = Utf8ToCp1252(row[static_cast<std::size_t>(name)]);
    if (!IsDigits(c, 5) || !seen.insert(c).second || n.empty()) {
      *error = table.path() + ": hospital \"" + c + "\" needs a new five-digit code and a name";
      return false;
    }
    if (c == kOwnHospitalCode) own = n == kOwnHospitalName;
    // The transfer list reads the first five characters only; the name that
    // follows is for whoever maintains the file.
    if (row[static_cast<std::size_t>(transfer)] == "Y") AddLine(&codes, c + " " + n);
    if (row[static_cast<std::size_t>(catalogue)] == "Y") AddLine(&hospitals, c + n);
  }
  if (!own) {
    *error = table.path() +
             ": hospital 02012 must be \"Hospital General de Quirovel\", the default own hospital";
    return false;
  }
  return Save(install_dir + "/hospitnosas.txt", codes, error) &&
         Save(install_dir + "/hospital.dat", hospitals, error);
}

bool WriteOccupations(const std::string& data_dir, const std::string& install_dir,
                      std::string* error) {
  CsvTable table;
  int code = 0, title = 0;
  if (!table.Load(data_dir + "/es/occupations.csv", error) ||
      !table.Require("code", &code, error) || !table.Require("title", &title, error))
    return false;
  std::string out;
  std::set<std::string> seen;
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    if (!IsDigits(c, 3) || !seen.insert(c).second) {
      *error = table.path() + ": occupation \"" + c + "\" is not a new three-digit code";
      return false;
    }
    AddLine(&out, c + " " + Utf8ToCp1252(row[static_cast<std::size_t>(title)]));
  }
  return Save(install_dir + "/ocupaciones.txt", out, error);
}

bool WritePostalCodes(const std::string& data_dir, const std::string& install_dir,
                      std::string* error) {
  CsvTable table;
  int code = 0, province = 0;
  if (!table.Load(data_dir + "/es/postal_codes.csv", error) ||
      !table.Require("code", &code, error) || !table.Require("province_code", &province, error))
    return false;
  std::string out(static_cast<std::size_t>(kLastPostalCode - kFirstPostalCode + 1) * 4, '\0');
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    const std::string& p = row[static_cast<std::size_t>(province)];
    long n = IsDigits(c, 5) ? std::stol(c) : 0;
    long prov = IsDigits(p, 2) ? std::stol(p) : 0;
    if (n < kFirstPostalCode || n > kLastPostalCode || prov < 1 || prov > 52 || n / 1000 != prov) {
      *error =
          table.path() + ": postal code \"" + c + "\" of province \"" + p + "\" is out of range";
      return false;
    }
    // Little-endian 32-bit entry holding the province number.
    std::size_t at = static_cast<std::size_t>(n - kFirstPostalCode) * 4;
    out[at] = static_cast<char>(prov);
  }
  return Save(install_dir + "/ZKCP.dat", out, error);
}

}  // namespace quirovel::kit

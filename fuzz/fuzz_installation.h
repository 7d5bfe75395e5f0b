// A small installation in memory for the fuzz targets: the configuration
// record, the reference files and a current CMBD-A table of a few episodes,
// each of which a target may replace with the fuzzer's bytes.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/memory_file_system.h"
#include "reference/config_defaults.h"
#include "reference/install_paths.h"
#include "session/session.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "validation/cmbd_layout.h"

namespace quirovel::fuzzing {

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : (std::fprintf(stderr, "failed: %s\n", #condition), std::abort()))

inline constexpr const char* kRoot = "/r";
inline constexpr const char* kCurrentTable = "C:\\QUIROVEL\\trabajo\\c.dbf";

struct Installation {
  MemoryFileSystem fs;
  SilentFeedback feedback;
  Session session{fs, feedback, kRoot};

  Installation() {
    // Folders spelt as the stored paths spell them, so that no name has to
    // be looked for in a listing: each run builds its installation afresh.
    fs.MakeDirectories("/r/QUIROVEL/trabajo");
    fs.MakeDirectories("/r/quirovel/trabajo");
    ConfigRecord record = NewConfigRecord();
    record.SetCurrentPath(kCurrentTable);
    PutStored(kConfigFile, std::string(record.bytes().begin(), record.bytes().end()));
    PutStored(kServicesFile, "CODIGONOMBRE\r\n70100Medicina Interna\r\n70200Cirugia\r\n");
    PutStored(kHospitalCodesFile, "02001\r\n11005\r\n");
    PutStored(kOccupationsFile, "001\r\n002\r\n");
    PutStored(kHospitalCatalogueFile, "02012Hospital General de Quirovel\r\n");
    PutStored(kPostalCodesFile, std::string(64, '\0'));
    WriteEpisodes(3);
  }

  // Every installation starts alike, so the host name of a stored one is
  // worked out once per process rather than once per input.
  void PutStored(const std::string& stored, const std::string& bytes) {
    static std::map<std::string, std::string> host_names;
    auto it = host_names.find(stored);
    if (it == host_names.end()) it = host_names.emplace(stored, session.paths.ToHost(stored)).first;
    fs.SetContents(it->second, bytes);
  }

  // The current table with n episodes whose fields hold a few plausible
  // values, built once and copied into each run's installation.
  void WriteEpisodes(int n) { PutStored(kCurrentTable, EpisodesTable(n)); }

  static std::string EpisodesTable(int n) {
    static std::string bytes[8];
    std::string& table = bytes[n & 7];
    if (!table.empty()) return table;
    MemoryFileSystem fs;
    SilentFeedback feedback;
    std::vector<std::string_view> definitions(kCmbdLayout.begin(), kCmbdLayout.end());
    FUZZ_CHECK(Create(fs, feedback, definitions, "/t.dbf"));
    DbfTable out(fs, feedback);
    FUZZ_CHECK(out.Open("/t.dbf") == 1);
    for (int i = 1; i <= n; ++i) {
      for (int k = 1; k <= kCmbdFieldCount; ++k) out.BlankField(k);
      out.SetFieldText(CmbdFieldNumber("HISTORIA"), std::to_string(1000 + i));
      out.SetFieldText(CmbdFieldNumber("SERVALT"), i % 2 == 0 ? "70100" : "70200");
      out.SetFieldText(CmbdFieldNumber("FECALT"), "2006031" + std::to_string(i % 10));
      out.SetFieldText(CmbdFieldNumber("C1"), "250.00");
      FUZZ_CHECK(out.Append());
    }
    out.Close();
    table = *fs.Contents("/t.dbf");
    return table;
  }
};

// The input cut into parts at each "\n--\n", for targets that feed several files.
inline std::vector<std::string> SplitParts(std::string_view input, std::size_t most) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < most) {
    const std::size_t cut = input.find("\n--\n");
    if (cut == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, cut));
    input.remove_prefix(cut + 4);
  }
  parts.emplace_back(input);
  return parts;
}

}  // namespace quirovel::fuzzing

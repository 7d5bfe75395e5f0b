// A test installation for the episode checks: a temporary root with the
// reference files, a small CIE-9-MC catalogue of version 2002, a default
// configuration and a CMBD-A table of hand-built episodes. Check() runs
// CheckAdministrative on one record as the detection run would, with a real
// "fallos.dat" and "errores.txt" in the working directory, and returns what
// they hold afterwards.
//
//   CheckFixture f;
//   CheckResult r = f.CheckEpisode(CleanEpisode().Set("SEXO", "4"));
//   EXPECT_EQ(r.Errors(), std::vector<int>{13});
//
// Reference data: own hospital 02012; hospitnosas.txt: 02001 02099 11005 28001;
// ocupaciones.txt: 001 010 999; ZKCP.dat knows 02001, 02002, 28001, 45600;
// servicios.txt: 70100 70440 70552; catalogue: DefaultCatalogue() below.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/faulty_file_system.h"
#include "platform/recording_feedback.h"
#include "session/detection_run.h"
#include "session/session.h"
#include "support/temp_dir.h"
#include "validation/error_entry.h"

namespace quirovel::testing {

// An episode as field name = value pairs, values stored byte for byte,
// left-aligned and blank-filled to the field's width. Fields never set are blank.
class Episode {
 public:
  Episode& Set(const std::string& field, const std::string& value);
  const std::vector<std::pair<std::string, std::string>>& values() const { return values_; }

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

// No error under the monthly and quarterly tests: admitted 01/03/2005 from the
// emergency room, discharged home 10/03/2005, woman born 15/03/1970, C1 486.
Episode CleanEpisode();
// No error under the CMA test: PROCEDEN 3, TIPING 3, admitted and discharged
// 01/03/2005, P1 47.0 (surgical), FEINTV 20050301.
Episode CleanCmaEpisode();

// One code of the catalogue: the columns of the attributes table.
struct CatalogueCode {
  std::string code;                // as written in the CMBD-A file ("486", "47.0")
  std::string validity = "VVVVV";  // one character per version position
  std::string main = " ";          // "F": cannot be the main diagnosis
  std::string sex = " ";           // " " any, else the only SEXO allowed
  std::string age = " ";           // AgeClass 1..4, " " none
  std::string delivery = " ";      // "T": a delivery
  std::string surgical = " ";      // "T": a surgical procedure
  std::string description{};       // up to 72 characters; "Codigo <code>" when empty
};

//   diagnoses  250.00, 279.9 (validity " VVVV"), 486, 650 (delivery, sex 2,
//              age 3), 765.1 (age 1), 799.9 (validity "FFFFF"), 850.0 (an
//              injury), V27.0 (main "F"), V30.00 (age 1), E816.0 (traffic),
//              E880.9 (a fall)
//   procedures 123.4 (written like a diagnosis), 47.0 (surgical), 74.1
//              (surgical, sex 2), 88.38, 99.99 (age 3)
std::vector<CatalogueCode> DefaultCatalogue();

// What one checked episode left behind.
struct CheckResult {
  std::vector<ErrorEntry> entries;  // decoded from fallos.dat, 1..ErrorCount
  std::vector<std::string> raw;     // the 32 bytes of each entry
  std::string errores;              // everything written to errores.txt
  std::string status;               // the status line afterwards

  std::vector<int> Errors() const;                    // catalogue numbers, in order
  std::vector<std::string> ErrorsWithFields() const;  // "number:field" ("25:16")
};

class CheckFixture {
 public:
  struct Options {
    std::vector<CatalogueCode> catalogue = DefaultCatalogue();
    bool write_catalogue = true;  // false: no CIE02.dbf at all (every code unknown)
  };

  CheckFixture();
  explicit CheckFixture(Options options);
  ~CheckFixture();

  Session& session() { return *session_; }
  CheckContext& checks() {
    if (!checks_) checks_ = std::make_unique<CheckContext>(session_->Checks());
    return *checks_;
  }
  RecordingFeedback& feedback() { return feedback_; }
  // Every file access of the session goes through it (healthy unless told).
  FaultyFileSystem& faulty() { return faulty_; }
  const TempDir& root() const { return root_; }
  std::string WorkPath(const std::string& name) const;     // working directory
  std::string InstallPath(const std::string& name) const;  // installation directory
  // Loads this installation's reference files and catalogue into s.
  void LoadReferences(Session& s, RecordingFeedback& feedback) const;

  // Writes the CMBD-A table (record n holds episodes[n - 1]) and opens it as
  // the session's table; definitions replace the 63 fields of CmbdAFields().
  void WriteTable(const std::vector<Episode>& episodes,
                  const std::vector<std::string>& definitions = {});
  // The standard layout without the named fields.
  static std::vector<std::string> LayoutWithout(const std::vector<std::string>& names);

  // Checks record n as the detection run does: counters cleared, fresh
  // errores.txt, fallos.dat opened without truncation, then both read back.
  CheckResult Check(int n, int test_type = kMensual);
  CheckResult CheckEpisode(const Episode& episode, int test_type = kMensual);

  // The preparation of Check without the check, for tests that call SETERR
  // themselves; Collect() closes and reads back.
  void BeginRecord(int n, int test_type = kMensual);
  CheckResult Collect();

 private:
  TempDir root_;
  FaultyFileSystem faulty_;
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<CheckContext> checks_;
};

// The 32 bytes of an entry as a string, for comparisons with hand-written bytes.
std::string EntryBytes(const ErrorEntry& entry);

}  // namespace quirovel::testing

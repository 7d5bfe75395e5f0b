// A test installation for the episode checks: a temporary root with the
// reference files, a small CIE-9-MC catalogue of version 2002, a default
// configuration and a CMBD-A table of hand-built episodes. Check() runs
// CheckAdministrative on one record as the detection run would, with a real
// "fallos.dat" and "errores.txt" in the working directory, and returns what
// they hold afterwards.
//
//   CheckFixture f;
//   CheckResult r = f.CheckEpisode(CleanEpisode().Set("SEXO", "4"));
//   EXPECT_EQ(r.Errors(), std::vector<int>{13});         // catalogue numbers, in order
//   EXPECT_EQ(r.raw[0], "13\0\0...");                    // the 32 bytes of entry 1
//   EXPECT_EQ(r.errores, "... E91  Sexo incorrecto SEXO=     4 \r\n");
//
// Reference data of the installation (see check_fixture.cc for the details):
//   own hospital 02012; hospitnosas.txt: 02001 02099 11005 28001;
//   ocupaciones.txt: 001 010 999; ZKCP.dat knows 02001, 02002, 28001, 45600;
//   servicios.txt: 70100 70440 70552; catalogue: DefaultCatalogue() below.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "session/detection_run.h"
#include "platform/faulty_file_system.h"
#include "platform/recording_feedback.h"
#include "support/temp_dir.h"
#include "validation/error_entry.h"

namespace quirovel::testing {

// An episode as field name = value pairs (CMBD-A names, Windows-1252 values
// stored as given: left-aligned and blank-filled to the field's width).
// Fields never set are blank.
class Episode {
 public:
  Episode& Set(const std::string& field, const std::string& value);
  Episode& Blank(const std::string& field) { return Set(field, ""); }
  const std::vector<std::pair<std::string, std::string>>& values() const { return values_; }
  // The value set for a field, or "" when never set.
  std::string Get(const std::string& field) const;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

// An episode that raises no error under the monthly and quarterly tests with
// this installation: admitted 01/03/2005 from the emergency room, discharged
// home 10/03/2005, woman born 15/03/1970, C1 486 (no procedure).
Episode CleanEpisode();
// The same as a major ambulatory surgery episode that passes the CMA test:
// PROCEDEN 3, TIPING 3, admitted and discharged on 01/03/2005, P1 47.0
// (surgical), FEINTV 20050301.
Episode CleanCmaEpisode();

// One code of the catalogue: the columns of the attributes table.
struct CatalogueCode {
  std::string code;               // column 1, as written in the CMBD-A file ("486", "47.0")
  std::string validity = "VVVVV"; // column 3: one character per version position
  std::string main = " ";         // column 4: "F" cannot be the main diagnosis
  std::string sex = " ";          // column 5: " " any, else the only SEXO allowed
  std::string age = " ";          // column 6: AgeClass 1..4, " " none
  std::string delivery = " ";     // column 7: "T" a delivery
  std::string surgical = " ";     // column 8: "T" a surgical procedure
  std::string description;        // descriptions table, up to 72 characters
};

// The default catalogue (kept sorted by the fixture, whatever the order given):
//   diagnoses  250.00, 279.9 (validity " VVVV": absent at position 0),
//              486, 650 (delivery, sex 2, age 3), 765.1 (age 1), 799.9 (validity
//              "FFFFF"), 850.0 (an injury), V27.0 (main "F"), V30.00 (age 1),
//              E816.0 (traffic), E880.9 (a fall)
//   procedures 123.4 (written like a diagnosis), 47.0 (surgical), 74.1
//              (surgical, sex 2), 88.38, 99.99 (age 3)
std::vector<CatalogueCode> DefaultCatalogue();

// What one checked episode left behind.
struct CheckResult {
  std::vector<ErrorEntry> entries;                     // decoded from fallos.dat, 1..ErrorCount
  std::vector<std::string> raw;                        // the 32 bytes of each entry
  std::string errores;                                 // everything SETERR wrote to errores.txt
  std::vector<std::string> messages;                   // messages shown during the check
  std::string status;                                  // the status line afterwards

  // The catalogue numbers of the entries, in order.
  std::vector<int> Errors() const;
  // "number:field" for each entry ("25:16"), handy in failure output.
  std::vector<std::string> ErrorsWithFields() const;
};

class CheckFixture {
 public:
  struct Options {
    std::vector<CatalogueCode> catalogue = DefaultCatalogue();
    bool write_catalogue = true;    // false: no CIE02.dbf at all (every code unknown)
  };

  CheckFixture();
  explicit CheckFixture(Options options);
  ~CheckFixture();

  Session& session() { return *session_; }
  // The session as the checks see it.
  CheckContext& checks() {
    if (!checks_) checks_ = std::make_unique<CheckContext>(session_->Checks());
    return *checks_;
  }
  RecordingFeedback& feedback() { return feedback_; }
  // Every file access of the session goes through it (healthy unless told).
  FaultyFileSystem& faulty() { return faulty_; }
  const TempDir& root() const { return root_; }
  // Host path of a file of the working directory ("fallos.dat").
  std::string WorkPath(const std::string& name) const;
  // Host path of a file of the installation directory ("ZKCP.dat").
  std::string InstallPath(const std::string& name) const;

  // Writes the CMBD-A table (record n holds episodes[n - 1]) and opens it as
  // the session's current table with a fresh field map. definitions replaces
  // the standard 63-field layout (to drop a field, or declare one wider).
  void WriteTable(const std::vector<Episode>& episodes,
                  const std::vector<std::string>& definitions = {});
  // The standard layout without the named fields.
  static std::vector<std::string> LayoutWithout(const std::vector<std::string>& names);

  // Checks record n under the test type as the detection run does: a new run
  // state (counters cleared), fresh errores.txt, fallos.dat opened without
  // truncation, CheckAdministrative, then both files closed and read back.
  CheckResult Check(int n, int test_type = kMensual);
  // WriteTable({episode}) and Check(1, test_type).
  CheckResult CheckEpisode(const Episode& episode, int test_type = kMensual);

  // Prepares the run state and files for a record without checking it, for
  // tests that call SETERR themselves; Collect() closes and reads back.
  void BeginRecord(int n, int test_type = kMensual);
  CheckResult Collect();

 private:
  void BuildInstallation(const Options& options);

  TempDir root_;
  FaultyFileSystem faulty_;
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<CheckContext> checks_;
  std::size_t messages_before_ = 0;
};

// The 32 bytes of an entry as a string, for comparisons with hand-written bytes.
std::string EntryBytes(const ErrorEntry& entry);

}  // namespace quirovel::testing

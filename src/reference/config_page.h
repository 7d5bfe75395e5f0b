// The configuration page without its widgets: what each control shows, how
// the controls are filled from the record and applied back to it. The window
// keeps one ConfigControls in step with its controls and calls these.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "reference/config_record.h"

namespace quirovel {

struct VersionButton {
  const char* text;
  int value;   // stored at offset 1196
  bool shown;  // the automatic mode has a button the user never sees
};
inline constexpr std::array<VersionButton, 8> kVersionButtons = {{
    {"2006  :        2006 -> ", 2006, true},
    {"2004  :        2004 -> 2005", 2004, true},
    {"2002  :        2002  -> 2003", 2002, true},
    {"1999  :        1999  -> 2001", 1999, true},
    {"1997  :        1997  -> 1998", 1997, true},
    {"1992  :        1992  -> 1996", 1992, true},
    {"1988  :        1988  -> 1991", 1988, true},
    {"Autom\xE1tica  (a\xF1o del alta)", 50, false},  // Windows-1252
}};

struct ConfigControls {
  std::string current_path;                           // the main window's current-file field
  std::string work_directory;                         // "Trabajo"
  std::string editor_path;                            // beside "Editor"
  std::string history_file;                           // beside "Histórico"
  std::string printer_scale;                          // "Letra Impresora  X", at most 5 characters
  std::array<std::array<bool, 3>, 71> error_marks{};  // "Men Trim  CMA" per catalogue entry
  std::string hospital_name;                          // the hospital list's choice
  std::string hospital_code;                          // the read-only "Código" box
  bool group_after_test = false;
  int version_button = -1;              // index in kVersionButtons; -1 when none is set
  std::array<bool, 63> completeness{};  // "% cumplimentación", layout order
};

// The printer letter scale with two decimals and no zero before the point
// below one: 1.0 shows "1.00", 0.5 shows ".50".
std::string FormatPrinterScale(float scale);

// The controls as the record fills them (the record count is the window's).
ConfigControls FillControls(const ConfigRecord& record);

// Applies the controls to the record, in order: hospital name (at most 69
// characters), version year (unchanged when no button is set), hospital code
// (at most 5), printer scale (the text read as a decimal number; a text with
// no number leaves the scale as it was), the group-after-test flag, the fixed
// working directory, and the completeness fields (bytes 1728..1790; byte 1791
// is never changed).
void ApplyControls(const ConfigControls& controls, ConfigRecord* record);

// The error check-list losing the focus: its marks into offset 104.
void StoreErrorMarks(const ConfigControls& controls, ConfigRecord* record);

// "Editor": the path and its file name become the editor path and program
// name. False, changing nothing, when the path does not fit its field.
bool ChooseEditor(std::string_view stored_path, ConfigRecord* record);

}  // namespace quirovel

// Changing the current CMBD-A file: the "Fichero" choice of a dBase table,
// and the rule that a new current file forgets the errors of the last run.
#pragma once

#include <string_view>

namespace quirovel {

struct Session;

// Another file became current (an import, a choice): when its path differs
// from the remembered one, the error count of the last run goes back to 0
// and the new path is remembered. Nothing is saved.
void RememberCurrentFile(Session& s);

// "Fichero" with a dBase table (stored path): it becomes the current path,
// the error count goes to 0 and the last-run date to "...", the record is
// saved, the new table is opened and its structure analysed, and the
// information label and the status line are cleared. False, changing nothing,
// when the path does not fit the record or the record cannot be saved ("Error
// al grabar la configuracion"): the stored current file stays the current one.
// A table that cannot be opened is reported by the table layer and stays the
// current path, as the user chose it.
bool ChooseDbfFile(Session& s, std::string_view stored_path);

// True when the name's extension, upper-cased, is "DBF" / "TXT".
bool HasDbfExtension(std::string_view path);
bool HasTxtExtension(std::string_view path);

}  // namespace quirovel

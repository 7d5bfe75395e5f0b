// The one-line outputs every operation writes: the status line, the
// information label, the activity field and the record-count label.
#pragma once

#include <string_view>

namespace quirovel {

struct Session;

void ShowStatus(Session& s, std::string_view text);
void ShowInfo(Session& s, std::string_view text);
// An empty text puts the current file's path back.
void ShowActivity(Session& s, std::string_view text);
// The record count, written with "%d".
void ShowRecordCount(Session& s, long count);

}  // namespace quirovel

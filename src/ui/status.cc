#include "ui/status.h"

#include "app/session.h"

namespace quirovel {

void ShowStatus(Session& s, std::string_view text) { s.feedback.Status(text); }

void ShowInfo(Session& s, std::string_view text) { s.feedback.Info(text); }

void ShowActivity(Session& s, std::string_view text) { s.feedback.Activity(text); }

void ShowRecordCount(Session& s, long count) { s.feedback.RecordCount(count); }

}  // namespace quirovel

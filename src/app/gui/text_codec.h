// The program's texts (Windows-1252, with host file names as the user's own
// bytes) as Qt strings, and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/cp1252.h"

namespace quirovel {

inline QString ToQString(std::string_view program_text) {
  return QString::fromStdString(DisplayTextToUtf8(program_text));
}

// Characters without a Windows-1252 byte become '?'.
inline std::string ToProgramText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace quirovel

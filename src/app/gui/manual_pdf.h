// The user manual as a PDF: its Markdown text (with the window's pictures)
// laid out by Qt on A4 pages, at build time.
#pragma once

#include <QString>

namespace quirovel {

// False when the text cannot be read or the PDF cannot be written.
bool WriteManualPdf(const QString& markdown_path, const QString& pdf_path);

}  // namespace quirovel

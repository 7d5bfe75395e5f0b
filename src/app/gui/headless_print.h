// quirovel-gui --print REPORT --pdf OUT.pdf [--title T] [--scale S]
// quirovel-gui --print-errors type N|service CODE --pdf OUT.pdf
// The pages the window prints, written to a PDF file with no window shown.
#pragma once

#include <QStringList>

#include "app/gui/gui_feedback.h"
#include "session/session.h"

namespace quirovel {

// True when the arguments ask for headless printing.
bool WantsHeadlessPrint(const QStringList& args);
// Messages on standard error, questions answered no: nobody is there to
// answer a message box.
void UseStandardError(GuiFeedback& feedback);
// Prints as the arguments say; the exit code (0 printed, 1 nothing printed,
// 2 arguments not understood). Messages go to standard error.
int RunHeadlessPrint(Session& s, GuiFeedback& feedback, const QStringList& args);

}  // namespace quirovel

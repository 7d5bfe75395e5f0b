// The checks of one episode. They never write anything themselves: every
// finding goes through SETERR, which applies the configuration's switches.
#pragma once

#include <string_view>

namespace quirovel {

struct CheckContext;

// Records error e (1..71) of the current episode against CMBD-A field f (1..63).
void SETERR(CheckContext& c, int e, int f);

// The whole per-episode check, in its fixed order (administrative_checks.cc).
void CheckAdministrative(CheckContext& c);

// One code field, 19 (C1) to 52 (P15), against the catalogue (code_checks.cc).
void CheckCodeField(CheckContext& c, int f);
// Episode-wide coding checks run by CheckAdministrative: intervention dates
// (E271, E272, E270) and main diagnosis against the discharge service (E234, E235).
void CheckInterventionDates(CheckContext& c);
void CheckMainDiagnosisService(CheckContext& c);
// Stays in intensive care and emergency (E321, E331).
void CheckStays(CheckContext& c);
// Delivery and newborn checks, from CheckCodeField(C1) with the catalogue on C1's record.
void CheckDeliveryAndNewborn(CheckContext& c);

// Helpers shared by the checks.
// Digits and trailing blanks only, at least n digits.
bool IsDigitsField(std::string_view text, int n);
// At least n digit characters anywhere.
bool CountDigits(std::string_view text, int n);
// Third character a point or a blank, first neither 'E' nor 'V'.
bool IsProcedureShaped(std::string_view text);
// The usual decimal conversion: leading blanks, an optional sign, digits; 0 without digits.
long IntegerValue(std::string_view text);

}  // namespace quirovel

// Dates as day numbers (days since 1970-01-01), for arithmetic on stays and
// ages, and as the AAAAMMDD texts of the table.
#pragma once

namespace quirovel::gen {

int DayNumber(int year, int month, int day);
void CivilDate(int day_number, int* year, int* month, int* day);
// Writes the eight characters AAAAMMDD (no terminator).
void WriteDate(int day_number, char* out);

}  // namespace quirovel::gen

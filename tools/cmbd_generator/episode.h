// One discharge episode as the generator builds it, before it is laid out as
// a CMBD-A record.
#pragma once

#include <array>

#include "code_pools.h"
#include "service_profiles.h"

namespace quirovel::gen {

struct Patient {
  long historia = 0;
  int birth = 0;  // day number
  char sex = '1';
  int reside = 0;
  int occupation = 0;  // index into the occupation list
  std::array<char, 13> afiliss{};
};

struct Episode {
  const ServiceProfile* profile = nullptr;
  Patient patient;
  int admission = 0, discharge = 0;   // day numbers
  int age_years = 0, age_months = 0;  // as the checks derive them from the dates
  int proceden = 1, tiping = 1, tipalt = 1, regfin = 1;
  const char* proch = nullptr;  // origin hospital, when PROCEDEN is 6
  const char* trash = nullptr;  // destination hospital, when TIPALT is 2
  const char* serving = nullptr;
  long sequence = 0;  // episode number within the admission year

  std::array<const CodeInfo*, 15> dx{};
  int dx_count = 0;
  std::array<const CodeInfo*, 4> ext{};
  int ext_count = 0;
  std::array<const CodeInfo*, 15> proc{};
  int proc_count = 0;
  int intervention = -1;  // day number, -1 for none

  bool delivery = false;
  bool cesarean = false;
  int delivery_day = 0;
  int gestation = 0;
  int newborns = 0;
  std::array<int, 3> weight{};
  std::array<int, 3> newborn_sex{};

  int icu_days = 0;
  int er_days = 0;
  bool injury = false;     // a diagnosis lies in 800-999
  bool traffic = false;    // an external cause lies in E810-E819
  bool born_here = false;  // a newborn admitted on the day of birth
};

}  // namespace quirovel::gen

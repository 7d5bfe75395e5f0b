// The catalogue the code, delivery and newborn check tests run against: the
// fixture's default codes plus codes on both sides of every range and class
// boundary those checks test.
#pragma once

#include <string>

#include "support/check_fixture.h"

namespace quirovel::testing {

inline CheckFixture::Options WithCodeCatalogue() {
  CheckFixture::Options options;
  auto add = [&](const std::string& code) -> CatalogueCode& {
    options.catalogue.push_back(CatalogueCode{});
    options.catalogue.back().code = code;
    return options.catalogue.back();
  };
  // Diagnoses with restrictions.
  add("600.0").sex = "1";
  add("692.0").age = "2";
  add("626.0").age = "3";
  add("797").age = "4";
  add("644.21").delivery = "T";
  // Chapters of pregnancy (630-679) and of perinatal conditions (760-779).
  for (const char* code : {"629.9", "630", "634.90", "679.9", "680", "759.9", "760", "770.0",
                           "779.9", "780"})
    add(code);
  // Injuries run from "800   " to "999.9 ".
  for (const char* code : {"799.8", "800", "999.9", "999.91"}) add(code);
  // Outcome of delivery codes.
  for (const char* code : {"V26.9", "V27.1", "V27.9"}) add(code);
  // Traffic external causes run from "E810  " to "E829.9 ".
  for (const char* code : {"E809.9", "E810", "E829.9", "E830"}) add(code);
  add("E001.0").validity = "FFFFF";
  add("E990.0").validity = " VVVV";
  // Procedures.
  add("38.93").validity = "FFFFF";
  add("38.94").validity = " VVVV";
  add("99.55").age = "1";
  add("93.11").age = "2";
  add("93.12").age = "4";
  return options;
}

}  // namespace quirovel::testing

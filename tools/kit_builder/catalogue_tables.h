// Writes the attributes table CIE<yy>.dbf and the descriptions table
// CIEDE<yy>.dbf of every edition. Every table lists the codes of all editions,
// and column 3 says in which editions each one exists, so that a code of
// another edition is recognised as such instead of as unknown.
#pragma once

#include <string>
#include <vector>

#include "catalogue_codes.h"
#include "tool_feedback.h"

namespace quirovel::kit {

// Column 3 of an edition's attributes table: character 0 is the state in the
// table's own edition (a fixed version year consults position 0), characters
// 1 to 6 the states in the editions 1992 to 2006 (the choice by discharge date
// consults positions 1 to 4 of the 2006 table).
std::string ValidityText(const CatalogueCode& code, int edition);

// False (after the table layer's message) when a table cannot be written.
bool WriteCatalogueTables(const std::vector<CatalogueCode>& codes, const std::string& install_dir,
                          ToolFeedback& feedback);

}  // namespace quirovel::kit

// The catalogue as the running program uses it: the edition of the configured
// version year opened, a code of the current episode described, the edition
// chosen by the current episode's discharge date.
#pragma once

#include <string>

namespace quirovel {

struct Session;
struct CatalogueOrderResult;

// Closes and reopens both tables for the configured version year, then
// rebuilds the sample index with step 10. Year 50 shows "Version incorrecta:
// Se activará la del 2006" and stores 2006 in the record.
void OpenCieCatalogue(Session& s);

// Description of the code held in field f of the current episode.
std::string CodeDescription(Session& s, int field);

// Sets the run's VersionLabel and VersionPosition from the current episode's
// FECALT, counting the episodes out of every edition's range.
void VersionForDischargeDate(Session& s);

// The order check of the open catalogue, writing "salida.txt" of the working directory.
CatalogueOrderResult CheckCatalogueOrder(Session& s);

}  // namespace quirovel

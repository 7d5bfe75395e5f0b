// Pictures of every page of the window, for the manual and the README:
// `quirovel-gui --root DIR --screenshots OUT` on the offscreen platform
// gives the same pictures on any machine with the same fonts.
#pragma once

#include <QString>

namespace quirovel {

class MainWindow;

// Saves "pagina-N.png" for every enabled page, "importar.png" and
// "estructura.png" for the import dialogs, "busqueda.png" for the search
// dialog, "grafica.png" for the graph of the uncoded discharges and
// "visor.png" for the report viewer on "resumen.txt". False when a picture could not be saved.
bool SaveScreenshots(MainWindow& window, const QString& directory);

}  // namespace quirovel

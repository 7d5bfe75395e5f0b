// The tooltips of the window's controls, as the program has always shown them.
#pragma once

#include "platform/cp1252.h"

namespace quirovel::tooltips {

inline constexpr const char* kTest = "Chequea el fichero del CMBD con el tipo de test seleccionado";
inline constexpr const char* kEditErrors =
    "Edita, con el editor de textos especificado, los errores detectados";
inline constexpr const char* kFile = "Selecciona fichero con el CMBD-A a procesar";
inline constexpr const char* kHelp = "AYUDA";
inline constexpr const char* kStatusLine =
    "Errores Encontrados, Tiempo, FR registros fuera de rango";

// Page "Errores por Tipo/Servicio".
inline constexpr const char* kErrorTypeList = "Selecciona el tipo de error a visualizar";
inline constexpr const char* kErrorsFound = "Errores encontrados";
inline constexpr const char* kNextType = "Siguiente tipo de error";
inline constexpr const char* kPreviousType = "Anterior tipo de error";
inline constexpr const char* kPrintByType = "Imprime los errores del tipo seleccionado";
inline constexpr const char* kPrintByService =
    "Imprime los errores que se han producido en el servicio";
inline constexpr const char* kServiceList =
    "Visualiza los errores producidos en el servicio seleccionado";
inline constexpr const char* kServiceEpisodes = "Altas que se han producido en el servicio";
inline constexpr const char* kDiagnosisJump =
    "Mueve la barra de desplazamiento horizontal hasta los diagnósticos"_cp;
inline constexpr const char* kSaveTable = "Guarda el contenido de la tabla en fichero TABLA.DBF";
inline constexpr const char* kEpisodeLabels = "Traducción de los campos codificados"_cp;

// Page "Altas no codificadas".
inline constexpr const char* kUncodedSummary =
    "Determina los episodios pendientes de codificar por servicio. (C1 vacío)."_cp;
inline constexpr const char* kPrintUncodedSummary =
    "Imprime el resumen de altas no codificadas (contenido de la tabla)";
inline constexpr const char* kPrintUncodedList =
    "Impresión de los episodios pendientes de codificar"_cp;
inline constexpr const char* kUncodedOfService =
    "Pendiente codificar. Antes seleccione el código del servicio en la tabla."_cp;
inline constexpr const char* kUncodedGraph = "Distribución temporal de las altas no codificadas"_cp;
inline constexpr const char* kSummaryList =
    "Pulse en la cabecera de columna para ordenar crecientemente";

}  // namespace quirovel::tooltips

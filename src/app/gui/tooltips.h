// The tooltips of the window's controls, as the program has always shown them.
#pragma once

namespace quirovel::tooltips {

inline constexpr const char* kTest = "Chequea el fichero del CMBD con el tipo de test seleccionado";
inline constexpr const char* kEditErrors =
    "Edita, con el editor de textos especificado, los errores detectados";
inline constexpr const char* kFile = "Selecciona fichero con el CMBD-A a procesar";
inline constexpr const char* kHelp = "AYUDA";
inline constexpr const char* kStatusLine =
    "Errores Encontrados, Tiempo, FR registros fuera de rango";

}  // namespace quirovel::tooltips

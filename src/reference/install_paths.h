// The fixed places of the installation, in the stored "C:\..." form; the host
// path layer maps them under the installation root.
#pragma once

namespace quirovel {

inline constexpr const char* kInstallDirectory = "C:\\QUIROVEL";
inline constexpr const char* kConfigFile = "C:\\QUIROVEL\\Quirovel.dat";
inline constexpr const char* kDefaultsFile = "C:\\QUIROVEL\\Quiroveldef.dat";
inline constexpr const char* kServicesFile = "C:\\QUIROVEL\\servicios.txt";
inline constexpr const char* kHospitalCodesFile = "C:\\QUIROVEL\\hospitnosas.txt";
inline constexpr const char* kOccupationsFile = "C:\\QUIROVEL\\ocupaciones.txt";
inline constexpr const char* kPostalCodesFile = "C:\\QUIROVEL\\ZKCP.dat";
inline constexpr const char* kHospitalCatalogueFile = "C:\\QUIROVEL\\hospital.dat";
// The working directory is fixed: saving the configuration page puts it back.
inline constexpr const char* kFixedWorkDirectory = "C:\\quirovel\\trabajo";

}  // namespace quirovel

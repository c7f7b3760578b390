#pragma once
// The cartridges that tests run whole: ours, built from roms/, and, when the
// checkout has them beside it, the outside ones of ../shared/bench-roms
// (never copied into the project; TAVIRO_BENCH_ROMS overrides the place).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>

struct Cartridge {
  std::string name;  // also the test's name
  bool outside;      // from ../shared/bench-roms
};

// Failure messages name the cartridge rather than print the record's bytes.
inline void PrintTo(const Cartridge& cartridge, std::ostream* out) {
  *out << cartridge.name;
}

inline std::string CartridgePath(const Cartridge& cartridge) {
  if (!cartridge.outside) return std::string(TAVIRO_ROM_DIR) + "/" + cartridge.name + ".nes";
  const char* directory = std::getenv("TAVIRO_BENCH_ROMS");
  return std::string(directory != nullptr ? directory : TAVIRO_BENCH_ROM_DIR) + "/" +
         cartridge.name + ".nes";
}

inline std::string CartridgeName(const ::testing::TestParamInfo<Cartridge>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

inline auto OurCartridges() {
  // One cartridge per board: the six newer boards answer the state entry
  // points through their real plug-ins too.
  return ::testing::Values(Cartridge{"demo", false}, Cartridge{"mmc3_test", false},
                           Cartridge{"mmc2_test", false}, Cartridge{"ram_code_test", false},
                           Cartridge{"nrom_test", false}, Cartridge{"mmc1_test", false},
                           Cartridge{"uxrom_test", false}, Cartridge{"cnrom_test", false},
                           Cartridge{"axrom_test", false}, Cartridge{"unrom512_test", false});
}

inline auto OutsideCartridges() {
  return ::testing::Values(Cartridge{"BladeBuster", true}, Cartridge{"high-hopes", true},
                           Cartridge{"rastesam4", true}, Cartridge{"smwstomp", true});
}

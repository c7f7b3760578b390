// The two route tables, generated at compile time from the memory map in
// cpu/routes.h, so that no address is decoded while the processor runs.

#include <cstddef>

#include "cpu/cpu.h"
#include "cpu/routes.h"

namespace {

using RouteTable = std::array<unsigned char, 0x10000>;

template <typename RouteOf>
constexpr RouteTable BuildRoutes(RouteOf route_of) {
  RouteTable table{};
  for (std::size_t address = 0; address < table.size(); ++address)
    table[address] = route_of(static_cast<unsigned int>(address));
  return table;
}

}  // namespace

alignas(64) constinit RouteTable ReadMemTable = BuildRoutes([](unsigned int a) {
  return static_cast<unsigned char>(cpu::routes::ReadRouteOf(a));
});
alignas(64) constinit RouteTable WriteMemTable = BuildRoutes([](unsigned int a) {
  return static_cast<unsigned char>(cpu::routes::WriteRouteOf(a));
});

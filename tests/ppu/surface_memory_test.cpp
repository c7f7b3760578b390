// Opening the surfaces with too little memory: the failure is the code of
// the step that ran out, never an exception out of DDrawInit. Allocations of
// a surface's size are made to fail by replacing the global operator new of
// this test program while a test asks for it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "ppu/dx.h"
#include "ppu/dx_surface.h"

namespace {

std::size_t RefuseFrom = 0;  // allocations of this many bytes or more fail; 0: none

}  // namespace

void* operator new(std::size_t size) {
  if (RefuseFrom != 0 && size >= RefuseFrom) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

TEST(SurfaceMemory, RunningOutWhileOpeningGivesTheStepsFailureCode) {
  RefuseFrom = sizeof(DirectDrawSurface);
  int code = -1;
  EXPECT_NO_THROW(code = DDrawInit(nullptr, SurfaceWidth, SurfaceHeight, 8));
  RefuseFrom = 0;
  EXPECT_EQ(code, 5) << "the primary chain could not be created";
  EXPECT_EQ(ddrval, DDERR_OUTOFMEMORY);
  EXPECT_EQ(DDrawRunning, 0);
  DirectDrawClose();
  EXPECT_EQ(DDrawInit(nullptr, SurfaceWidth, SurfaceHeight, 8), 0);
  DirectDrawClose();
}

}  // namespace

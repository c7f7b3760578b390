#pragma once
// What a run is checked against once it ends: bytes of CPU memory, and the
// last picture against a golden one saved earlier by --screenshot.

#include <cstdio>
#include <string>
#include <vector>

#include "emulation/picture_png.h"
#include "tools/run_options.h"

// The byte the processor would read at address, without a read's side
// effects: the program windows for $8000-$FFFF, the memory image below.
unsigned char PeekCpuMemory(unsigned short address);

// Prints "$ADDR: expected $VV, found $WW" for each mismatch; true when none.
bool CheckExpectations(const std::vector<MemoryExpectation>& expectations, std::FILE* out);

// How two pictures of the same size differ: the count of differing pixels
// and the picture that marks them (the differing pixels red, the others a
// dim grey of the golden picture).
struct PictureDifference {
  long pixels = 0;
  RgbPicture marked;
};
PictureDifference ComparePictures(const RgbPicture& golden, const RgbPicture& actual);

enum class GoldenVerdict { Same, Different, Unusable };

// Compares the front surface with the PNG at goldenPath, writes the marked
// picture to diffPath (when given) on a difference, and says what it found
// on out; Unusable (with the reason on errors) for a golden file that cannot
// be read or has another size, or a diff that cannot be written.
GoldenVerdict CheckGoldenPicture(const std::string& goldenPath, const std::string& diffPath,
                                 std::FILE* out, std::FILE* errors);

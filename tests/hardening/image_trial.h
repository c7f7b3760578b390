#pragma once
// One hostile image, tried the way the debugger and the runner load it:
// through the loader and the real board plug-ins, then whole frames of the
// image's own program, in a child process so a crash or a hang is caught.

#include <vector>

#include "tests/hardening/hostile_images.h"

// Fails the current test unless the image gives expectedResult and, when it
// loads, holds the file's areas (missing bytes zero), keeps every program
// window inside the program ROM and runs the frames; all within a deadline.
void ExpectImageHandledSafely(const Bytes& image, int expectedResult, int frames);

// The same, expecting what the iNES layout of the image says.
inline void ExpectImageHandledSafely(const Bytes& image, int frames) {
  ExpectImageHandledSafely(image, ExpectedLoadResult(image), frames);
}

// The images loaded one after another by one machine, each loaded or
// refused as its layout says, with frames run after every one, refused or
// not: nothing of an earlier image may be used after the next load.
void ExpectSequenceHandledSafely(const std::vector<Bytes>& images, int frames);

#pragma once
// What the two picture views draw into the open video surfaces, once:
// the pattern tables with the palettes, timed, and a screen shot of the
// current frame composed in the emulation's order.

// Clears the back surface, draws the pattern tables and the palettes, and
// returns the seconds that took (millisecond ticks, as a double).
double DrawPatternPicture();
// "Rendering time %f sec" for those seconds.
void FormatRenderingTime(char (&text)[40], double seconds);

// Clears the back surface and composes the frame from the present state:
// backdrop, sprites behind, background, sprites in front. The layer
// switches of the game window's keys are not consulted; the sprite steps
// test the PPU's own sprite-enable bit.
void DrawScreenShotPicture();

#pragma once
// The game window's keys: the arrows, A, S, X and Z press the first pad's
// buttons, the main row's 1 and 2 switch the background and the sprites on
// and off, Escape ends emulation. Emulation thread only.

// key: a virtual-key code (platform/virtual_keys.h).
void Emulate_KeyDown(unsigned int key);
void Emulate_KeyUp(unsigned int key);

// Lets go of every pad button a key still holds: after Escape or a lost
// focus no key-up will come for them.
void ReleaseHeldButtons();

#pragma once
// The game window's keys: the arrows, A, S, X and Z press the first pad's
// buttons; the main row's 1 and 2 ask to switch the background and the
// sprites on and off, Escape asks to end emulation: the caller does those.
// Emulation thread only.

// What a key asks of the game window besides the pad.
enum class KeyRequest { None, End, SwitchBackground, SwitchSprites };

// key: a virtual-key code (platform/virtual_keys.h).
KeyRequest Emulate_KeyDown(unsigned int key);
void Emulate_KeyUp(unsigned int key);

// Lets go of every pad button a key still holds: after Escape or a lost
// focus no key-up will come for them.
void ReleaseHeldButtons();

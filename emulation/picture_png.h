#pragma once
// The picture as PNG files: 640 x 480 RGB, the palette applied, as the game
// window shows it. Used by the runner and by the golden-picture tests.

#include <string>
#include <vector>

#include "ppu/dx.h"

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // rows of width x 3 bytes, top row first
};

// A 640 x 480 surface of palette indices turned into colours.
RgbPicture SurfaceToRgb(const unsigned char* pixels, long pitch, const tagPALETTEENTRY* palette);

// The front surface with the live palette; empty while the surfaces are closed.
RgbPicture ScreenshotRgb();

bool SaveRgbPng(const char* path, const RgbPicture& picture, std::string* error = nullptr);
// Pictures larger than 4096 x 4096 are refused.
bool LoadRgbPng(const char* path, RgbPicture& picture, std::string* error = nullptr);

// Saves the front surface; false (with a reason) when the surfaces are closed
// or the file cannot be written.
bool SaveScreenshotPng(const char* path, std::string* error = nullptr);

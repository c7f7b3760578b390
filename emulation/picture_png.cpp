#include "emulation/picture_png.h"

#include <png.h>

#include <cstring>
#include <utility>

#include "ppu/dx_surface.h"

namespace {

void Report(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

// Screenshots are 640 x 480; this leaves room for any picture of ours while
// keeping a hostile header from claiming gigabytes (PNG_IMAGE_SIZE wraps at
// 32 bits, so its own figure cannot be trusted for that).
constexpr png_uint_32 kLargestSide = 4096;

}  // namespace

RgbPicture SurfaceToRgb(const unsigned char* pixels, long pitch, const tagPALETTEENTRY* palette) {
  RgbPicture picture;
  picture.width = SurfaceWidth;
  picture.height = SurfaceHeight;
  picture.rgb.resize(static_cast<size_t>(SurfaceWidth) * SurfaceHeight * 3);
  unsigned char* out = picture.rgb.data();
  for (int y = 0; y < SurfaceHeight; ++y) {
    const unsigned char* row = pixels + y * pitch;
    for (int x = 0; x < SurfaceWidth; ++x) {
      const tagPALETTEENTRY& entry = palette[row[x]];
      *out++ = entry.peRed;
      *out++ = entry.peGreen;
      *out++ = entry.peBlue;
    }
  }
  return picture;
}

RgbPicture ScreenshotRgb() {
  if (lpDDSPrimary == nullptr || lpDDSPrimary->palette == nullptr) return RgbPicture{};
  return SurfaceToRgb(lpDDSPrimary->pixels.get(), lpDDSPrimary->pitch,
                      lpDDSPrimary->palette->entries);
}

bool SaveRgbPng(const char* path, const RgbPicture& picture, std::string* error) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * 3) {
    Report(error, "no picture to save");
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path, 0, picture.rgb.data(), 0, nullptr)) {
    Report(error, std::string("cannot write ") + path + ": " + image.message);
    return false;
  }
  return true;
}

bool LoadRgbPng(const char* path, RgbPicture& picture, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) {
    Report(error, std::string("cannot read ") + path + ": " + image.message);
    return false;
  }
  if (image.width > kLargestSide || image.height > kLargestSide) {
    Report(error, std::string("cannot read ") + path + ": the picture is larger than 4096 x 4096");
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    Report(error, std::string("cannot decode ") + path + ": " + image.message);
    png_image_free(&image);
    return false;
  }
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb = std::move(rgb);
  return true;
}

bool SaveScreenshotPng(const char* path, std::string* error) {
  const RgbPicture picture = ScreenshotRgb();
  if (picture.rgb.empty()) {
    Report(error, "the video surfaces are not open");
    return false;
  }
  return SaveRgbPng(path, picture, error);
}

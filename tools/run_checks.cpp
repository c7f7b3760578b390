#include "tools/run_checks.h"

#include "cpu/cpu.h"

unsigned char PeekCpuMemory(unsigned short address) {
  if (address < 0x8000) return CPU.Memory[address];
  const unsigned char* window = MemoryPage[(address >> 13) & 3];
  return window != nullptr ? window[address & 0x1FFF] : 0;
}

bool CheckExpectations(const std::vector<MemoryExpectation>& expectations, std::FILE* out) {
  bool matched = true;
  for (const MemoryExpectation& expected : expectations) {
    const unsigned char found = PeekCpuMemory(expected.address);
    if (found == expected.value) continue;
    std::fprintf(out, "$%04X: expected $%02X, found $%02X\n", expected.address, expected.value,
                 found);
    matched = false;
  }
  return matched;
}

PictureDifference ComparePictures(const RgbPicture& golden, const RgbPicture& actual) {
  PictureDifference difference;
  difference.marked = golden;
  std::vector<unsigned char>& marked = difference.marked.rgb;
  for (std::size_t i = 0; i + 2 < marked.size() && i + 2 < actual.rgb.size(); i += 3) {
    const bool same = golden.rgb[i] == actual.rgb[i] && golden.rgb[i + 1] == actual.rgb[i + 1] &&
                      golden.rgb[i + 2] == actual.rgb[i + 2];
    if (same) {
      // A dim grey of the golden pixel, so that the red marks stand out.
      const auto grey =
          static_cast<unsigned char>((golden.rgb[i] + golden.rgb[i + 1] + golden.rgb[i + 2]) / 9);
      marked[i] = marked[i + 1] = marked[i + 2] = grey;
    } else {
      marked[i] = 0xFF;
      marked[i + 1] = marked[i + 2] = 0;
      ++difference.pixels;
    }
  }
  return difference;
}

GoldenVerdict CheckGoldenPicture(const std::string& goldenPath, const std::string& diffPath,
                                 std::FILE* out, std::FILE* errors) {
  RgbPicture golden;
  std::string error;
  if (!LoadRgbPng(goldenPath.c_str(), golden, &error)) {
    std::fprintf(errors, "Couldn't use the golden picture: %s\n", error.c_str());
    return GoldenVerdict::Unusable;
  }
  const RgbPicture actual = ScreenshotRgb();
  if (golden.width != actual.width || golden.height != actual.height) {
    std::fprintf(errors, "Couldn't use the golden picture %s: it is %d x %d, the picture %d x %d\n",
                 goldenPath.c_str(), golden.width, golden.height, actual.width, actual.height);
    return GoldenVerdict::Unusable;
  }
  const PictureDifference difference = ComparePictures(golden, actual);
  if (difference.pixels == 0) return GoldenVerdict::Same;
  std::fprintf(out, "picture differs from %s in %ld pixels\n", goldenPath.c_str(),
               difference.pixels);
  if (!diffPath.empty() && !SaveRgbPng(diffPath.c_str(), difference.marked, &error)) {
    std::fprintf(errors, "Couldn't save the difference %s: %s\n", diffPath.c_str(), error.c_str());
    return GoldenVerdict::Unusable;
  }
  return GoldenVerdict::Different;
}

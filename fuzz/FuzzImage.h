// The image targets' way in: the input is written to a file of this process
// (a picture's kind goes by its extension) and read back through the
// thumbnail code, as the grid reads the pictures of a folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "FuzzText.h"
#include "core/imaging/ImageDecoders.h"
#include "core/imaging/Thumbnails.h"

// One scratch file per process, removed when the process ends.
struct TScratchFile {
  std::string Path;
  ~TScratchFile() { std::remove(Path.c_str()); }
};

inline const std::string& ScratchPictureFile(const char* extension) {
  static const TScratchFile file{[extension] {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/heapfold-fuzz-" +
           std::to_string(::getpid()) + extension;
  }()};
  return file.Path;
}

inline void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
  FUZZ_CHECK(std::fclose(file) == 0);
}

// Draws the picture into a small target. A picture that cannot be read must
// come out as EImageError and leave the target as it was; anything else
// thrown ends the run as a crash. Gives whether it was drawn.
inline bool FuzzThumbnail(const std::uint8_t* data, std::size_t size, const char* extension, bool fast) {
  const std::string& path = ScratchPictureFile(extension);
  WriteScratchFile(path, data, size);
  TBitmap32 target(13, 7);
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x) target.Row(y)[x] = 0x80000000u | static_cast<TColor32>(y * 256 + x);
  const std::vector<TColor32> before(target.Bits(), target.Bits() + target.Width() * target.Height());
  const std::wstring widePath(path.begin(), path.end());
  try {
    FUZZ_CHECK(LoadThumbnail(widePath, target, fast));
    return true;
  } catch (const EImageError& error) {
    FUZZ_CHECK(!error.Message().empty());
    FUZZ_CHECK(std::vector<TColor32>(target.Bits(), target.Bits() + target.Width() * target.Height()) == before);
    return false;
  }
}

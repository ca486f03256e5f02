// The native benchmarks, and the data the Wine benchmarks share with them.
//
//   native_bench DATA   makes DATA's folders once (folders of 10,000 and
//                       100,000 empty files; large photo-like JPEGs and folders
//                       of 200 and 600 of them for the grid; the same JPEGs
//                       carrying a 160 x 120 thumbnail in their Exif segment,
//                       as cameras write them, and a folder of 200 of those),
//                       then prints:
//   - listing and sorting a folder through the viewer's listing code against a
//     bare readdir loop over the same folder, at 10,000 and 100,000 entries;
//   - LoadThumbnail in fast mode per large JPEG against djpeg's reduced-size
//     fast decoding and against vipsthumbnail, as programs started per picture;
//   - the thumbnail of a large JPEG with its embedded thumbnail against the
//     same picture without one.
//   native_bench DATA SECTION...  only those of the figures: listing,
//                       thumbnails, embedded.
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "../tests/common/ExifJpeg.h"
#include "core/base/ExtraStrUtils.h"
#include "core/base/Listing.h"
#include "core/viewer/StackEntries.h"
#include "core/imaging/Thumbnails.h"

extern char** environ;

namespace {

using namespace bench;

constexpr int kRuns = 15;
constexpr int kPictureWidth = 4000, kPictureHeight = 3000;
constexpr int kDistinctPictures = 20;
constexpr int kEmbeddedWidth = 160, kEmbeddedHeight = 120;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }  // ASCII paths only
std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

void MakeDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) throw std::runtime_error("cannot make " + path);
}

// A folder of count empty files, made once: a marker says it is complete.
std::string EmptyFilesFolder(const std::string& data, int count) {
  const std::string folder = data + "/list" + std::to_string(count);
  if (Exists(folder + ".complete")) return folder;
  MakeDir(folder);
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof(name), "/file%06d.txt", (i * 7919) % count);  // not in name order
    std::ofstream(folder + name);
  }
  std::ofstream(folder + ".complete");
  return folder;
}

// A photo-like picture: smooth light and colour with fine texture, so its
// compressed size and decoding cost are those of a camera's JPEG, with an
// Exif segment when exif is given. step: the photo's pixels per pixel
// written (a thumbnail's is larger; its texture, which would average out, is
// left off).
exifjpeg::TByteString Photo(int seed, int width, int height, double step, const exifjpeg::TByteString* exif) {
  jpegwriter::TJpegSettings settings;
  settings.width = width;
  settings.height = height;
  settings.quality = 88;
  if (exif != nullptr) {
    settings.jfif = false;
    settings.markers.push_back({JPEG_APP0 + 1, *exif});
  }
  const bool texture = step == 1;
  std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed) * 977u;
  return jpegwriter::CompressJpeg(settings, [&](int line, unsigned char* row) {
    const double y = (line + 0.5) * step - 0.5;
    for (int column = 0; column < width; ++column) {
      const double x = (column + 0.5) * step - 0.5;
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      const double light = 0.5 + 0.3 * std::sin(x / 410.0 + seed) * std::cos(y / 270.0 - seed);
      const double grain = texture ? static_cast<int>(noise % 25) - 12 : 0;
      const double detail = texture ? 18 * std::sin(x / 7.0 + y / 11.0 + seed) : 0;
      const auto channel = [&](double tint) {
        const double v = 255 * light * tint + grain + detail;
        return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
      };
      unsigned char* px = &row[static_cast<std::size_t>(column) * 3];
      px[0] = channel(1.1), px[1] = channel(0.9 + 0.1 * std::sin(seed)), px[2] = channel(0.75);
    }
  });
}

void WritePhoto(const std::string& path, int seed, int width = kPictureWidth, int height = kPictureHeight,
                const exifjpeg::TByteString* exif = nullptr) {
  const exifjpeg::TByteString bytes = Photo(seed, width, height, 1, exif);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file) std::fclose(file);
  if (!written) throw std::runtime_error("cannot write " + path);
}

// The Exif segment a camera would write for photo seed: orientation 1 and
// the photo as a 160 x 120 thumbnail.
exifjpeg::TByteString PhotoExif(int seed) {
  exifjpeg::TExifLayout layout;
  layout.orientation = 1;
  layout.thumbnail =
      Photo(seed, kEmbeddedWidth, kEmbeddedHeight, static_cast<double>(kPictureWidth) / kEmbeddedWidth, nullptr);
  return exifjpeg::ComposeExifSegment(layout);
}

// The distinct pictures, and grid folders of count of them (hard links to
// the distinct ones, so the disk holds each picture once).
// withExif: the second set, the same pictures each with an embedded thumbnail.
std::vector<std::string> Pictures(const std::string& data, bool withExif = false) {
  const std::string folder = data + (withExif ? "/pictures-exif" : "/pictures");
  MakeDir(folder);
  std::vector<std::string> paths;
  for (int i = 0; i < kDistinctPictures; ++i) {
    const std::string path = folder + "/photo" + std::to_string(i) + ".jpg";
    if (!Exists(path + ".complete")) {
      const exifjpeg::TByteString exif = withExif ? PhotoExif(i) : exifjpeg::TByteString();
      WritePhoto(path, i, kPictureWidth, kPictureHeight, withExif ? &exif : nullptr);
      std::ofstream(path + ".complete");
    }
    paths.push_back(path);
  }
  return paths;
}

// Folder "grid<count><suffix>".
void GridFolder(const std::string& data, const std::vector<std::string>& pictures, int count,
                const std::string& suffix = "") {
  const std::string folder = data + "/grid" + std::to_string(count) + suffix;
  MakeDir(folder);
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof(name), "/photo%03d.jpg", i);
    if (!Exists(folder + name) && ::link(pictures[i % pictures.size()].c_str(), (folder + name).c_str()) != 0)
      throw std::runtime_error("cannot link " + folder + name);
  }
}

// The platform's enumeration for the listing code: readdir, with the folder
// bit from the entry's type. The pattern's folder part ends in a backslash.
class TReaddirSource : public TDirEntrySource {
public:
  void Enumerate(const std::wstring& pattern, const std::function<void(const TDirEntry&)>& onEntry) override {
    const std::string folder = Narrow(pattern.substr(0, pattern.rfind(L'\\')));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* d = ::readdir(dir)) {
      TDirEntry entry;
      entry.Name = Wide(d->d_name);
      entry.Attributes = d->d_type == DT_DIR ? faDirectory : faArchive;
      onEntry(entry);
    }
    ::closedir(dir);
  }
};

std::size_t BareReaddir(const std::string& folder) {
  std::size_t count = 0;
  DIR* dir = ::opendir(folder.c_str());
  while (const dirent* d = ::readdir(dir)) count += d->d_name[0] != 0;
  ::closedir(dir);
  return count;
}

// Natively the listing is sorted by ASCII letters without case: each
// character as four bytes, highest first, so bytes order as characters do.
std::string KeyIgnoringAsciiCase(const std::wstring& name) {
  std::string key;
  key.reserve(name.size() * 4);
  for (const wchar_t c : name) {
    const auto v = static_cast<std::uint32_t>(AsciiLower(c));
    key += {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
  }
  return key;
}

void NativeListingFigures(const std::string& data) {
  Heading("P2 natively: listing and sorting a folder (viewer's listing code vs a bare readdir loop)");
  TReaddirSource source;
  ListingFigures(
      "bare readdir loop", kRuns, [&](int files) { return BareReaddir(EmptyFilesFolder(data, files)); },
      [&](int files) {
        TFolderListing listing = ListFolderEntries(source, Wide(EmptyFilesFolder(data, files)));
        SortListing(listing, &KeyIgnoringAsciiCase);
        return listing.Files.size();
      });
}

// Wall time of one run of a program whose output is thrown away.
double RunProgramMs(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const double start = NowMs();
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
    throw std::runtime_error("cannot start " + argv[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  const double ms = NowMs() - start;
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(argv[0] + " failed with status " + std::to_string(status));
  return ms;
}

// Per picture, the median over runs of a pass over all pictures.
double PerPictureMs(const std::vector<std::string>& pictures, const std::function<double(const std::string&)>& one) {
  std::vector<double> passes;
  for (int run = 0; run < kRuns; ++run) {
    double total = 0;
    for (const std::string& p : pictures) total += one(p);
    passes.push_back(total / pictures.size());
  }
  return Median(passes);
}

void ThumbnailFigures(const std::string& data, const std::vector<std::string>& allPictures) {
  Heading("Thumbnails natively: a 4000 x 3000 JPEG into 32 x 32, per picture");
  const std::vector<std::string> pictures(allPictures.begin(), allPictures.begin() + 8);
  const std::string outDir = data + "/vips-out";
  MakeDir(outDir);

  const double ours = PerPictureMs(pictures, [](const std::string& p) {
    TBitmap32 target(32, 32);
    const double start = NowMs();
    if (!LoadThumbnail(Wide(p), target, true)) throw std::runtime_error("no thumbnail of " + p);
    return NowMs() - start;
  });
  const auto djpeg = [](const std::string& p) {
    return RunProgramMs({"djpeg", "-scale", "1/8", "-dct", "fast", "-nosmooth", "-outfile", "/dev/null", p});
  };
  const auto vips = [&](const std::string& p) {
    return RunProgramMs({"vipsthumbnail", "-s", "32x32!", p, "-o", outDir + "/%s.png"});
  };
  // What starting the program costs, measured on a picture of 16 x 16: taken
  // off the program's times, so they compare decoding with decoding.
  const std::string tiny = data + "/tiny.jpg";
  WritePhoto(tiny, 0, 16, 16);
  const double djpegStart = PerPictureMs({tiny}, djpeg);
  const double vipsStart = PerPictureMs({tiny}, vips);
  const double djpegMs = PerPictureMs(pictures, djpeg);
  const double vipsMs = PerPictureMs(pictures, vips);

  Figure("LoadThumbnail, fast mode", ours, "ms");
  Figure("djpeg -scale 1/8 -dct fast -nosmooth (program start included)", djpegMs, "ms");
  Figure("djpeg's start on a 16 x 16 picture", djpegStart, "ms");
  Figure("vipsthumbnail -s 32x32! (program start included)", vipsMs, "ms");
  Figure("vipsthumbnail's start on a 16 x 16 picture", vipsStart, "ms");
  Ratio("LoadThumbnail / djpeg, its start taken off", ours / (djpegMs - djpegStart), 1.15);
  Ratio("LoadThumbnail / vipsthumbnail, its start taken off", ours / (vipsMs - vipsStart), 1.0);
}

// One picture's thumbnail through DecodeThumbnailSource, with and without
// the thumbnail in its Exif segment (the same picture otherwise). The sizes
// decoded show which was drawn.
void EmbeddedThumbnailFigures(const std::string& plain, const std::string& withExif) {
  Heading("Thumbnails natively: a 4000 x 3000 JPEG into 32 x 32 (DecodeThumbnailSource, fast), per picture");
  const auto decoder = [](int expectedWidth) {
    return [expectedWidth](const std::string& p) {
      const double start = NowMs();
      const std::optional<TBitmap32> picture = DecodeThumbnailSource(Wide(p), true, 32);
      const double ms = NowMs() - start;
      if (!picture || picture->Width() != expectedWidth)
        throw std::runtime_error("an unexpected picture was decoded of " + p);
      return ms;
    };
  };
  const double whole = PerPictureMs({plain}, decoder(kPictureWidth / 8));
  const double embedded = PerPictureMs({withExif}, decoder(kEmbeddedWidth / 2));
  Figure("whole picture, reduced to 1/8", whole, "ms");
  Figure("embedded 160 x 120 thumbnail", embedded, "ms");
  Figure("whole picture / embedded thumbnail (times as fast)", whole / embedded, "x");
  Ratio("embedded thumbnail / whole picture", embedded / whole, 0.1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: native_bench DATA-FOLDER [--data-only | listing | thumbnails | embedded ...]\n");
    return 2;
  }
  try {
    MakeDir(argv[1]);
    // Absolute: vipsthumbnail takes a relative output path from its input's folder.
    char* absolute = ::realpath(argv[1], nullptr);
    const std::string data = absolute;
    std::free(absolute);
    Heading("Making the benchmark's folders and pictures (once)");
    EmptyFilesFolder(data, 10000);
    EmptyFilesFolder(data, 100000);
    const std::vector<std::string> pictures = Pictures(data);
    GridFolder(data, pictures, 200);
    GridFolder(data, pictures, 600);
    const std::vector<std::string> exifPictures = Pictures(data, true);
    GridFolder(data, exifPictures, 200, "exif");
    if (argc > 2 && std::strcmp(argv[2], "--data-only") == 0) return 0;
    const auto wanted = [&](const char* section) {
      if (argc == 2) return true;
      for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], section) == 0) return true;
      return false;
    };
    if (wanted("listing")) NativeListingFigures(data);
    if (wanted("thumbnails")) ThumbnailFigures(data, pictures);
    if (wanted("embedded")) EmbeddedThumbnailFigures(pictures[0], exifPictures[0]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "native_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}

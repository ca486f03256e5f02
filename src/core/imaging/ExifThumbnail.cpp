#include "core/imaging/ExifThumbnail.h"

#include <cstdint>
#include <cstring>

#include "core/imaging/ImageDecoders.h"

namespace {

constexpr int kMarkerSoi = 0xD8, kMarkerEoi = 0xD9, kMarkerSos = 0xDA, kMarkerApp1 = 0xE1;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201, kTagThumbnailLength = 0x0202;
constexpr std::uint16_t kTypeShort = 3, kTypeLong = 4;
constexpr std::size_t kIfdEntrySize = 12;

std::uint32_t BigEndian16(const unsigned char* p) { return (std::uint32_t{p[0]} << 8) | p[1]; }

// SOF0..SOF15 but DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool IsFrameMarker(int code) { return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC; }

// Markers that stand alone, without a length: TEM and the restart markers.
bool IsStandaloneMarker(int code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

// The TIFF structure inside an Exif segment: its bytes and their order.
class TTiffReader {
public:
  TTiffReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  // Reads the byte order and gives IFD0's offset; false when the header is
  // not a TIFF header.
  bool ReadHeader(std::uint32_t& ifd0) {
    if (size_ < 8) return false;
    if (bytes_[0] == 'I' && bytes_[1] == 'I')
      bigEndian_ = false;
    else if (bytes_[0] == 'M' && bytes_[1] == 'M')
      bigEndian_ = true;
    else
      return false;
    if (U16(2) != 42) return false;
    ifd0 = U32(4);
    return true;
  }

  // An IFD's entry count when its entries and its next-IFD link lie inside
  // the bytes; -1 otherwise.
  long EntryCount(std::uint32_t ifd) const {
    if (ifd < 8 || std::size_t{ifd} > size_ || size_ - ifd < 2) return -1;
    const std::size_t count = U16(ifd);
    if ((size_ - ifd - 2) / kIfdEntrySize < count || size_ - ifd - 2 - count * kIfdEntrySize < 4) return -1;
    return static_cast<long>(count);
  }
  std::size_t EntryAt(std::uint32_t ifd, long index) const {
    return std::size_t{ifd} + 2 + static_cast<std::size_t>(index) * kIfdEntrySize;
  }
  std::uint32_t NextIfd(std::uint32_t ifd, long count) const { return U32(EntryAt(ifd, count)); }
  std::uint16_t Tag(std::size_t entry) const { return U16(entry); }

  // An entry's value when it is one SHORT or LONG (held in the entry itself).
  bool SingleNumber(std::size_t entry, std::uint32_t& value) const {
    if (U32(entry + 4) != 1) return false;
    const std::uint16_t type = U16(entry + 2);
    if (type == kTypeShort) {
      value = U16(entry + 8);
      return true;
    }
    if (type == kTypeLong) {
      value = U32(entry + 8);
      return true;
    }
    return false;
  }

private:
  // Callers keep at + 2 (or + 4) inside the bytes: entries were checked whole.
  std::uint16_t U16(std::size_t at) const {
    const unsigned char* p = bytes_ + at;
    return static_cast<std::uint16_t>(bigEndian_ ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
  }
  std::uint32_t U32(std::size_t at) const {
    const std::uint32_t high = U16(bigEndian_ ? at : at + 2), low = U16(bigEndian_ ? at + 2 : at);
    return (high << 16) | low;
  }

  const unsigned char* bytes_;
  std::size_t size_;
  bool bigEndian_ = false;
};

void ReadJpegMarkers(const unsigned char* bytes, std::size_t size, bool readExif, TJpegHead& head);

// The Exif segment's TIFF structure: IFD0's orientation, then, through IFD0's
// one link, IFD1's thumbnail. tiffStart: where the structure starts in the
// whole bytes (the file's head), which hold it to its end.
void ReadExif(const unsigned char* file, std::size_t tiffStart, std::size_t tiffSize, TJpegHead& head) {
  TTiffReader tiff(file + tiffStart, tiffSize);
  std::uint32_t ifd0 = 0;
  if (!tiff.ReadHeader(ifd0)) return;
  const long count0 = tiff.EntryCount(ifd0);
  if (count0 < 0) return;
  for (long i = 0; i < count0; ++i) {
    const std::size_t entry = tiff.EntryAt(ifd0, i);
    std::uint32_t value = 0;
    if (tiff.Tag(entry) == kTagOrientation && tiff.SingleNumber(entry, value) && value >= 1 && value <= 8)
      head.orientation = static_cast<int>(value);
  }
  const std::uint32_t ifd1 = tiff.NextIfd(ifd0, count0);
  if (ifd1 == 0 || ifd1 == ifd0) return;
  const long count1 = tiff.EntryCount(ifd1);
  std::uint32_t offset = 0, length = 0;
  for (long i = 0; i < count1; ++i) {
    const std::size_t entry = tiff.EntryAt(ifd1, i);
    std::uint32_t value = 0;
    if (!tiff.SingleNumber(entry, value)) continue;
    if (tiff.Tag(entry) == kTagThumbnailOffset) offset = value;
    if (tiff.Tag(entry) == kTagThumbnailLength) length = value;
  }
  if (offset < 8 || length == 0 || offset > tiffSize || tiffSize - offset < length) return;
  TJpegHead thumbnail;
  ReadJpegMarkers(file + tiffStart + offset, length, false, thumbnail);
  if (thumbnail.frame.marker == 0) return;
  head.thumbnailOffset = tiffStart + offset;
  head.thumbnailLength = length;
  head.thumbnailFrame = thumbnail.frame;
}

// Walks the markers from SOI to the first frame header. The first Exif
// segment is read when readExif (not inside the thumbnail itself).
void ReadJpegMarkers(const unsigned char* bytes, std::size_t size, bool readExif, TJpegHead& head) {
  if (size < 2) {
    head.needed = 2;
    return;
  }
  if (bytes[0] != 0xFF || bytes[1] != kMarkerSoi) return;
  bool exifRead = !readExif;
  std::size_t at = 2;
  for (;;) {
    // A marker: 0xFF, any number of 0xFF fill bytes, the code.
    if (at >= size) {
      head.needed = at + 4;
      return;
    }
    if (bytes[at] != 0xFF) return;
    while (at < size && bytes[at] == 0xFF) ++at;
    if (at >= size) {
      head.needed = at + 3;
      return;
    }
    const int code = bytes[at++];
    if (IsStandaloneMarker(code)) continue;
    if (code == 0x00 || code == kMarkerSoi || code == kMarkerEoi || code == kMarkerSos) return;
    if (size - at < 2) {
      head.needed = at + 2;
      return;
    }
    const std::size_t length = BigEndian16(bytes + at);  // counts itself, not the marker
    if (length < 2) return;
    if (IsFrameMarker(code)) {
      if (length < 8) return;
      if (size - at < 8) {
        head.needed = at + 8;
        return;
      }
      const unsigned char* frame = bytes + at + 2;
      head.frame.marker = code;
      head.frame.precision = frame[0];
      head.frame.height = static_cast<int>(BigEndian16(frame + 1));
      head.frame.width = static_cast<int>(BigEndian16(frame + 3));
      head.frame.components = frame[5];
      return;
    }
    static const unsigned char kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    if (code == kMarkerApp1 && !exifRead && length >= 2 + sizeof kExif) {
      // Other APP1 segments (XMP) are skipped unread; an Exif one is read whole.
      if (size - at < 2 + sizeof kExif) {
        head.needed = at + 2 + sizeof kExif;
        return;
      }
      if (std::memcmp(bytes + at + 2, kExif, sizeof kExif) == 0) {
        if (size - at < length) {
          head.needed = at + length;
          return;
        }
        exifRead = true;
        ReadExif(bytes, at + 2 + sizeof kExif, length - 2 - sizeof kExif, head);
      }
    }
    at += length;
  }
}

// Pictures whose frame the JPEG decoder reads in full.
bool IsPlainFrame(const TJpegFrame& frame) {
  const bool coding = frame.marker == 0xC0 || frame.marker == 0xC1 || frame.marker == 0xC2;
  const bool components = frame.components == 1 || frame.components == 3 || frame.components == 4;
  const std::int64_t pixels = std::int64_t{frame.width} * frame.height;
  return coding && components && frame.precision == 8 && frame.width >= 1 && frame.height >= 1 &&
         frame.width <= kMaxImageSide && frame.height <= kMaxImageSide && pixels <= kMaxImagePixels;
}

}  // namespace

TJpegHead ReadJpegHead(const unsigned char* bytes, std::size_t size) {
  TJpegHead head;
  if (bytes == nullptr) size = 0;
  ReadJpegMarkers(bytes, size, true, head);
  if (head.frame.marker != 0) head.needed = 0;
  return head;
}

bool UseEmbeddedThumbnail(const TJpegHead& head, int thumbnailSize) {
  const TJpegFrame& main = head.frame;
  const TJpegFrame& thumbnail = head.thumbnailFrame;
  if (head.thumbnailLength == 0 || !IsPlainFrame(main) || !IsPlainFrame(thumbnail)) return false;
  if (thumbnail.width < thumbnailSize || thumbnail.height < thumbnailSize) return false;
  if (thumbnail.width > main.width || thumbnail.height > main.height) return false;
  // |th / tw - h / w| within a pixel of either side: |th * w - tw * h| <= max(w, h).
  const std::int64_t w = main.width, h = main.height;
  const std::int64_t difference = std::int64_t{thumbnail.height} * w - std::int64_t{thumbnail.width} * h;
  return (difference < 0 ? -difference : difference) <= (w > h ? w : h);
}

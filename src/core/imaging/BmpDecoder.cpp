// Windows bitmaps, read by our own code in every variant Windows itself reads
// (see ImageDecoders.h for the list and the choices made).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "core/imaging/ImageDecoderUtils.h"

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kMaxHeaderSize = 124;

std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t S32(const unsigned char* p) { return static_cast<std::int32_t>(U32(p)); }

// Buffered reading from the file with a clean error at its end.
class TBmpReader {
public:
  TBmpReader(std::FILE* file, const std::wstring& name) : file_(file), name_(name), buffer_(64 * 1024) {}

  void Seek(std::uint32_t offset) {
    if (offset > static_cast<std::uint32_t>(std::numeric_limits<long>::max()) ||
        std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
      throw EImageError(name_, kReasonTruncated);
    begin_ = end_ = 0;
  }

  std::uint8_t Byte() {
    if (begin_ == end_) Fill();
    return buffer_[begin_++];
  }

  void Read(unsigned char* out, std::size_t count) {
    while (count > 0) {
      if (begin_ == end_) Fill();
      const std::size_t step = count < end_ - begin_ ? count : end_ - begin_;
      std::memcpy(out, buffer_.data() + begin_, step);
      begin_ += step;
      out += step;
      count -= step;
    }
  }

  // Up to count bytes; how many there were.
  std::size_t ReadSome(unsigned char* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
      if (begin_ == end_ && !TryFill()) break;
      const std::size_t step = count - done < end_ - begin_ ? count - done : end_ - begin_;
      std::memcpy(out + done, buffer_.data() + begin_, step);
      begin_ += step;
      done += step;
    }
    return done;
  }

private:
  bool TryFill() {
    begin_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    return end_ > 0;
  }
  void Fill() {
    if (!TryFill()) throw EImageError(name_, kReasonTruncated);
  }

  std::FILE* file_;
  const std::wstring& name_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0, end_ = 0;
};

// One channel of a bit-field pixel: its bits, moved down and scaled to 0..255.
struct TChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit TChannelMask(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    max = mask >> shift;
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (max == 0) return 0;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255u + max / 2) / max);
  }
};

struct TBmpHeader {
  std::uint32_t dataOffset = 0;
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive; topDown says the row order
  bool topDown = false;
  unsigned bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
  std::uint32_t masks[4] = {};  // red, green, blue, alpha
  bool hasAlphaMask = false;
  std::size_t paletteEntrySize = 4;
  std::size_t paletteOffset = 0;  // where the palette (or nothing) starts
};

TBmpHeader ReadBmpHeader(TBmpReader& reader, const std::wstring& name) {
  unsigned char head[kFileHeaderSize + kMaxHeaderSize + 16] = {};
  const std::size_t got = reader.ReadSome(head, sizeof head);
  if (got < kFileHeaderSize + 4) throw EImageError(name, kReasonTruncated);
  TBmpHeader h;
  h.dataOffset = U32(head + 10);
  h.headerSize = U32(head + 14);
  const unsigned char* info = head + kFileHeaderSize;
  switch (h.headerSize) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 108:
    case 124: break;
    default: throw EImageError(name, L"its header kind is not supported");
  }
  // The headers and the bit-field masks that may follow a 40-byte one.
  if (got < kFileHeaderSize + h.headerSize) throw EImageError(name, kReasonTruncated);

  if (h.headerSize == kCoreHeaderSize) {
    h.width = U16(info + 4);
    h.height = U16(info + 6);
    h.bitCount = U16(info + 10);
    h.paletteEntrySize = 3;
    h.paletteOffset = kFileHeaderSize + kCoreHeaderSize;
    if (h.bitCount != 1 && h.bitCount != 2 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24)
      throw EImageError(name, L"its pixel format is not supported");
  } else {
    h.width = S32(info + 4);
    const std::int64_t height = S32(info + 8);
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    h.bitCount = U16(info + 14);
    h.compression = U32(info + 16);
    h.colorsUsed = U32(info + 32);
    std::size_t maskBytes = 0;
    if (h.headerSize >= 52) {
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(info + 40 + 4 * i);
    } else if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
      maskBytes = h.compression == kBiBitfields ? 12 : 16;
      if (got < kFileHeaderSize + 40 + maskBytes) throw EImageError(name, kReasonTruncated);
      for (std::size_t i = 0; i < maskBytes / 4; ++i) h.masks[i] = U32(info + 40 + 4 * i);
    }
    if (h.headerSize >= 56) h.masks[3] = U32(info + 52);
    h.hasAlphaMask = (h.headerSize >= 56 || h.compression == kBiAlphaBitfields) && h.masks[3] != 0;
    h.paletteOffset = kFileHeaderSize + h.headerSize + maskBytes;

    const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    bool valid = false;
    switch (h.compression) {
      case kBiRgb:
        valid = h.bitCount == 1 || h.bitCount == 2 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                h.bitCount == 24 || h.bitCount == 32;
        break;
      case kBiRle8: valid = h.bitCount == 8; break;
      case kBiRle4: valid = h.bitCount == 4; break;
      default: valid = bitfields && (h.bitCount == 16 || h.bitCount == 32); break;
    }
    if (!valid) throw EImageError(name, L"its pixel format or compression is not supported");
    // Windows refuses compressed pictures stored top-down.
    if (h.topDown && (h.compression == kBiRle8 || h.compression == kBiRle4))
      throw EImageError(name, L"its compressed data is stored top-down");
  }
  CheckImageSize(h.width, h.height, name);
  return h;
}

// The palette: colorsUsed entries (all 2^bits when 0 or more than that), and
// fewer when the pixel data starts before a full table would end.
std::vector<TColor32> ReadPalette(TBmpReader& reader, const TBmpHeader& h) {
  std::vector<TColor32> palette(256, kColor32Black);
  if (h.bitCount > 8) return palette;
  std::size_t entries = std::size_t{1} << h.bitCount;
  if (h.colorsUsed != 0 && h.colorsUsed < entries) entries = h.colorsUsed;
  if (h.dataOffset >= h.paletteOffset) {
    const std::size_t room = (h.dataOffset - h.paletteOffset) / h.paletteEntrySize;
    if (room < entries) entries = room;
  }
  reader.Seek(static_cast<std::uint32_t>(h.paletteOffset));
  std::vector<unsigned char> bytes(entries * h.paletteEntrySize);
  reader.Read(bytes.data(), bytes.size());
  for (std::size_t i = 0; i < entries; ++i) {
    const unsigned char* e = bytes.data() + i * h.paletteEntrySize;
    palette[i] = Color32(255, e[2], e[1], e[0]);
  }
  return palette;
}

// Where the pixel data starts: the file header's offset, unless it points
// into the headers or palette (some writers leave it 0); then right after them.
// Pictures of more than 8 bits may carry an optional table of colorsUsed
// entries there too.
std::uint32_t DataStart(const TBmpHeader& h, const std::wstring& name) {
  if (h.dataOffset >= h.paletteOffset) return h.dataOffset;
  std::uint64_t entries = h.colorsUsed;
  if (h.bitCount <= 8 && (entries == 0 || entries > (std::uint64_t{1} << h.bitCount)))
    entries = std::uint64_t{1} << h.bitCount;
  const std::uint64_t start = h.paletteOffset + entries * h.paletteEntrySize;
  if (start > std::numeric_limits<std::uint32_t>::max()) throw EImageError(name, DamagedReason(L"bitmap", nullptr));
  return static_cast<std::uint32_t>(start);
}

void DecodeRows(TBmpReader& reader, const TBmpHeader& h, const std::vector<TColor32>& palette, TBitmap32& bitmap) {
  const int width = bitmap.Width(), height = bitmap.Height();
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * h.bitCount + 7) / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * h.bitCount + 31) / 32 * 4;
  const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
  TChannelMask red, green, blue, alpha;
  if (bitfields) {
    red = TChannelMask(h.masks[0]);
    green = TChannelMask(h.masks[1]);
    blue = TChannelMask(h.masks[2]);
    if (h.hasAlphaMask) alpha = TChannelMask(h.masks[3]);
  } else if (h.bitCount == 16) {
    red = TChannelMask(0x7C00);
    green = TChannelMask(0x03E0);
    blue = TChannelMask(0x001F);
  }
  const bool useAlpha = bitfields && h.hasAlphaMask;
  bool anyAlpha = false;

  std::vector<unsigned char> row(stride);
  for (int i = 0; i < height; ++i) {
    // The last row's padding may be missing; its pixels may not.
    reader.Read(row.data(), rowBytes);
    if (i + 1 < height) reader.Read(row.data() + rowBytes, stride - rowBytes);
    TColor32* out = bitmap.Row(h.topDown ? i : height - 1 - i);
    const unsigned char* p = row.data();
    switch (h.bitCount) {
      case 1:
      case 2:
      case 4:
      case 8: {
        const unsigned bits = h.bitCount, mask = (1u << bits) - 1;
        for (int x = 0; x < width; ++x) {
          const std::size_t bit = static_cast<std::size_t>(x) * bits;
          const unsigned index = (p[bit / 8] >> (8 - bits - bit % 8)) & mask;
          out[x] = palette[index];
        }
        break;
      }
      case 24:
        for (int x = 0; x < width; ++x, p += 3) out[x] = Color32(255, p[2], p[1], p[0]);
        break;
      case 32:
        if (!bitfields) {
          // As Windows does: the fourth byte of a plain 32-bit pixel is unused.
          for (int x = 0; x < width; ++x, p += 4) out[x] = Color32(255, p[2], p[1], p[0]);
          break;
        }
        [[fallthrough]];
      default:  // 16 bits, and 32 bits with bit fields
        for (int x = 0; x < width; ++x) {
          std::uint32_t v;
          if (h.bitCount == 16) {
            v = U16(p);
            p += 2;
          } else {
            v = U32(p);
            p += 4;
          }
          const std::uint8_t a = useAlpha ? alpha.Of(v) : 255;
          anyAlpha = anyAlpha || a != 0;
          out[x] = Color32(a, red.Of(v), green.Of(v), blue.Of(v));
        }
        break;
    }
  }
  if (useAlpha && !anyAlpha)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) bitmap.Row(y)[x] |= 0xFF000000u;
}

// RLE8 and RLE4: runs and literal groups of palette indexes, with escapes for
// end of line, end of picture and a jump ahead. Rows run bottom-up; pixels
// past a row's end are dropped, and pixels never written stay transparent.
void DecodeRle(TBmpReader& reader, const TBmpHeader& h, const std::vector<TColor32>& palette, TBitmap32& bitmap) {
  const bool four = h.compression == kBiRle4;
  const std::int64_t width = bitmap.Width(), height = bitmap.Height();
  std::int64_t x = 0, y = 0;
  auto put = [&](unsigned index) {
    if (x < width) bitmap.Row(static_cast<int>(height - 1 - y))[x] = palette[index];
    ++x;
  };
  while (y < height) {
    const unsigned count = reader.Byte();
    const unsigned value = reader.Byte();
    if (count > 0) {
      // A run may reach past the row's end; those pixels are dropped.
      const std::int64_t shown = x < width ? std::min<std::int64_t>(count, width - x) : 0;
      for (std::int64_t i = 0; i < shown; ++i) put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      x += count - shown;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return;
      case 2: {  // move right and up
        const unsigned dx = reader.Byte();
        const unsigned dy = reader.Byte();
        x += dx;
        y += dy;
        break;
      }
      default: {  // value indexes stored literally, padded to a 16-bit boundary
        const unsigned bytes = four ? (value + 1) / 2 : value;
        unsigned char literal[256];
        reader.Read(literal, bytes + bytes % 2);
        for (unsigned i = 0; i < value; ++i)
          put(four ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 15) : literal[i]);
        break;
      }
    }
  }
}

}  // namespace

TBitmap32 DecodeBmp(std::FILE* file, const std::wstring& name) {
  static const unsigned char kSignature[] = {'B', 'M'};
  ExpectSignature(file, kSignature, sizeof kSignature, name, L"Windows bitmap");

  TBmpReader reader(file, name);
  const TBmpHeader header = ReadBmpHeader(reader, name);
  const std::vector<TColor32> palette = ReadPalette(reader, header);
  TBitmap32 bitmap(static_cast<int>(header.width), static_cast<int>(header.height));
  reader.Seek(DataStart(header, name));
  if (header.compression == kBiRle8 || header.compression == kBiRle4)
    DecodeRle(reader, header, palette, bitmap);
  else
    DecodeRows(reader, header, palette, bitmap);
  return bitmap;
}

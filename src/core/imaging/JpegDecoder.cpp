// JPEG through libjpeg-turbo.
//
// libjpeg reports a fatal error by calling error_exit, which must not return.
// Ours jumps back with longjmp to the setjmp in one of the Jpeg* step
// functions below. Those functions, and everything libjpeg calls beneath
// them (our source manager and callbacks included), hold no C++ objects with
// destructors, so the jump skips no cleanup; the objects that own memory live
// in DecodeJpeg, DecodeJpegBytes and DecodeFromSource, which the jump never
// crosses.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "core/imaging/ImageDecoderUtils.h"

namespace {

// Real progressive files have about ten scans; each scan costs a pass over the
// whole picture, so a file with thousands of tiny ones would take minutes.
constexpr int kMaxJpegScans = 1000;
// Working memory libjpeg may take (progressive files keep every coefficient).
constexpr long kMaxJpegMemory = 512L * 1024 * 1024;
constexpr std::size_t kReadChunk = 64 * 1024;

struct TJpegContext {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  jpeg_progress_mgr progress;
  jpeg_source_mgr source;
  std::jmp_buf jump;
  std::FILE* file;  // null: the whole picture is in memory, already in the source
  JOCTET* buffer;
  bool truncated;
  bool tooManyScans;
  char message[JMSG_LENGTH_MAX];
};

TJpegContext& ContextOf(j_common_ptr info) { return *static_cast<TJpegContext*>(info->client_data); }
TJpegContext& ContextOf(j_decompress_ptr info) { return *static_cast<TJpegContext*>(info->client_data); }

[[noreturn]] void FailJpeg(j_common_ptr info) {
  TJpegContext& context = ContextOf(info);
  info->err->format_message(info, context.message);
  std::longjmp(context.jump, 1);
}

void EmitJpegMessage(j_common_ptr info, int level) {
  // Warnings report corrupt data that libjpeg decodes past; they are not
  // errors (running out of data is, but our source fails on that itself).
  // Trace messages (level >= 0) are dropped.
  if (level < 0) info->err->num_warnings++;
}

void WatchJpegScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (info->is_decompressor && decompress->progressive_mode && decompress->input_scan_number > kMaxJpegScans) {
    ContextOf(info).tooManyScans = true;
    std::longjmp(ContextOf(info).jump, 1);
  }
}

// Source manager over the file or the bytes in memory, with a clean failure at
// their end (libjpeg's own would pad the picture with grey and only warn).
void InitJpegSource(j_decompress_ptr) {}

boolean FillJpegBuffer(j_decompress_ptr info) {
  TJpegContext& context = ContextOf(info);
  const std::size_t got = context.file ? std::fread(context.buffer, 1, kReadChunk, context.file) : 0;
  if (got == 0) {
    context.truncated = true;
    std::longjmp(context.jump, 1);
  }
  context.source.next_input_byte = context.buffer;
  context.source.bytes_in_buffer = got;
  return TRUE;
}

void SkipJpegData(j_decompress_ptr info, long count) {
  TJpegContext& context = ContextOf(info);
  while (count > 0) {
    if (context.source.bytes_in_buffer == 0) FillJpegBuffer(info);
    const std::size_t step = static_cast<std::size_t>(count) < context.source.bytes_in_buffer
                                 ? static_cast<std::size_t>(count)
                                 : context.source.bytes_in_buffer;
    context.source.next_input_byte += step;
    context.source.bytes_in_buffer -= step;
    count -= static_cast<long>(step);
  }
}

void TermJpegSource(j_decompress_ptr) {}

// Step 1: create the decompressor and read the headers up to the first scan.
bool JpegReadHeader(TJpegContext& context) {
  if (setjmp(context.jump)) return false;
  jpeg_create_decompress(&context.info);
  context.info.mem->max_memory_to_use = kMaxJpegMemory;
  context.info.progress = &context.progress;
  context.info.src = &context.source;
  jpeg_read_header(&context.info, TRUE);
  return true;
}

// Step 2: the output size for the chosen scale.
bool JpegCalcOutput(TJpegContext& context) {
  if (setjmp(context.jump)) return false;
  jpeg_calc_output_dimensions(&context.info);
  return true;
}

// Step 3: decode every row into bits, rows stride bytes apart, and read on to
// the end marker, so that a file cut anywhere before it is refused.
bool JpegReadRows(TJpegContext& context, unsigned char* bits, std::size_t stride) {
  if (setjmp(context.jump)) return false;
  jpeg_start_decompress(&context.info);
  while (context.info.output_scanline < context.info.output_height) {
    JSAMPROW row = bits + static_cast<std::size_t>(context.info.output_scanline) * stride;
    if (jpeg_read_scanlines(&context.info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&context.info);
  return true;
}

struct TJpegDestroyer {
  TJpegContext& context;
  ~TJpegDestroyer() { jpeg_destroy_decompress(&context.info); }
};

std::uint8_t MulDiv255(unsigned a, unsigned b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// CMYK bytes in place to opaque TColor32. Adobe's files store the inverted
// values (255 is no ink); plain CMYK stores the ink.
void CmykToColor32(TBitmap32& bitmap, bool inverted) {
  auto* bytes = reinterpret_cast<unsigned char*>(bitmap.Bits());
  const std::size_t count = static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bitmap.Height());
  for (std::size_t i = 0; i < count; ++i) {
    unsigned c = bytes[4 * i], m = bytes[4 * i + 1], y = bytes[4 * i + 2], k = bytes[4 * i + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bitmap.Bits()[i] = Color32(255, MulDiv255(c, k), MulDiv255(m, k), MulDiv255(y, k));
  }
}

// Sets up the context's error handling and source manager, all but the bytes.
void InitJpegContext(TJpegContext& context) {
  std::memset(&context, 0, sizeof context);
  context.info.err = jpeg_std_error(&context.error);
  context.error.error_exit = FailJpeg;
  context.error.emit_message = EmitJpegMessage;
  context.info.client_data = &context;
  context.progress.progress_monitor = WatchJpegScans;
  context.source.init_source = InitJpegSource;
  context.source.fill_input_buffer = FillJpegBuffer;
  context.source.skip_input_data = SkipJpegData;
  context.source.resync_to_restart = jpeg_resync_to_restart;
  context.source.term_source = TermJpegSource;
}

// Decodes from the context's source, set up by InitJpegContext.
TBitmap32 DecodeFromSource(TJpegContext& context, const std::wstring& name, const TJpegDecodeOptions& options) {
  TJpegDestroyer destroyer{context};

  auto fail = [&]() -> EImageError {
    if (context.truncated) return EImageError(name, kReasonTruncated);
    if (context.tooManyScans) return EImageError(name, L"it has too many progressive scans");
    return EImageError(name, DamagedReason(L"JPEG", context.message));
  };

  if (!JpegReadHeader(context)) throw fail();
  jpeg_decompress_struct& info = context.info;
  CheckImageSize(info.image_width, info.image_height, name);

  bool cmyk = false;
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB: info.out_color_space = kLittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB; break;
    case JCS_CMYK:
    case JCS_YCCK:
      info.out_color_space = JCS_CMYK;
      cmyk = true;
      break;
    default: throw EImageError(name, L"its colour format is not supported");
  }
  if (options.scaleDenominator != nullptr) {
    const int denominator = options.scaleDenominator(static_cast<int>(info.image_width));
    info.scale_num = 1;
    info.scale_denom = denominator == 2 || denominator == 4 || denominator == 8 ? denominator : 1;
  }
  if (options.fast) {
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
  }
  if (!JpegCalcOutput(context)) throw fail();
  if (info.out_color_components != 4) throw EImageError(name, L"its colour format is not supported");

  TBitmap32 bitmap(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  if (!JpegReadRows(context, reinterpret_cast<unsigned char*>(bitmap.Bits()),
                    static_cast<std::size_t>(bitmap.Width()) * sizeof(TColor32)))
    throw fail();
  if (cmyk) CmykToColor32(bitmap, info.saw_Adobe_marker != 0);
  return bitmap;
}

const unsigned char kJpegSignature[] = {0xFF, 0xD8, 0xFF};

}  // namespace

TBitmap32 DecodeJpeg(std::FILE* file, const std::wstring& name, const TJpegDecodeOptions& options) {
  ExpectSignature(file, kJpegSignature, sizeof kJpegSignature, name, L"JPEG");
  std::vector<JOCTET> buffer(kReadChunk);
  TJpegContext context;
  InitJpegContext(context);
  context.file = file;
  context.buffer = buffer.data();
  return DecodeFromSource(context, name, options);
}

TBitmap32 DecodeJpegBytes(const void* bytes, std::size_t size, const std::wstring& name,
                          const TJpegDecodeOptions& options) {
  if (bytes == nullptr || size < sizeof kJpegSignature ||
      std::memcmp(bytes, kJpegSignature, sizeof kJpegSignature) != 0)
    throw EImageError(name, L"it is not a JPEG file");
  TJpegContext context;
  InitJpegContext(context);
  context.source.next_input_byte = static_cast<const JOCTET*>(bytes);
  context.source.bytes_in_buffer = size;
  return DecodeFromSource(context, name, options);
}

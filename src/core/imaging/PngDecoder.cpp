// PNG through libpng.
//
// libpng reports a fatal error through our error callback, which jumps back
// with png_longjmp to the setjmp in one of the Png* step functions below. As
// with JPEG, those functions and the callbacks libpng calls beneath them hold
// no C++ objects with destructors; DecodePng, which owns the memory, is never
// crossed by the jump.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "core/imaging/ImageDecoderUtils.h"

namespace {

struct TPngContext {
  png_structp png;
  png_infop info;
  std::FILE* file;  // read from here, or from the bytes below when null
  const unsigned char* bytes;
  std::size_t size;
  std::size_t position;
  bool truncated;
  char message[128];
};

void FailPng(png_structp png, png_const_charp message) {
  auto* context = static_cast<TPngContext*>(png_get_error_ptr(png));
  std::strncpy(context->message, message != nullptr ? message : "", sizeof context->message - 1);
  png_longjmp(png, 1);
}

// Warnings are about ancillary chunks libpng skips; the picture is still whole.
void IgnorePngWarning(png_structp, png_const_charp) {}

void ReadPngData(png_structp png, png_bytep data, png_size_t length) {
  auto* context = static_cast<TPngContext*>(png_get_io_ptr(png));
  if (context->file == nullptr) {
    if (context->size - context->position < length) {
      context->truncated = true;
      png_error(png, "end of data");
    }
    std::memcpy(data, context->bytes + context->position, length);
    context->position += length;
    return;
  }
  if (std::fread(data, 1, length, context->file) != length) {
    context->truncated = true;
    png_error(png, "end of file");
  }
}

// Step 1: the chunks before the picture's data.
bool PngReadInfo(TPngContext& context) {
  if (setjmp(png_jmpbuf(context.png))) return false;
  png_set_read_fn(context.png, &context, ReadPngData);
  png_read_info(context.png, context.info);
  return true;
}

// Step 2: transformations to 8-bit B, G, R, A bytes (A, R, G, B on big-endian
// machines), the memory layout of TColor32.
bool PngSetTransforms(TPngContext& context) {
  if (setjmp(png_jmpbuf(context.png))) return false;
  png_structp png = context.png;
  const int colorType = png_get_color_type(png, context.info);
  const int bitDepth = png_get_bit_depth(png, context.info);
  const bool hasTrns = png_get_valid(png, context.info, PNG_INFO_tRNS) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTrns) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTrns)
    png_set_filler(png, 0xFF, kLittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
  if (kLittleEndian)
    png_set_bgr(png);
  else
    png_set_swap_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, context.info);
  return true;
}

// Step 3: the picture, every pass of an interlaced one, and the chunks after
// it up to the end chunk, so that a file cut anywhere is refused.
bool PngReadImage(TPngContext& context, png_bytepp rows) {
  if (setjmp(png_jmpbuf(context.png))) return false;
  png_read_image(context.png, rows);
  png_read_end(context.png, nullptr);
  return true;
}

struct TPngDestroyer {
  TPngContext& context;
  ~TPngDestroyer() { png_destroy_read_struct(&context.png, &context.info, nullptr); }
};

}  // namespace

namespace {

const unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

TBitmap32 DecodePngFrom(TPngContext& context, const std::wstring& name) {
  context.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, FailPng, IgnorePngWarning);
  if (context.png == nullptr) throw EImageError(name, L"there is not enough memory");
  TPngDestroyer destroyer{context};
  context.info = png_create_info_struct(context.png);
  if (context.info == nullptr) throw EImageError(name, L"there is not enough memory");

  auto fail = [&]() -> EImageError {
    if (context.truncated) return EImageError(name, kReasonTruncated);
    return EImageError(name, DamagedReason(L"PNG", context.message));
  };

  if (!PngReadInfo(context)) throw fail();
  CheckImageSize(png_get_image_width(context.png, context.info), png_get_image_height(context.png, context.info), name);
  if (!PngSetTransforms(context)) throw fail();
  const int width = static_cast<int>(png_get_image_width(context.png, context.info));
  const int height = static_cast<int>(png_get_image_height(context.png, context.info));
  if (png_get_rowbytes(context.png, context.info) != static_cast<png_size_t>(width) * sizeof(TColor32))
    throw EImageError(name, L"its colour format is not supported");

  TBitmap32 bitmap(width, height);
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = reinterpret_cast<png_bytep>(bitmap.Row(y));
  if (!PngReadImage(context, rows.data())) throw fail();
  return bitmap;
}

}  // namespace

TBitmap32 DecodePng(std::FILE* file, const std::wstring& name) {
  ExpectSignature(file, kPngSignature, sizeof kPngSignature, name, L"PNG");
  TPngContext context;
  std::memset(&context, 0, sizeof context);
  context.file = file;
  return DecodePngFrom(context, name);
}

TBitmap32 DecodePngBytes(const void* bytes, std::size_t size, const std::wstring& name) {
  if (size < sizeof kPngSignature || std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0)
    throw EImageError(name, L"it is not a PNG file");
  TPngContext context;
  std::memset(&context, 0, sizeof context);
  context.bytes = static_cast<const unsigned char*>(bytes);
  context.size = size;
  return DecodePngFrom(context, name);
}

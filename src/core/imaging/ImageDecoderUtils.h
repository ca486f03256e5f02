// What the image decoders share: the size rule, the signature check, texts.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "core/imaging/ImageDecoders.h"

// The pixel layout of TColor32 in memory: B, G, R, A on little-endian
// machines. Decoders that write bytes straight into a TBitmap32 ask their
// library for this order.
constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// Throws unless 1 <= width, height <= kMaxImageSide and width * height <=
// kMaxImagePixels. Takes wide integers so no header value can overflow first.
void CheckImageSize(long long width, long long height, const std::wstring& name);

// Reads the first size bytes and throws unless they equal signature; then
// goes back to the start of the file. kindName: "JPEG", "PNG" ...
void ExpectSignature(std::FILE* file, const unsigned char* signature, std::size_t size, const std::wstring& name,
                     const wchar_t* kindName);

// The reason texts the decoders share.
extern const wchar_t* const kReasonTruncated;
std::wstring DamagedReason(const wchar_t* kindName, const char* libraryMessage);

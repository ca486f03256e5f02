// The small JPEG picture that cameras and phones store inside a JPEG file's
// Exif segment (APP1), and whether a grid thumbnail can be drawn from it
// instead of decoding the whole picture.
//
// ReadJpegHead walks the markers at the start of a JPEG file up to the main
// picture's frame header (SOFn): it reads that frame's size, the Exif
// orientation of the first IFD, and where the second IFD's JPEG thumbnail
// lies in the file. Every offset, count and length is checked against the
// bytes given, so damaged or hostile input gives "no thumbnail", never a read
// outside them; only one IFD link is followed, so no chain of links can loop.
#pragma once

#include <cstddef>

// A frame header (SOFn): which one, and what it declares. marker 0: none.
struct TJpegFrame {
  int marker = 0;
  int precision = 0;
  int width = 0;
  int height = 0;
  int components = 0;
};

struct TJpegHead {
  // The main picture's frame; marker 0 when the walk did not reach it.
  TJpegFrame frame;
  // Exif orientation (tag 0x0112 of IFD0): 1 to 8; 1 when absent or invalid.
  int orientation = 1;
  // The embedded thumbnail: its bytes' offset and length in the file (inside
  // the Exif segment, so inside the bytes read), and its own frame. Length 0:
  // none, or one whose bytes do not lead to a frame header.
  std::size_t thumbnailOffset = 0;
  std::size_t thumbnailLength = 0;
  TJpegFrame thumbnailFrame;
  // When the bytes end before the main frame: how many the head needs at
  // least to be read further (always more than were given). 0 when the walk
  // ended, at the frame or at data that is no JPEG head.
  std::size_t needed = 0;
};

// Reads the head of a JPEG file from its first size bytes.
TJpegHead ReadJpegHead(const unsigned char* bytes, std::size_t size);

// Whether a thumbnail of thumbnailSize pixels may be drawn from the embedded
// thumbnail instead of the main picture:
// - both pictures are of the kind the JPEG decoder reads in full (baseline,
//   extended or progressive Huffman coding, 8-bit samples, 1, 3 or 4
//   components) and the main picture's size is within the decoders' limits,
//   so a picture the decoder would refuse is still decoded, and refused;
// - the thumbnail is at least thumbnailSize wide and tall, and no larger
//   than the main picture (which would be no more work to decode);
// - its shape is the main picture's as stored: one side is within a pixel of
//   the other side scaled by the main picture's ratio (a 4000 x 3000 picture
//   takes 160 x 120, not 120 x 160 or 160 x 160).
// The orientation never changes the shape compared. The viewer draws
// pictures as stored, without turning them; a camera stores the thumbnail
// turned as the main picture is, so for orientations 5 to 8 (turned by a
// quarter) too a matching thumbnail has the stored shape. One that matches
// only once turned was turned by some program apart from the main picture:
// it would show a different picture than the whole file does.
bool UseEmbeddedThumbnail(const TJpegHead& head, int thumbnailSize);

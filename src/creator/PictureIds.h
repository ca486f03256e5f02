// Resource numbers of the message box's pictures and button images: PNG
// files in res/pictures, drawn by scripts/make-pictures, listed with these
// numbers in res/heapmaker.rc.
#pragma once

constexpr int kMessagePictureResource = 200;  // + IconType, 0..10
constexpr int kButtonImageResource = 220;     // + image, 0..6: OK, cancel, add, remove, new, edit, shred

// What viewer processes send each other: the close command's data block and
// the rules for reading WM_COPYDATA blocks of the four data kinds, whatever
// another process put into them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The close command's block: 13 bytes, packed, little-endian.
#pragma pack(push, 1)
struct TAppCommData {
  double TimeStamp;  // the sender's local day-based time; not read by receivers
  std::uint8_t Command;
  std::uint8_t Reserved[4];
};
#pragma pack(pop)
static_assert(sizeof(TAppCommData) == 13, "the block is 13 bytes");
static_assert(offsetof(TAppCommData, Command) == 8, "the command byte is at offset 8");

constexpr std::uint8_t kAppCommClose = 1;
TAppCommData MakeCloseCommand(double now);

// The data kinds of a WM_COPYDATA block (its dwData).
enum class TCopyDataKind : std::uint32_t { Data = 0, String = 1, Integer = 2, Real = 3 };

// A block as a receiver takes it. Nothing when the kind is unknown, the data
// pointer is null, or the block is shorter than its kind needs (9 bytes for
// kind 0, whose command byte is at offset 8; 4 for an integer; 8 for a real).
// A string is a length byte and its characters, read only within the block
// and at most 255 of them.
struct TCopyData {
  TCopyDataKind Kind = TCopyDataKind::Data;
  std::vector<std::uint8_t> Bytes;  // kind 0
  std::string Text;                 // kind 1
  std::int32_t Integer = 0;         // kind 2
  double Real = 0;                  // kind 3
};
std::optional<TCopyData> ReadCopyData(std::uint64_t kind, const void* data, std::size_t size);

// A kind-0 block that asks the receiving viewer to close: its byte at offset
// 8 is 1. Its size beyond that and its time stamp are not consulted.
bool IsCloseCommand(const std::vector<std::uint8_t>& block);

// The group of viewers of a stack folder: the folder's path, cut to the 255
// characters a global atom holds. Atoms compare without letter case.
std::wstring GroupNameOf(const std::wstring& stackFolder);

#include "core/viewer/AppComm.h"

#include <algorithm>
#include <cstring>

TAppCommData MakeCloseCommand(double now) {
  TAppCommData block;
  block.TimeStamp = now;
  block.Command = kAppCommClose;
  std::memset(block.Reserved, 0, sizeof block.Reserved);
  return block;
}

std::optional<TCopyData> ReadCopyData(std::uint64_t kind, const void* data, std::size_t size) {
  if (data == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  TCopyData result;
  switch (kind) {
    case 0:
      if (size < 9) return std::nullopt;
      result.Kind = TCopyDataKind::Data;
      result.Bytes.assign(bytes, bytes + size);
      return result;
    case 1: {
      if (size < 1) return std::nullopt;
      result.Kind = TCopyDataKind::String;
      const std::size_t length = std::min<std::size_t>(bytes[0], size - 1);
      result.Text.assign(reinterpret_cast<const char*>(bytes + 1), length);
      return result;
    }
    case 2:
      if (size < sizeof(std::int32_t)) return std::nullopt;
      result.Kind = TCopyDataKind::Integer;
      std::memcpy(&result.Integer, bytes, sizeof result.Integer);
      return result;
    case 3:
      if (size < sizeof(double)) return std::nullopt;
      result.Kind = TCopyDataKind::Real;
      std::memcpy(&result.Real, bytes, sizeof result.Real);
      return result;
    default: return std::nullopt;
  }
}

bool IsCloseCommand(const std::vector<std::uint8_t>& block) { return block.size() >= 9 && block[8] == kAppCommClose; }

std::wstring GroupNameOf(const std::wstring& stackFolder) { return stackFolder.substr(0, 255); }

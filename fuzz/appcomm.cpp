// What another process may put into a WM_COPYDATA block a viewer receives:
// the data kind from the input's end, the block itself (exactly as long as
// the rest of the input, so any read past it is caught) from its front.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzText.h"
#include "core/viewer/AppComm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const auto kindByte = provider.ConsumeIntegral<std::uint8_t>();
  // Mostly the four kinds and their neighbour; now and then any value.
  const std::uint64_t kind = kindByte < 0xF0 ? kindByte % 5 : provider.ConsumeIntegral<std::uint64_t>();
  const std::vector<std::uint8_t> rest = provider.ConsumeRemainingBytes<std::uint8_t>();
  const std::size_t length = rest.size();
  const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[length]);
  if (length > 0) std::memcpy(block.get(), rest.data(), length);

  FUZZ_CHECK(!ReadCopyData(kind, nullptr, length));
  const auto read = ReadCopyData(kind, block.get(), length);
  switch (kind) {
    case 0:
      FUZZ_CHECK(read.has_value() == (length >= 9));
      if (read) {
        FUZZ_CHECK(read->Kind == TCopyDataKind::Data && read->Bytes == rest);
        FUZZ_CHECK(IsCloseCommand(read->Bytes) == (rest[8] == kAppCommClose));
      }
      break;
    case 1:
      FUZZ_CHECK(read.has_value() == (length >= 1));
      if (read) {
        FUZZ_CHECK(read->Kind == TCopyDataKind::String);
        FUZZ_CHECK(read->Text.size() == std::min<std::size_t>(rest[0], length - 1));
        FUZZ_CHECK(std::memcmp(read->Text.data(), rest.data() + 1, read->Text.size()) == 0);
      }
      break;
    case 2:
      FUZZ_CHECK(read.has_value() == (length >= 4));
      if (read) FUZZ_CHECK(std::memcmp(&read->Integer, rest.data(), 4) == 0);
      break;
    case 3:
      FUZZ_CHECK(read.has_value() == (length >= 8));
      if (read) FUZZ_CHECK(std::memcmp(&read->Real, rest.data(), 8) == 0);
      break;
    default: FUZZ_CHECK(!read); break;
  }
  IsCloseCommand(rest);

  // The close command, whatever the time stamp, reads as one.
  double stamp = 0;
  if (length >= sizeof stamp) std::memcpy(&stamp, rest.data(), sizeof stamp);
  const TAppCommData close = MakeCloseCommand(stamp);
  const auto closeRead = ReadCopyData(0, &close, sizeof close);
  FUZZ_CHECK(closeRead && IsCloseCommand(closeRead->Bytes));

  const std::wstring folder = WideText(rest.data(), rest.size());
  const std::wstring group = GroupNameOf(folder);
  FUZZ_CHECK(group.size() <= 255 && folder.compare(0, group.size(), group) == 0);
  return 0;
}

#include "core/imaging/ThumbnailSources.h"

std::vector<TThumbnailSource> ThumbnailSources(const TThumbnailFacts& facts) {
  if (!facts.Shown) return {};
  if (facts.Decodable) {
    if (facts.ShellThumbnails) return {TThumbnailSource::ShellCache, TThumbnailSource::Decoder};
    return {TThumbnailSource::Decoder};
  }
  if (facts.ShellThumbnails) return {TThumbnailSource::ShellExtract};
  return {};
}

std::optional<TBitmap32> FirstThumbnail(const std::vector<TThumbnailSource>& sources,
                                        const TThumbnailAttempt& attempt) {
  for (const TThumbnailSource source : sources) {
    std::optional<TBitmap32> picture;
    try {
      picture = attempt(source);
    } catch (...) {
      continue;  // a picture that cannot be read here may still come from the next source
    }
    if (picture && !picture->Empty()) return picture;
  }
  return std::nullopt;
}

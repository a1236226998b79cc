// Entry points that feed raw bytes to the parsers of outside text: the markup renderer and
// StripMarkup (item texts, captions, hints), MatchFilter (the planner's search patterns)
// and ParseShortDate (typed dates). The fuzz targets call them with generated inputs; the
// test suite replays every stored seed and every input that ever failed through the same
// functions, so a fixed fault stays fixed. None of them may crash, hang or read outside
// its input, whatever the bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzentry {

// First byte: option switches; next two: the hit-test point; the rest: UTF-8 markup. Drawn
// into a small picture with an image list, a picture container and a picture cache.
void DrawMarkupInput(const std::uint8_t* data, std::size_t size);
// UTF-8 text through StripMarkup, ParseControlTag and SetMarkupControlValue.
void StripMarkupInput(const std::uint8_t* data, std::size_t size);
// First byte: case flag; then pattern and text separated by the first 0 byte.
void MatchFilterInput(const std::uint8_t* data, std::size_t size);
// First byte: one of a few short date formats and separators; the rest: the text.
void ParseShortDateInput(const std::uint8_t* data, std::size_t size);

} // namespace fuzzentry

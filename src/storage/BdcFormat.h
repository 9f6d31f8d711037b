#pragma once

#include <cstdint>

// Layout of a "BDC1" container. All integers are little-endian.
//
//   offset  size  field
//   0       4     magic "BDC1"
//   4       4     size of the whole container
//   8       4     size of the plain data
//   12      4     reserved (zero when we write it, ignored when read)
//   16      2     last rank R; the rank table holds R + 1 bytes
//   18      1     class-prefix width, always 2
//   19..22  1     index widths w0..w3 of the four classes
//   23      9     reserved
//   32      R+1   rank table: byte value of rank 0, 1, ... R
//   33+R    ...   code stream, 16-bit little-endian words, most significant bit first
//
// A byte of rank r in class k is written as the 2 bits of k followed by the w_k bits of
// r - base_k. The encoder always writes w0 = 1, w1 = 3, w2 = 5 (ranks 0-1, 2-9, 10-41) and a
// w3 that covers the remaining ranks.
namespace pelmar::bdc {

inline constexpr char Magic[4] = {'B', 'D', 'C', '1'};
inline constexpr int OffsetContainerSize = 4;
inline constexpr int OffsetPlainSize = 8;
inline constexpr int OffsetLastRank = 16;
inline constexpr int OffsetPrefixWidth = 18;
inline constexpr int OffsetClassWidths = 19;
inline constexpr int OffsetRankTable = 32;
inline constexpr int HeaderSize = 32;

inline constexpr std::uint8_t PrefixWidth = 2;
inline constexpr std::uint8_t EncoderWidths[3] = {1, 3, 5};
inline constexpr std::uint8_t EncoderFallbackWidth3 = 6;
inline constexpr std::uint8_t MaxClassWidth = 16;

} // namespace pelmar::bdc

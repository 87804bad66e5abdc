#pragma once

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

// The picture of a chain: entry chain + 3 * style of the list IMAGE_CHAIN,
// IMAGE_CHAIN1, IMAGE_CHAIN2 (twice), read modulo its six entries, so that a
// double chain shows IMAGE_CHAIN in either style. Chain is clamped to 0..3
// and style to 0..1; null for no chain.
Kavo::Image* ChainImage(int chain, int style);

} // namespace Game

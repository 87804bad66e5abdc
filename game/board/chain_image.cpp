#include "game/board/chain_image.h"

#include "game/ui/resource_ids.h"

#include <algorithm>

namespace Game {

Kavo::Image* ChainImage(int chain, int style) {
    chain = std::clamp(chain, 0, 3);
    style = std::clamp(style, 0, 1);
    if (chain == 0)
        return nullptr;
    Kavo::Image* const pictures[6] = {IMAGE_CHAIN, IMAGE_CHAIN1, IMAGE_CHAIN2, IMAGE_CHAIN, IMAGE_CHAIN1, IMAGE_CHAIN2};
    return pictures[(chain + 3 * style) % 6];
}

} // namespace Game

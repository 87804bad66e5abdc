#include "framework/app/window_position_keeper.h"

namespace Kavo {

void KeepWindowPositions(bool) {}

} // namespace Kavo

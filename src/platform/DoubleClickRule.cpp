#include "platform/DoubleClickRule.h"

namespace {

// Inside a span of size pixels centred on the first press: from size / 2 before it up to, not
// including, size / 2 after it.
bool Near(int first, int second, int size)
{
    const int offset = second - first;
    return offset >= -size / 2 && offset < size - size / 2;
}

} // namespace

bool DoubleClickRule::Press(int button, int x, int y, uint32_t tick)
{
    const bool completes = armed_ && button == button_ && tick - tick_ <= timeMs_ && Near(x_, x, RectWidth) &&
                           Near(y_, y, RectHeight);
    armed_ = !completes;
    tapArmed_ = false;
    button_ = button;
    x_ = x;
    y_ = y;
    tick_ = tick;
    return completes;
}

bool DoubleClickRule::Tap(int target, uint32_t tick)
{
    const bool completes = tapArmed_ && target >= 0 && target == target_ && tick - tick_ <= timeMs_;
    armed_ = false;
    tapArmed_ = !completes && target >= 0;
    target_ = target;
    tick_ = tick;
    return completes;
}

// Leaks one painter state on purpose: a sanitizer build must fail this.
#include "painter_state.h"

int main()
{
    auto* leaked = new PainterState;
    leaked->Gruix = 50;
    leaked = nullptr;
    return 0;
}

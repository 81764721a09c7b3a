#include "board/ContactProbe.h"

#include <dlfcn.h>

KestavoContactProbeFn CContactProbe::Observer()
{
    static const KestavoContactProbeFn observer
        = reinterpret_cast<KestavoContactProbeFn>(dlsym(RTLD_DEFAULT, kSymbol));
    return observer;
}

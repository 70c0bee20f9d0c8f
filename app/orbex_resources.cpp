#include "app/orbex_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitResourcesOnce() {
    Q_INIT_RESOURCE(orbex);
}

namespace orbex {

void InitOrbexResources() {
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}

}  // namespace orbex

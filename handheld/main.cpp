// orbexce [--fullscreen]: the handheld viewer. It finds a receiver on COM1..COM10 (the paths in
// ORBEXCE_PORTS first, then the serial devices present) and shows its fix.
#include <cstdio>
#include <cstring>

#include "handheld/viewer_app.h"

int main(int argc, char** argv) {
    bool fullScreen = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fullscreen") == 0) {
            fullScreen = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::puts("usage: orbexce [--fullscreen]");
            return 0;
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            std::fprintf(stderr, "orbexce: unknown option %s\nusage: orbexce [--fullscreen]\n",
                         argv[i]);
            return 2;
        }
    }
    orbexce::CViewerApp app(argc, argv);
    return app.Run(fullScreen);
}

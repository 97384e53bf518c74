#include "MyGame.h"

#ifdef BRAMBLEHOP_SANITIZE
#include <dlfcn.h>
// Mesa's software driver is unloaded at glfwTerminate and LeakSanitizer then
// blames its allocations on an unknown module; keeping it loaded in
// sanitizer builds avoids that false report.
__attribute__((constructor)) static void KeepSwrastLoaded() {
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
}
#endif

int main(int argc, char** argv) {
    if (argc > 0) ThisGame.Launch(argv[0]);
    else ThisGame.Launch(".");
    return 0;
}

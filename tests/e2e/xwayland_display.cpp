// Preloaded into mutter for tests: mutter takes X displays :0 and :1 unless
// told another number before it starts XWayland. The number comes from
// GLIMMORA_TEST_XWAYLAND_DISPLAY.
#include <cstdlib>
#include <dlfcn.h>

namespace {

__attribute__((constructor)) void chooseDisplay()
{
    const char* number = std::getenv("GLIMMORA_TEST_XWAYLAND_DISPLAY");
    using Override = void (*)(int);
    auto* override = reinterpret_cast<Override>(
        dlsym(RTLD_DEFAULT, "meta_xwayland_override_display_number"));
    if (number && override) {
        override(std::atoi(number));
    }
}

} // namespace

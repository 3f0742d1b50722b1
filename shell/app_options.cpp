#include "app_options.h"

namespace {

AppOptions*& bound() {
    static AppOptions* p = nullptr;
    return p;
}

AppOptions& defaults() {
    static AppOptions* d = new AppOptions();
    return *d;
}

}  // namespace

AppOptions& app_options() { return bound() ? *bound() : defaults(); }

void bind_app_options(AppOptions* o) { bound() = o; }

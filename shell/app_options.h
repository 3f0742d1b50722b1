#pragma once
// The option values that start-up and the effects switches read. The options screen
// binds its own values here; until one is bound a built-in default object answers.

struct AppOptions {
    float effects_quality = 1.0f;  // 0 to 1
    bool fullscreen = false;
};

// The bound option values, or the built-in defaults.
AppOptions& app_options();
// Makes o the object that app_options() answers with; null restores the defaults.
void bind_app_options(AppOptions* o);

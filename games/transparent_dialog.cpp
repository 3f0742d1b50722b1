#include "transparent_dialog.h"

#include "play_screen.h"

void TransparentDialog::show(Call fn) {
    call = fn;
    ContinueDialog::show();
}

void TransparentDialog::tick(unsigned now, unsigned dt) {
    if (!shown) {
        ContinueDialog::tick(now, dt);
        return;
    }
    shown = false;
    if (call) (playscreen()->*call)();
}

bool TransparentDialog::proc_event(SDL_Event* e) {
    if (shown) return true;
    return ContinueDialog::proc_event(e);
}

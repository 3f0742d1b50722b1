#pragma once

#include "tde.h"

// A menu screen: the menu music follows the window's input focus.
class MenuTDE : public TDE {
public:
    // Fades the music out over 200 ms.
    void on_app_input_focus_lost(AppState const& st) override;
    // Fades what plays out over 200 ms, then loops the menu track with a 500 ms fade-in.
    void on_app_input_focus_gained(AppState const& st) override;
    void on_app_deiconified(AppState const& st) override;
    void on_app_iconified(AppState const& st) override;
};

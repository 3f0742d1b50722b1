#pragma once
// The layer that every modal dialog puts over the whole screen first: black at alpha
// intensity 51, so what lies behind shows at 80 percent brightness.

constexpr unsigned char dialog_dim_intensity = 51;

void submit_dialog_dim();

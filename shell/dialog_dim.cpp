#include "dialog_dim.h"

#include "blit_job_manager.h"

void submit_dialog_dim() {
    // In screen pixels; 1024x768 covers both video modes and the display list clips it.
    bjmgr.insert(BlitJob(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(0, 0, 1024, 768), E2::Color(0x000000FFu),
                         dialog_dim_intensity));
}

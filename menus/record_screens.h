#pragma once
// The options, high-score, how-to-play, card-back, player-choice and statistics screens
// at start-up and at the end of a run.

// The main menu, the game choice and the play screen learn how to reach these screens.
void connect_record_screens();

// The leaving step of the screen entered but not left when the program ends (screens are
// then dropped without on_dequeue): the options are saved, or the how-to-play check box is
// stored and the profiles saved.
void keep_shown_screen_at_exit();

// A Logical screen of a new size keeps the scene where it was in its cycle: only its centre moves.
#pragma once

// Moves the scene's centre, its stage and every actor (frame, logo and the rectangles erased next)
// to the centre of a width x height Logical screen.
void RecentreScene(int width, int height);

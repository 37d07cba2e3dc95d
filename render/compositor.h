// The compositor: the Draw queue that paints frames into the frame buffer each tick, and the Dirty
// list that copies the changed rectangles to the window.
#pragma once
#include "render/dirty_list.h"
#include "render/draw_queue.h"

// The saver's globals as a fresh process of it starts with, so that one lomlom process can start
// the saver again (at a new window size).
#pragma once

void ResetSaverProcess();

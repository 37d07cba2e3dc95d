// The saver's globals as a fresh process of it starts with: lomlom starts the saver again at a new
// window size, and each test starts from a fresh process.
#pragma once

void ResetSaverProcess();

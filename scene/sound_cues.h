// The actions' sounds and the gate that the user's setting opens or closes.
#pragma once

// 1 when the user wants sound; set once when the saver window is created.
extern int SoundEnabled;

// The system's password components on Windows 95: the verifier asked before the saver closes, and
// the password change of the `a` mode.
#pragma once
#include <windows.h>

void LoadPasswordVerifier();
void UnloadPasswordVerifier();
void ChangePassword(HWND owner);

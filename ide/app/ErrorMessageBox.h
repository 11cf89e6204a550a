// The engine's "Error-Message" box as the Windows program shows it.
#pragma once

// Makes the engine's dead ends show a system-modal message box titled "Error-Message" with their
// text, owned by the window that has the focus, and end the process with exit code 1.
void InstallErrorMessageBox();

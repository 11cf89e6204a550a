// The build worker: the one thread body that runs every build, decompile and model
// job, and the drivers that take the parser through a job of each script kind.
// The host starts the thread (after clearing its output pane and setting the run
// marker); everything here is portable and may as well run on the caller's thread.
#pragma once

// The worker's procedure. The parameter is not used. Returns the job's exit code:
// 0 when it ended normally or was stopped, -1 when a fatal message ended it. In
// every case the run marker is 0 afterwards.
int BuildThread(void* param);

// The host's build settings into the job globals, the file layer's root and
// current directory for the job, and an empty insert-in-game list.
void CopyBuildSettings();

// Modes 0 and 1: resets the parser, then runs the driver of the first kind keyword
// the project name holds, in the fixed order MUSIC, VISUALFX, PARTICLEFX, SFX,
// CAMERA, MENU, FIGHT, VARNOK; none found, nothing runs.
void RunScriptJob();

// The drivers, one per kind; each returns the parser's error flag.
int BuildMusicScripts();
int BuildVisualFxScripts();
int BuildParticleFxScripts();
int BuildSfxScripts();
int BuildCameraScripts();
int BuildMenuScripts();
int BuildFightScripts();
int BuildMainScripts();

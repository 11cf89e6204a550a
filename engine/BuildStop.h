// The poll through which long loops of the toolchains notice Build/Stop Build.
#pragma once

// 0 while the job may go on. After a stop request: the interrupted summary is
// printed and the run marker cleared; then 1 when noExit is set, else the job
// ends (zTBuildStopped unwinds it to its worker's entry, which returns 0).
int CheckBuildStop(int noExit);

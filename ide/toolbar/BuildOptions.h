// The build side of the registry section "Automatic": partial compile, insert in game, the
// two game folders and whether removing a script deletes its file.
#pragma once

// Into g_solutionConfig; missing values give their defaults ("RemoveFromDisk" 1, others 0 or empty).
void LoadBuildOptions();
void SaveBuildOptions();

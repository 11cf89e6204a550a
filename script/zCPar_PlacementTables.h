// Where the decompiler puts the script files of the game's own layout: rows that
// map a file's key (its first function or instance, lower case, or else its first
// other declaration, upper case) to the file's path in the project folder.
#pragma once

struct zTParPlacementRow {
    const char* key;
    const char* path;  // relative, backslashes, without ".d"
};

// The rows of a platform's table (a zTPlatform), ended by a row with a null key.
const zTParPlacementRow* GetPlacementTable(int platform);

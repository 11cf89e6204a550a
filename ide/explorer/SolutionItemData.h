// The record behind every item of the explorer tree but the solution item.
#pragma once

#include "CString.h"

enum SolutionItemKind { kItemFile = 0, kItemFolder = 1, kItemProject = 2 };

// Images of the explorer's image list (bitmap 138).
enum SolutionItemImage {
    kImageSolution = 0,
    kImageProject = 1,
    kImageFolderClosed = 2,
    kImageFolderOpen = 3,
    kImageFile = 4,
};

struct SolutionItemData {
    int kind = kItemFile;
    // Relative to the project folder: empty for a project, the folder's own path for a folder
    // (Story\Sub), the source-list entry for a file. Held by length, so no name is cut short.
    CString path;
    CString project;  // the project the item belongs to
};


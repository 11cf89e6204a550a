// The class view's root groups over the symbol model: which roots show, in which order,
// with which image and records.
#pragma once

#include <vector>

#include "zCTypedHead.h"

class zCTypedInfo;

struct ClassViewGroup {
    // String-table id of the root's text.
    int textId;
    // Image of the children; class members (grandchildren) use kClassViewMemberImage.
    int image;
    std::vector<const zCTypedHead*> items;
};

enum {
    kClassViewRootImage = 0,
    kClassViewMemberImage = 4,
    // Tree items hold at most this many characters.
    kClassViewTextLimit = 260
};

// The roots in display order; a root without children is left out.
std::vector<ClassViewGroup> BuildClassViewGroups(const zCTypedInfo& model);

// A record's text as the tree shows it, cut to the item limit.
zSTRING ClassViewItemText(const zCTypedHead& record);

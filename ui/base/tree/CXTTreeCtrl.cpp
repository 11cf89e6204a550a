// The tree control host of the tree extension.
#include "CXTTreeCtrl.h"

IMPLEMENT_DYNCREATE(CXTTreeCtrl, CTreeCtrl)

CXTTreeCtrl::CXTTreeCtrl() = default;

CXTTreeCtrl::~CXTTreeCtrl() = default;

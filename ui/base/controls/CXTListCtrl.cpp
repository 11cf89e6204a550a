// The list control host of the list extension.
#include "CXTListCtrl.h"

IMPLEMENT_DYNCREATE(CXTListCtrl, CListCtrl)

CXTListCtrl::CXTListCtrl() = default;

CXTListCtrl::~CXTListCtrl() = default;

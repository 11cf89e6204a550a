// The class view's tree control, and its pane window whose map opens a declaration on a
// double-click.
#pragma once

#include "CDockPaneWnd.h"
#include "CXTTreeCtrl.h"

// The tree control of the class view; all its behaviour is the tree extension's.
class CTreeClass : public CXTTreeCtrl {};

// The class view's instantiation handles the double-click (CClassViewPane.cpp).
template <>
const MsgMap* CDockPaneWnd<CTreeClass>::GetThisMessageMap();
template <>
void CDockPaneWnd<CTreeClass>::OnLButtonDblClk(UINT nFlags, CPoint point);

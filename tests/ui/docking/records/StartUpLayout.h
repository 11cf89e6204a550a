// The main frame's start-up arrangement as saved layout text, shared by the layout tests.
#pragma once

// The main frame's start-up arrangement: output at the bottom, class view and solution
// explorer in one group at the left, the client placeholder beside them.
inline const char* const kStartUp =
    "[Summary]\nPanes=9\nTopContainer=1\nClient=7\n"
    "[Pane-1]\nType=2\nHoriz=1\nPanes=2\nPane-1=2\nPane-2=5\n"
    "[Pane-2]\nType=1\nDockingCX=230\nDockingCY=140\nPanes=2\nPane-1=3\nPane-2=4\nSelected=4\n"
    "[Pane-3]\nType=0\nDockingCX=230\nDockingCY=140\nTitle=Class View\nID=201\nDockingHolder=2\nLastHolder=2\n"
    "[Pane-4]\nType=0\nDockingCX=230\nDockingCY=140\nTitle=Solution Explorer\nID=200\nDockingHolder=2\nLastHolder=2\n"
    "[Pane-5]\nType=2\nPanes=2\nPane-1=6\nPane-2=8\n"
    "[Pane-6]\nType=2\nHoriz=1\nPanes=1\nPane-1=7\n"
    "[Pane-7]\nType=4\n"
    "[Pane-8]\nType=1\nDockingCX=150\nDockingCY=120\nPanes=1\nPane-1=9\nSelected=9\n"
    "[Pane-9]\nType=0\nDockingCX=150\nDockingCY=120\nTitle=Output\nID=202\nDockingHolder=8\nLastHolder=8\n";

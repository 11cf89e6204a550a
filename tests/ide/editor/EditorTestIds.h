// Resource ids of the editor tests.
#pragma once

#define IDR_MAINFRAME 100
#define IDR_SCRIPTTYPE 129

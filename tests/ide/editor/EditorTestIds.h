// Resource ids of the editor tests.
#pragma once

#define IDR_TEST_FRAME 100
#define IDR_SCRIPTTYPE 129

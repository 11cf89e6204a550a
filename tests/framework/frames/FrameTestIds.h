// Resource and command ids of the frame tests, shared by their resource script and sources.
#pragma once

#define IDR_TEST_FRAME 100
#define IDR_NOTETYPE 101

// Commands, each handled at one place of the route (ALL everywhere, MAIN_APP by both).
#define ID_TEST_VIEW 40001
#define ID_TEST_DOC 40002
#define ID_TEST_CHILD 40003
#define ID_TEST_MAIN 40004
#define ID_TEST_APP 40005
#define ID_TEST_ALL 40006
#define ID_TEST_MAIN_APP 40007
#define ID_TEST_NOBODY 40008

// The test application: its status pane naming the active document, and its find box.
#define ID_TEST_PANE 40010
#define ID_TEST_FIND 40011

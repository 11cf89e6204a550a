// Serves the messages waiting for this thread while the frame waits for a worker.
#pragma once

// Translates and dispatches what this thread's queue holds now, without the idle work; a quit
// request ends the pass and is posted again, so the loop that ends the program still sees it.
void DispatchPendingMessages();

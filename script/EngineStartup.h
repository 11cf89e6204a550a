// Engine start-up and shut-down: the process-wide objects of the engine and the
// toolchains (parser, object factory, options, file system, resource manager,
// renderer) exist between the two. Here and not in the engine library because
// the parser is the script toolchain's.
#pragma once

// End of the application's initialisation: the reporter's filter from the
// settings, then InitEngine(0). Nothing while the engine is already started.
void EngineStartup();
// From the application's exit; nothing unless started, so a second call is harmless.
void EngineShutdown();
bool IsEngineStarted();

void InitEngine(int flags);
void ShutdownEngine();

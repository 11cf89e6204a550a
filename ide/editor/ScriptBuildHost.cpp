// The script view's build host: one per process.
#include "ScriptBuildHost.h"

namespace {
ScriptBuildHost* g_scriptBuildHost = nullptr;
}

ScriptBuildHost* GetScriptBuildHost() { return g_scriptBuildHost; }

void SetScriptBuildHost(ScriptBuildHost* host) { g_scriptBuildHost = host; }

// Compiles the precompiled header of its target and nothing else.

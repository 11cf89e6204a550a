// The frame the tool entries of static and dynamic models run in: the filter level,
// the mesh format version and the one prototype of the entry.
#pragma once

class zCModelPrototype;

// What an entry's end does besides releasing the prototype and restoring the filter level.
enum zTModelToolEnd {
    zTOOL_END_PROGRESS = 1,      // the progress bar to its end
    zTOOL_END_EMPTY_STAMPS = 2,  // the recorded source stamps emptied
    zTOOL_END_CACHE_OUT = 4,     // every cached resource put out
    zTOOL_END_INSERT = 8,        // the recorded files inserted when InsertInGame is set
};

class zCModelToolFrame {
public:
    // Filter level 8 (the old one kept), both recorded stamp lists emptied (stamps an
    // earlier entry read must not end up in this entry's files), a new prototype, the
    // mesh format version of the platform.
    zCModelToolFrame();
    // Where End did not run (a fatal report unwinds the entry), the prototype is still
    // released, so that no half-built one stays listed for the next job, and the
    // filter level is restored.
    ~zCModelToolFrame();
    zCModelToolFrame(const zCModelToolFrame&) = delete;
    zCModelToolFrame& operator=(const zCModelToolFrame&) = delete;

    zCModelPrototype* GetPrototype() const { return prototype; }

    // Releases the prototype, does what the flags (zTModelToolEnd) ask, in their
    // order, with the filter level restored before the cache-out. Once only.
    void End(int flags);

private:
    zCModelPrototype* prototype;
    int savedFilterLevel;
    bool ended = false;
};

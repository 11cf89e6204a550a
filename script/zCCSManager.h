// The output-unit manager: creates the conversation messages of dialogue lines and
// keeps the output-unit library, which it loads from and stores to the current folder.
#pragma once

#include "zCObject.h"

class zCCSBlock;
class zCCSLib;
class zCEventMessage;

class zCCSManager : public zCObject {
    zCLASS_DECLARATION(zCCSManager)

public:
    // The message type of conversation messages.
    static constexpr int zMESSAGE_TYPE_CONVERSATION = 8;
    // Flags of LibLoad and LibStore.
    enum : int {
        zLIB_ASCII = 1 << 0,   // "ou.csl"
        zLIB_BINARY = 1 << 1,  // "ou.bin"
        zLIB_NEW = 1 << 2,     // LibLoad: no library yet is no fault (a compile makes one)
    };

    zCCSManager();
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCCSManager() override;

    // A new message for the caller: a conversation message of sub type 0 for type 8,
    // else null.
    virtual zCEventMessage* CreateMessage(int type);
    virtual zCEventMessage* CreateOuMessage();
    // Appends the unit to the library.
    virtual int AddToLib(zCCSBlock* block);
    // Empties the library and reads "ou.bin" (zLIB_BINARY), or else "ou.csl" (zLIB_ASCII);
    // finding neither is an error, or with zLIB_NEW marks the library to be stored.
    virtual void LibLoad(int flags);
    // Writes "ou.bin" (zLIB_BINARY) when the library changed; "ou.csl" is only read.
    virtual void LibStore(int flags);

    // Creates the unit of that name, or updates it when its line differs, so that
    // building unchanged scripts leaves the library unchanged.
    void AddOutputUnit(const zSTRING& name, const zSTRING& text);
    // The unit's dialogue text; empty (and reported) when there is no such unit.
    zSTRING FindOutputUnit(const zSTRING& name);

    zCCSLib* GetLibrary() const { return library; }

private:
    // True when the file exists and an archiver was made for it.
    bool LoadFrom(const char* fileName, int messageId);
    void StoreBinary();

    zCCSLib* library;
    zSTRING damagedFile;  // the library file whose last load was incomplete
};

// The one manager of the build driver, the compiler and the decompiler, made at
// first use: the classes it creates are registered by static initialisers.
class zCCSManagerAccess {
public:
    zCCSManager* operator->() const { return Get(); }
    zCCSManager& operator*() const { return *Get(); }
    zCCSManager* Get() const;
};

extern const zCCSManagerAccess g_csManager;

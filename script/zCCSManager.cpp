// The output-unit manager.
#include "zCCSManager.h"

#include <memory>

#include "ResourceIds.h"
#include "ResString.h"
#include "oCMsgConversation.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCCSBlock.h"
#include "zCCSLib.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

const char kBinaryFile[] = "ou.bin";
const char kAsciiFile[] = "ou.csl";

// Flags of the library's archives: the date and user lines, no close message.
const int kArchiveFlags = zARC_FLAG_NO_CLOSE_MESSAGE;

// Holds one reference, so that a fatal report unwinding the job releases it.
template <class T>
class Ref {
public:
    explicit Ref(T* object) : object(object) {}
    ~Ref()
    {
        if (object)
            object->Release();
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* operator->() const { return object; }
    T* get() const { return object; }

private:
    T* object;
};

template <class T>
T* Create()
{
    return static_cast<T*>(T::CreateClassInstance());
}

// True when the unit holds just the line the message would give it. The sound file
// name is compared without case: reading upper-cases it.
bool HoldsLine(zCCSBlock* unit, zCEventMessage* message)
{
    if (unit->GetNumChildren() != 1 || unit->GetChildPosition(0) != 0.0f)
        return false;
    const auto* atomic = dynamic_cast<zCCSAtomicBlock*>(unit->GetChild(0));
    const auto* held = atomic ? dynamic_cast<oCMsgConversation*>(atomic->GetMessage()) : nullptr;
    const auto* wanted = dynamic_cast<oCMsgConversation*>(message);
    if (!held || !wanted || held->GetSubType() != wanted->GetSubType())
        return false;
    zSTRING heldName = held->GetName();
    zSTRING wantedName = wanted->GetName();
    return heldName.Upper() == wantedName.Upper() && held->GetText() == wanted->GetText();
}

} // namespace

zCLASS_DEFINITION(zCCSManager, zCObject, 0, 0);

const zCCSManagerAccess g_csManager;

zCCSManager* zCCSManagerAccess::Get() const
{
    struct Holder {
        zCCSManager* manager = Create<zCCSManager>();
        ~Holder() { manager->Release(); }
    };
    static Holder holder;
    return holder.manager;
}

zCCSManager::zCCSManager() : library(Create<zCCSLib>())
{
}

zCCSManager::~zCCSManager()
{
    library->Release();
}

void zCCSManager::Archive(zCArchiver&)
{
}

void zCCSManager::Unarchive(zCArchiver&)
{
}

zCEventMessage* zCCSManager::CreateMessage(int type)
{
    if (type != zMESSAGE_TYPE_CONVERSATION)
        return nullptr;
    auto* message = Create<oCMsgConversation>();
    message->SetSubType(oCMsgConversation::zSUBTYPE_OUTPUT_UNIT);
    return message;
}

zCEventMessage* zCCSManager::CreateOuMessage()
{
    return CreateMessage(zMESSAGE_TYPE_CONVERSATION);
}

int zCCSManager::AddToLib(zCCSBlock* block)
{
    return library->Add(block);
}

void zCCSManager::AddOutputUnit(const zSTRING& name, const zSTRING& text)
{
    Ref<zCEventMessage> message(CreateOuMessage());
    if (!message.get())
        return;
    message->SetByScriptLine(name + "#" + text);

    const int index = library->Find(name);
    if (index >= 0 && HoldsLine(library->GetItem(index), message.get()))
        return;

    Ref<zCCSBlock> unit(Create<zCCSBlock>());
    Ref<zCCSAtomicBlock> atomic(Create<zCCSAtomicBlock>());
    atomic->SetMessage(message.get());
    unit->InsertBlock(atomic.get(), 0.0f);
    unit->SetName(name);
    // In place, so that the library stays in name order for the next search.
    if (index >= 0)
        library->Replace(index, unit.get());
    else
        library->Insert(unit.get());
}

zSTRING zCCSManager::FindOutputUnit(const zSTRING& name)
{
    const int index = library->Find(name);
    if (index < 0) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_UNIT_NOT_FOUND, name));
        return zSTRING();
    }
    const auto* atomic = dynamic_cast<zCCSAtomicBlock*>(library->GetItem(index)->GetChild(0));
    if (!atomic || !atomic->GetMessage())
        return zSTRING();
    return atomic->GetMessage()->GetInfoText();
}

void zCCSManager::LibLoad(int flags)
{
    library->DeleteAll();
    damagedFile.clear();
    bool loaded = false;
    if (flags & zLIB_BINARY)
        loaded = LoadFrom(kBinaryFile, IDS_LOADING_BINARY);
    if (!loaded && (flags & zLIB_ASCII))
        loaded = LoadFrom(kAsciiFile, IDS_LOADING_ASCII);
    if (loaded)
        return;
    if (flags & zLIB_NEW)
        library->MarkChanged();  // the store makes the library, dialogue lines or none
    else
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_LIBRARY_NOT_FOUND));
}

bool zCCSManager::LoadFrom(const char* fileName, int messageId)
{
    if (!g_objectFactory)
        return false;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(fileName));
    if (!file || !file->Exists())
        return false;
    if (g_errorReporter.GetFilterLevel() >= 5)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(messageId, file->GetFullPath()));
    if (file->Open(false) != 0)
        return false;
    Ref<zCArchiver> archiver(g_archiverFactory.CreateArchiverRead(file.get(), kArchiveFlags));
    if (!archiver.get())
        return false;
    archiver->ReadObject(library);
    if (!library->WasReadComplete()) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, file->GetFullPath()));
        damagedFile = file->GetFullPath();
    }
    archiver->Close();
    file->Close();
    return true;
}

void zCCSManager::LibStore(int flags)
{
    // zLIB_ASCII is not honoured: the generic archiver cannot write ASCII values, so
    // the store would replace "ou.csl" with a library of no units.
    if (!(flags & zLIB_BINARY) || !library->NeedsStore())
        return;
    // Storing now would replace the damaged file by the units that could be read.
    if (!damagedFile.empty()) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_DAMAGED_LIBRARY_KEPT, damagedFile));
        return;
    }
    StoreBinary();
}

void zCCSManager::StoreBinary()
{
    g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_CREATING_BINARY));
    Ref<zCArchiver> archiver(
        g_archiverFactory.CreateArchiverWriteByName(kBinaryFile, zARC_MODE_BIN_SAFE, 0, kArchiveFlags));
    if (archiver.get()) {
        archiver->WriteObject(library);
        archiver->Close();
    }
    g_errorReporter.Report(zERR_MESSAGE, kBinaryFile);
}

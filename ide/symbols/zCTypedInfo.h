// The class-view symbol model: the declarations of a project's scripts and of the
// engine's internal functions, read by a light parser of declaration heads, with the
// sorted completion list and the lookups of call tips, member lists and declarations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DeclarationContext.h"
#include "zCPar_SymbolTable.h"
#include "zCTypedHead.h"
#include "zSTRING.h"

// What a build needs of the active project.
struct zTClassViewProject {
    // Host path of the project folder; the source-list entries are relative to it.
    zSTRING folder;
    zSTRING name;
    // The solution's platform is the second game.
    bool secondGame = false;
    // Primary language of the interface (0x09 English, 0x07 German, 0x19 Russian).
    int languageId = 0x09;
    // Host path of the folder holding the internal-function description files.
    zSTRING internalFolder;
    // Source-list entries in list order, as written.
    std::vector<zSTRING> sources;
};

// The main frame's part in a build: its status text and the class-view tree.
class zIClassViewHost {
public:
    virtual ~zIClassViewHost() = default;
    // A string-table id for the status bar's first pane.
    virtual void ShowStatus(int textId) = 0;
    // The records are sorted: the tree may be filled from them.
    virtual void RefillClassView() = 0;
};

class zCTypedInfo {
public:
    // Images of the completion entries, as the editor view registers them.
    enum Image {
        kImageClass = 1,
        kImageInstance = 2,
        kImagePrototype = 3,
        kImageMember = 4,
        kImageVariable = 5,
        kImageFunction = 6,
        kImageInternalFunction = 7
    };

    zCTypedInfo();
    ~zCTypedInfo();
    zCTypedInfo(const zCTypedInfo&) = delete;
    zCTypedInfo& operator=(const zCTypedInfo&) = delete;

    // Rebuilds everything from the project: internal functions, then every source in list
    // order. A host (the main frame) refills its tree and, with progress, shows the stage.
    void BuildClassView(const zTClassViewProject& project, bool showProgress = false,
                        zIClassViewHost* host = nullptr);
    void Clear();
    // 1 when the project has a description file name (the file may still be missing), else 0.
    int LoadInternalFunctions(const zTClassViewProject& project);
    // 0 when the file cannot be read, else 1. Parses the given host path, recording name as the file.
    int ParseDeclarations(const zSTRING& hostPath, const zSTRING& name);
    // Parses script text in memory as the file name.
    void ParseText(std::string text, const zSTRING& name);
    // Sorts the records and joins the completion list; BuildClassView ends with it.
    void Finish(bool showProgress = false, zIClassViewHost* host = nullptr);

    zSTRING GetCallTip(const zSTRING& name) const;
    // "member?4" lines of the class that name leads to; empty when there is none.
    zSTRING GetMemberList(const zSTRING& name, const DeclarationContext& context, int resolved) const;
    zSTRING GetDeclarationTip(const zSTRING& name, const DeclarationContext& context) const;
    const zCTypedHead* FindDeclaration(const zSTRING& name, const DeclarationContext& context) const;

    // Every entry "name?image", joined by line feeds, in the list order of the editing control.
    const zSTRING& GetAutoCompletionText() const { return autoCompletionText; }
    int GetAutoCompletionLength() const { return autoCompletionLength; }

    // Counts the clears: a holder of record pointers (the class-view tree) knows they are gone.
    unsigned GetGeneration() const { return generation; }

    const std::vector<std::unique_ptr<zCTypedFunc>>& GetFunctions() const { return functions; }
    const std::vector<std::unique_ptr<zCTypedClass>>& GetClasses() const { return classes; }
    const std::vector<std::unique_ptr<zCTypedProto>>& GetPrototypes() const { return prototypes; }
    const std::vector<std::unique_ptr<zCTypedInstance>>& GetInstances() const { return instances; }
    const std::vector<std::unique_ptr<zCTypedVar>>& GetVariables() const { return variables; }

private:
    // The scanner over the file being parsed.
    void NextToken();
    void UngetToken();
    bool ExpectToken(const char* text);
    bool AtEnd() const { return token.empty(); }
    int SkipBody();
    bool SkipBraces();
    zSTRING NormaliseParameters();

    int ParseFunc();
    int ParseVar(bool isConst);
    int ParseClass();
    int ParsePrototype();
    int ParseInstance();

    // The entry's name lives in its record.
    void AddEntry(const zSTRING& name, int image);
    // Enters a symbol; false (and nothing kept) when the name is taken.
    zCPar_Symbol* EnterSymbol(const zSTRING& name, int type);
    const zCTypedClass* ResolveClass(DeclarationContext context, const zCTypedVar** member,
                                     const zSTRING& name) const;

    std::vector<std::unique_ptr<zCTypedFunc>> functions;
    std::vector<std::unique_ptr<zCTypedClass>> classes;
    std::vector<std::unique_ptr<zCTypedProto>> prototypes;
    std::vector<std::unique_ptr<zCTypedInstance>> instances;
    std::vector<std::unique_ptr<zCTypedVar>> variables;
    // Completion entries: a record's name and its image.
    struct Entry {
        const zSTRING* name;
        int image;
        // ListNameKey of the name, for the sort.
        std::uint64_t key;
    };
    std::vector<Entry> entries;
    zSTRING autoCompletionText;
    int autoCompletionLength = 0;
    unsigned generation = 0;

    int internal = 0;
    zSTRING currentFile;
    std::string buffer;
    std::size_t cursor = 0;
    int line = 0;
    struct Saved {
        std::size_t cursor;
        int line;
    };
    Saved history[16] = {};
    int historyTop = 0;
    zSTRING token;
    int tokenLine = 0;
    int building = 0;
    int parameters = 0;
    zCTypedClass* currentClass = nullptr;
    zCPar_Symbol* currentClassSymbol = nullptr;
    zCPar_Symbol* currentFunctionSymbol = nullptr;
    zCPar_SymbolTable symbols;
};

// The symbol model of the active project, read by the editor's language aids and the class view.
extern zCTypedInfo g_typedInfo;

// Insert in game: the files a build job wrote, copied into the game's working folders.
// One process-wide instance, GetInsertManager.
#pragma once

#include <windows.h>

#include <string>

#include "CArray.h"
#include "CObject.h"
#include "CString.h"

class CInsertManager : public CObject {
public:
    // Made on the user-interface thread: the folder question is asked there.
    CInsertManager();
    ~CInsertManager() override;
    CInsertManager(const CInsertManager&) = delete;
    CInsertManager& operator=(const CInsertManager&) = delete;

    CString GetAt(int index) const { return m_arrFiles.GetAt(index); }
    // Index of the first name containing the text (case-sensitive), -1 when none.
    int FindFile(const char* text) const;

    // Copies every listed file of the kind (0 compiled scripts, 1 output-unit library,
    // 2 models) into the game in one shell copy and empties the list. Runs on the build
    // worker; a missing game folder is asked for on the user-interface thread. A copy that
    // fails is reported as a warning row.
    void InsertFilesInGame(int kind);

    // The game (a zTPlatform) whose folder receives the files: Platform, the other game when
    // converting models.
    static int GameForInsert(int platform, int buildMode);
    // The folders below the game root for a kind, e.g. "_work\data\Anims\".
    static CString TargetSubfolder(int kind);
    // A typed game folder as stored: a trailing backslash, nothing from "_work\" on.
    static CString NormaliseGameFolder(CString folder);
    // The path as shown in a line of at most limit characters: head, "\...", tail.
    static CString AbbreviatePath(const CString& path, int limit);
    // Zero-separated path lists ended by an extra zero, each folder + name, sized by content.
    static std::string BuildPathList(const CString& folder, const CStringArray& names);

    CStringArray m_arrFiles;  // names relative to the source folder of their kind

private:
    // On the user-interface thread: CPathInGame for the game; the chosen folder stored and
    // saved. FALSE on Cancel.
    BOOL AskGameFolder(int game, const CString& oldFolder, CString& chosen);
    static LRESULT CALLBACK AskWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWndAsk = nullptr;  // message-only window of the user-interface thread
};

CInsertManager& GetInsertManager();

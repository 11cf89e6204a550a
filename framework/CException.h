// The framework's exceptions. They are thrown as pointers (throw new ...) and the
// catcher releases them: catch (CArchiveException* e) { ...; e->Delete(); }
#pragma once

#include "CObject.h"
#include "CString.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)

public:
    CException() = default;
    ~CException() override;

    // Frees an exception made with new, the way every thrown one is made.
    void Delete();
    // Copies the message, cut to max - 1 characters and terminated; FALSE when the
    // exception has no message (buf then holds an empty string).
    virtual BOOL GetErrorMessage(char* buf, UINT max, UINT* helpContext = nullptr) const;
    CString GetErrorText() const;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)

public:
    CMemoryException() = default;
    BOOL GetErrorMessage(char* buf, UINT max, UINT* helpContext = nullptr) const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)

public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, const char* fileName = nullptr);
    BOOL GetErrorMessage(char* buf, UINT max, UINT* helpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)

public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none, const char* fileName = nullptr);
    BOOL GetErrorMessage(char* buf, UINT max, UINT* helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)

public:
    explicit COleException(LONG sc = 0);
    BOOL GetErrorMessage(char* buf, UINT max, UINT* helpContext = nullptr) const override;

    LONG m_sc;  // a result code of the HRESULT kind
};

// A window or other system resource could not be made.
class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)

public:
    CResourceException() = default;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, const char* fileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
[[noreturn]] void AfxThrowOleException(LONG sc);

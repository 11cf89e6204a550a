// The settings exchange over a binary archive: the medium of solution and project
// files. Values follow one another in call order, without names or defaults, so
// the reading code makes the same calls in the same order.
#pragma once

#include "CXTPPropExchange.h"

class CXTPPropExchangeArchive : public CXTPPropExchange {
    DECLARE_DYNAMIC(CXTPPropExchangeArchive)
public:
    // The archive must outlive the exchange and its sections; the direction is the archive's.
    explicit CXTPPropExchangeArchive(CArchive& archive);

    BOOL ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue = nullptr) override;
    BOOL ExchangeBlob(const char* name, BYTE*& data, DWORD& size) override;
    BOOL ExchangeRuntimeClass(const char* name, CRuntimeClass*& runtimeClass, CRuntimeClass* defaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass) override;
    CArchive* GetArchive(const char* name) override;
    void ReleaseArchive(const char* name, CArchive* archive) override;
    CXTPPropExchange* GetSection(const char* name) override;
    void WriteCount(DWORD count) override;
    DWORD ReadCount() override;
    void Write(const char* name, const void* data, DWORD size) override;
    DWORD Read(const char* name, void* data, DWORD size) override;
    BOOL AllowsDefaultValues() const override;
    BOOL AllowsBlobValues() const override;
    // Every counted item takes at least one byte, so a count above the bytes left
    // is damage: it throws the archive's end-of-file exception.
    DWORD CheckLoadedCount(DWORD count) override;

protected:
    CArchive* m_pArchive;
};

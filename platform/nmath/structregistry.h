#pragma once
// The process-wide registry of record types and their member names. Thread-safe.
#include <memory>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

class DRIVESYS_API nStructRegistry {
public:
    static nStructRegistry& getInstance();

    /// Token of a registered type, 0 for a type not registered (or a null identifier).
    int getRegisterToken(const wchar_t* identifier) const;
    /// Registers a type and gives a new token (tokens count from 1).
    int doRegister(const wchar_t* identifier);
    /// Registers a type with its member names unless it is registered already; returns the
    /// token. Atomic: concurrent callers register the type once.
    int registerOnce(const wchar_t* identifier, const std::vector<nWString>& names);
    void registerName(int token, const nWString& name);
    /// The i-th member name under a token; empty text when there is none.
    nWString getName(int token, size_t i) const;
    size_t getNumberOfNames(int token) const;
    size_t numberOfTypes() const;

private:
    nStructRegistry();
    ~nStructRegistry();
    // Tokens by identifier and member names by token, behind one lock (kept out of the header).
    struct Tables;
    std::unique_ptr<Tables> tables_;
};

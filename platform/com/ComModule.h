#pragma once

// The state of one component library (or program): its live object and lock
// counts, its class table and its type library. Every shared library gets its own
// instance: ComThisModule() has hidden visibility, so each .so that includes this
// header resolves it to its own copy.

#include "platform/com/Com.h"
#include "platform/registry/Registry.h"

#include <atomic>
#include <string>
#include <vector>

#define KESTAVO_MODULE_LOCAL __attribute__((visibility("hidden")))

// One class that a component library serves.
struct ComClassInfo
{
    CLSID clsid;
    const char* typeName; // default value of CLSID\{...}
    const char* progId; // may be null
    const char* threadingModel; // "Apartment", "Both" ...; may be null
    // Creates an object and queries it for iid (see ComCreateInstance in ComServer.h).
    HRESULT (*create)(IUnknown* outer, REFIID iid, void** object);
    // Optional: writes further values under the class key (already created, writable).
    HRESULT (*registerExtra)(HKEY clsidKey);
};

// One interface the type library describes (written under Interface\{...}).
struct ComInterfaceInfo
{
    IID iid;
    const char* name;
    bool dispatchOnly; // dispinterface: proxied by the standard dispatch marshaller
};

struct ComTypeLibInfo
{
    GUID libid;
    const char* name; // default value of TypeLib\{...}\<major>.<minor>
    WORD majorVersion;
    WORD minorVersion;
    const char* helpDir; // may be null: the library's folder is used
    std::vector<ComInterfaceInfo> interfaces;
};

class KESTAVO_MODULE_LOCAL CComModule
{
public:
    std::atomic<long> objects { 0 };
    std::atomic<long> locks { 0 };

    void AddClass(const ComClassInfo& info) { m_classes.push_back(info); }
    const std::vector<ComClassInfo>& Classes() const { return m_classes; }
    void SetTypeLib(const ComTypeLibInfo* info) { m_typeLib = info; }
    const ComTypeLibInfo* TypeLib() const { return m_typeLib; }

    // The bodies are in ComServerExports.cpp, compiled into each component library.
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);
    HRESULT CanUnloadNow() const;
    HRESULT RegisterServer();
    HRESULT UnregisterServer();
    // Absolute path of the shared library (or program) this module is.
    std::string Path() const;

private:
    std::vector<ComClassInfo> m_classes;
    const ComTypeLibInfo* m_typeLib = nullptr;
};

KESTAVO_MODULE_LOCAL inline CComModule& ComThisModule()
{
    static CComModule module;
    return module;
}

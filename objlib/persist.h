#pragma once
// Objects that read and write themselves in a registry key, and the manager
// through which the program reaches them.

#include "objlib/registry.h"

// In a namespace of its own: the shell's headers declare a COM interface of
// the same name.
namespace objlib {

class IPersist {
public:
    virtual ~IPersist() = default;
    // Both results are informational; callers do not depend on them.
    virtual bool Load(RegistryKey& lpreg) = 0;
    virtual bool Save(RegistryKey& lpreg) = 0;
};

}  // namespace objlib

class PersistManager {
public:
    // The persistence interface through which an object is loaded or saved.
    objlib::IPersist& PersistOf(objlib::IPersist& object) { return object; }
    // A key object for the same registry key, with its own iteration state.
    RegistryKey KeyOf(const RegistryKey& key) { return key; }
};

// The one manager of the process, created on first use.
PersistManager& Persistence();

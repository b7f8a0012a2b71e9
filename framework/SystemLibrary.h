// A system DLL loaded from the system folder when first asked for, and its functions looked up by
// name with their types, for the parts of the system only some commands need.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

class SystemLibrary {
public:
    // Loads `name` from the system folder; a library that cannot be loaded finds no functions.
    explicit SystemLibrary(const wchar_t* name);

    bool Loaded() const { return static_cast<bool>(module); }

    // The exported function `name` as a `Function*`, null when the library or the function is missing.
    template <typename Function> Function* Find(const char* name) const {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(Lookup(name)));
    }

private:
    FARPROC Lookup(const char* name) const;

    UniqueModule module;
};

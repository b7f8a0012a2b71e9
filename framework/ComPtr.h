// An owning pointer to a COM interface: it releases its reference when it goes.
#pragma once

#include <unknwn.h>

#include <memory>

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComPtr = std::unique_ptr<Interface, ComRelease>;

#pragma once
// Binds the client API library at run time: dlopens libzelcoreU.so from a directory and asks it
// for a root. The library stays loaded for the life of the process (roots and objects handed out
// may outlive any one caller), so a second load finds the same library and the same world.
#include <dlfcn.h>

#include <cstdint>
#include <string>

#include "zelcore/Zelcore.h"

class ZelcoreLoader {
public:
    static constexpr const char* kLibraryName = "libzelcoreU.so";

    // Returns the root, or null when the library is missing, lacks WcLoadAPI2 or refuses the
    // version. *error (when given) receives the reason.
    static Zelcore* Load(const std::string& directory, uint32_t version, std::string* error = nullptr) {
        std::string path = directory.empty() ? std::string(kLibraryName) : directory + "/" + kLibraryName;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            SetError(error, std::string("cannot load ") + path + ": " + LastDlError());
            return nullptr;
        }
        auto entry = reinterpret_cast<WcLoadAPI2Fn>(dlsym(handle, "WcLoadAPI2"));
        if (!entry) {
            SetError(error, path + " has no WcLoadAPI2");
            return nullptr;
        }
        Zelcore* root = entry(version, nullptr);
        if (!root) SetError(error, path + " refused interface version " + std::to_string(version));
        return root;
    }

private:
    static std::string LastDlError() {
        const char* text = dlerror();
        return text ? text : "unknown error";
    }
    static void SetError(std::string* error, const std::string& text) {
        if (error) *error = text;
    }
};

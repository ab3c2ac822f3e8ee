#pragma once
// The GUI library's own client API root. Loaded on first use from the executable's directory
// (interface version 0) unless the library entry or a test has set one. Users check for null: a
// missing client library leaves the monitor and the helpers without data, never crashes them.
#include "zelcore/Zelcore.h"

class WgClientRoot {
public:
    static Zelcore* Get();
    // Puts root in place (the caller keeps ownership of the previous one and of root's release
    // unless it later calls Release). Null forgets the root; the next Get loads again.
    static void Set(Zelcore* root);
    // Releases the held root (root Release) and forgets it.
    static void Release();
};

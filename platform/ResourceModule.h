#pragma once
// The binary face of a resource library: plain C data reached through one exported function, so a
// library built by anyone with the resource compiler (tools/zelvo-rc) can replace our texts, menus
// and pictures without sharing any C++ type with us. Everything is read-only and lives as long as
// the library stays loaded.
#include <stdint.h>

extern "C" {

#define ZEL_RESOURCE_MAGIC 0x5A52534Du  // "ZRSM"
#define ZEL_RESOURCE_VERSION 1u

// Where a library stands in the lookup chain when it joins it.
enum ZelResourceRank {
    ZEL_RANK_OEM = 0,             // installation's own items, looked up first
    ZEL_RANK_PROGRAM_LOCALE = 1,  // translation of the program's table
    ZEL_RANK_PROGRAM = 2,         // the program's own table
    ZEL_RANK_LIBRARY_LOCALE = 3,  // translation of the GUI library's table
    ZEL_RANK_LIBRARY = 4          // the GUI library's own table
};

struct ZelResString {
    uint32_t id;
    const char* text;  // UTF-8, never null
};

enum ZelResMenuKind { ZEL_MENU_COMMAND = 0, ZEL_MENU_SEPARATOR = 1, ZEL_MENU_POPUP = 2, ZEL_MENU_END = 3 };

// A menu is a flat run of entries: a POPUP opens a submenu that the matching END closes.
struct ZelResMenuEntry {
    uint32_t kind;     // ZelResMenuKind
    uint32_t id;       // command id (commands only)
    const char* text;  // UTF-8 (commands and popups), null otherwise
};

struct ZelResMenu {
    uint32_t id;
    const ZelResMenuEntry* entries;
    uint32_t count;
};

// One picture in PNG form; an icon may have one entry per size.
struct ZelResImage {
    uint32_t id;
    uint32_t width;
    uint32_t height;
    const unsigned char* data;
    uint32_t length;
};

struct ZelResourceModule {
    uint32_t magic;    // ZEL_RESOURCE_MAGIC
    uint32_t version;  // ZEL_RESOURCE_VERSION
    const char* name;
    uint32_t rank;      // ZelResourceRank
    uint32_t language;  // Windows language number, 0 for neutral
    // Each table is sorted by id (icons by id, then width).
    const ZelResString* strings;
    uint32_t stringCount;
    const ZelResMenu* menus;
    uint32_t menuCount;
    const ZelResImage* icons;
    uint32_t iconCount;
    const ZelResImage* bitmaps;
    uint32_t bitmapCount;
};

// The one entry point of a loadable resource library.
typedef const ZelResourceModule* (*ZelResourceModuleGetFn)(void);
#define ZEL_RESOURCE_ENTRY "ZelResourceModuleGet"
}

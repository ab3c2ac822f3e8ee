#pragma once
// Entry of the GUI library: WgLoadAPI hands out the library root, one per process, which brings
// the library's own client API connection and its translated texts up (Initialize) and takes the
// client side down again (Release).
class ResourceLibrary;

class WgLibraryRoot {
public:
    virtual unsigned GetVersion();  // 1
    // Obtains the library's own client API root (version 0; it may be missing, every user checks)
    // and, once, its locale resource library "zelgui" from the executable's directory. Always true.
    virtual bool Initialize();
    // Destroys the monitor manager and releases the client API root. Always 1; a second call
    // finds nothing to release.
    virtual int Release();

    ResourceLibrary* LocaleLibrary() const { return m_pLocaleLibrary; }

    WgLibraryRoot() = default;
    virtual ~WgLibraryRoot();
    WgLibraryRoot(const WgLibraryRoot&) = delete;
    WgLibraryRoot& operator=(const WgLibraryRoot&) = delete;

private:
    ResourceLibrary* m_pLocaleLibrary = nullptr;
};

// The library root; the argument is not used. Never null.
WgLibraryRoot* WgLoadAPI(unsigned long reserved);

#pragma once
// The process-wide resource chain: every text, menu, icon and bitmap the system shows is looked up
// by number along it. Order: the current source (the OEM library once start-up installs it), then
// by each library's rank: OEM, the program's locale library, the program's own table, the GUI
// library's locale library, the GUI library's own table; libraries of one rank in the order they
// joined. A library joins when it is loaded (or, for a built-in table, added) and leaves when it is
// unloaded. Lookups may come from any thread.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/CheckedFormat.h"
#include "platform/ResourceLibrary.h"
#include "platform/ResourceMenu.h"

class ResourceChain {
public:
    static ResourceChain& Instance();

    // Loads a resource library file and adds it at its rank; null when it cannot be loaded or its
    // data is malformed. The chain owns the library until Unload.
    ResourceLibrary* Load(const std::string& path, std::string* error = nullptr);
    // Adds a table compiled into the running code (it must outlive its membership); null when the
    // table is malformed.
    ResourceLibrary* AddBuiltIn(const ZelResourceModule* module, std::string* error = nullptr);
    // Takes the library out of the chain and frees it; false for an unknown or null handle.
    bool Unload(ResourceLibrary* library);
    // Makes a library of the chain the first one looked up (null: none is preferred).
    bool SetCurrent(ResourceLibrary* library);
    ResourceLibrary* Current() const;
    bool Contains(const ResourceLibrary* library) const;
    // The libraries in lookup order.
    std::vector<ResourceLibrary*> Order() const;

    // The first text with that number along the chain; false (out untouched) when none has it.
    bool FindString(unsigned id, QString& out) const;
    // The same, empty when absent everywhere.
    QString LoadString(unsigned id) const;
    std::string LoadStringUtf8(unsigned id) const;
    // A text of one library only (e.g. an optional OEM caption); false when that library lacks it.
    bool FindStringIn(const ResourceLibrary* library, unsigned id, QString& out) const;

    // Fills a format text with fixed arguments. The text found along the chain is used when its
    // conversions fit the arguments; otherwise the built-in (compiled-in English) text of that
    // number is used. False and an empty result when neither fits or the number is unknown.
    bool FormatString(unsigned id, std::initializer_list<FormatArg> args, QString& out) const;
    QString FormatString(unsigned id, std::initializer_list<FormatArg> args) const;
    // The same for insert-style texts ("%1 dB", "%1!d! %%"; CheckedFormat::FormatInserts).
    bool FormatInserts(unsigned id, std::initializer_list<FormatArg> args, QString& out) const;
    QString FormatInserts(unsigned id, std::initializer_list<FormatArg> args) const;

    bool LoadMenu(unsigned id, ResourceMenu& out) const;

    // Icons: the first library having the icon gives it; an exact size is used as drawn, otherwise
    // the nearest larger (else the largest) size is scaled. Null images when absent.
    QImage LoadIconImage(unsigned id, int size) const;
    QPixmap LoadIconPixmap(unsigned id, int size) const;  // needs a GUI application
    QIcon LoadIcon(unsigned id) const;                   // every size; needs a GUI application
    QImage LoadBitmapImage(unsigned id) const;
    QPixmap LoadBitmap(unsigned id) const;  // needs a GUI application

private:
    ResourceChain() = default;
    struct Entry {
        std::unique_ptr<ResourceLibrary> library;
        unsigned long long sequence;
    };
    using Formatter = bool (*)(const QString&, std::span<const FormatArg>, QString&);
    bool FormatWith(unsigned id, std::initializer_list<FormatArg> args, QString& out, Formatter format) const;
    std::vector<ResourceLibrary*> OrderLocked() const;
    ResourceLibrary* Join(std::unique_ptr<ResourceLibrary> library);

    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
    ResourceLibrary* m_current = nullptr;
    unsigned long long m_sequence = 0;
};

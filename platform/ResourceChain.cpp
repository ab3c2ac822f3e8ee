#include "platform/ResourceChain.h"

#include <algorithm>

#include "platform/CheckedFormat.h"

ResourceChain& ResourceChain::Instance() {
    // Never destroyed: libraries unregister from static destructors in any order at exit.
    static ResourceChain* chain = new ResourceChain;
    return *chain;
}

ResourceLibrary* ResourceChain::Join(std::unique_ptr<ResourceLibrary> library) {
    if (!library) return nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    ResourceLibrary* raw = library.get();
    m_entries.push_back({std::move(library), m_sequence++});
    return raw;
}

ResourceLibrary* ResourceChain::Load(const std::string& path, std::string* error) {
    return Join(ResourceLibrary::Open(path, error));
}

ResourceLibrary* ResourceChain::AddBuiltIn(const ZelResourceModule* module, std::string* error) {
    return Join(ResourceLibrary::FromModule(module, error));
}

bool ResourceChain::Unload(ResourceLibrary* library) {
    std::unique_ptr<ResourceLibrary> gone;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.library.get() == library; });
        if (!library || it == m_entries.end()) return false;
        gone = std::move(it->library);
        m_entries.erase(it);
        if (m_current == library) m_current = nullptr;
    }
    return true;  // the file is closed here, outside the lock
}

bool ResourceChain::SetCurrent(ResourceLibrary* library) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (library && std::none_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.library.get() == library; }))
        return false;
    m_current = library;
    return true;
}

ResourceLibrary* ResourceChain::Current() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_current;
}

bool ResourceChain::Contains(const ResourceLibrary* library) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return library && std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.library.get() == library; });
}

std::vector<ResourceLibrary*> ResourceChain::OrderLocked() const {
    std::vector<const Entry*> sorted;
    for (const Entry& e : m_entries) sorted.push_back(&e);
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Entry* a, const Entry* b) {
        bool aFirst = a->library.get() == m_current, bFirst = b->library.get() == m_current;
        if (aFirst != bFirst) return aFirst;
        if (a->library->Rank() != b->library->Rank()) return a->library->Rank() < b->library->Rank();
        return a->sequence < b->sequence;
    });
    std::vector<ResourceLibrary*> order;
    for (const Entry* e : sorted) order.push_back(e->library.get());
    return order;
}

std::vector<ResourceLibrary*> ResourceChain::Order() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return OrderLocked();
}

bool ResourceChain::FindString(unsigned id, QString& out) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const ResourceLibrary* library : OrderLocked()) {
        if (const char* text = library->FindString(id)) {
            out = QString::fromUtf8(text);
            return true;
        }
    }
    return false;
}

QString ResourceChain::LoadString(unsigned id) const {
    QString text;
    FindString(id, text);
    return text;
}

std::string ResourceChain::LoadStringUtf8(unsigned id) const { return LoadString(id).toStdString(); }

bool ResourceChain::FindStringIn(const ResourceLibrary* library, unsigned id, QString& out) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    bool known = std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.library.get() == library; });
    const char* text = known ? library->FindString(id) : nullptr;
    if (!text) return false;
    out = QString::fromUtf8(text);
    return true;
}

bool ResourceChain::FormatString(unsigned id, std::initializer_list<FormatArg> args, QString& out) const {
    return FormatWith(id, args, out, &CheckedFormat::Format);
}

bool ResourceChain::FormatInserts(unsigned id, std::initializer_list<FormatArg> args, QString& out) const {
    return FormatWith(id, args, out, &CheckedFormat::FormatInserts);
}

QString ResourceChain::FormatInserts(unsigned id, std::initializer_list<FormatArg> args) const {
    QString out;
    FormatInserts(id, args, out);
    return out;
}

bool ResourceChain::FormatWith(unsigned id, std::initializer_list<FormatArg> args, QString& out, Formatter format) const {
    QString found, builtIn;
    bool haveFound = false, haveBuiltIn = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const ResourceLibrary* library : OrderLocked()) {
            const char* text = library->FindString(id);
            if (!text) continue;
            if (!haveFound) {
                found = QString::fromUtf8(text);
                haveFound = true;
            }
            if (library->IsBuiltIn()) {
                builtIn = QString::fromUtf8(text);
                haveBuiltIn = true;
                break;
            }
        }
    }
    std::span<const FormatArg> list(args.begin(), args.size());
    if (haveFound && format(found, list, out)) return true;
    if (haveBuiltIn && format(builtIn, list, out)) return true;
    out.clear();
    return false;
}

QString ResourceChain::FormatString(unsigned id, std::initializer_list<FormatArg> args) const {
    QString out;
    FormatString(id, args, out);
    return out;
}

bool ResourceChain::LoadMenu(unsigned id, ResourceMenu& out) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const ResourceLibrary* library : OrderLocked()) {
        if (const ZelResMenu* menu = library->FindMenu(id)) {
            out = ResourceMenu::FromResource(*menu);
            return true;
        }
    }
    return false;
}

QImage ResourceChain::LoadIconImage(unsigned id, int size) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const ResourceLibrary* library : OrderLocked()) {
        std::vector<const ZelResImage*> sizes = library->FindIcon(id);
        if (sizes.empty()) continue;
        const ZelResImage* pick = sizes.back();
        for (const ZelResImage* candidate : sizes) {
            if (static_cast<int>(candidate->width) >= size) {
                pick = candidate;
                break;
            }
        }
        QImage image = QImage::fromData(pick->data, static_cast<int>(pick->length), "PNG");
        if (image.isNull() || size <= 0 || (image.width() == size && image.height() == size)) return image;
        return image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QImage();
}

QPixmap ResourceChain::LoadIconPixmap(unsigned id, int size) const { return QPixmap::fromImage(LoadIconImage(id, size)); }

QIcon ResourceChain::LoadIcon(unsigned id) const {
    std::vector<QImage> images;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const ResourceLibrary* library : OrderLocked()) {
            std::vector<const ZelResImage*> sizes = library->FindIcon(id);
            if (sizes.empty()) continue;
            for (const ZelResImage* picture : sizes) {
                QImage image = QImage::fromData(picture->data, static_cast<int>(picture->length), "PNG");
                if (!image.isNull()) images.push_back(image);
            }
            break;
        }
    }
    QIcon icon;
    for (const QImage& image : images) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QImage ResourceChain::LoadBitmapImage(unsigned id) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const ResourceLibrary* library : OrderLocked())
        if (const ZelResImage* picture = library->FindBitmap(id))
            return QImage::fromData(picture->data, static_cast<int>(picture->length), "PNG");
    return QImage();
}

QPixmap ResourceChain::LoadBitmap(unsigned id) const { return QPixmap::fromImage(LoadBitmapImage(id)); }

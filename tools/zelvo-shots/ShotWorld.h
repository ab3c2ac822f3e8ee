#pragma once
// The scene the pictures are taken in: a fresh ZELVO_ROOT, the program's and the default OEM
// resources, the simulated client library on its built-in world, and the adapter connected to
// the WPA2 network with a stored profile.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "zelcore/WcAdapter.h"

class ResourceLibrary;
class WmStatusSourceClient;
class Zelcore;

class ShotWorld {
public:
    ShotWorld() = default;
    ~ShotWorld();
    ShotWorld(const ShotWorld&) = delete;
    ShotWorld& operator=(const ShotWorld&) = delete;

    // Sets up everything; false with *error when a piece is missing.
    bool Open(const std::string& binDir, std::string* error);
    // Stores profiles, activates the WPA2 one and waits for the address.
    bool Connect(std::string* error);

    WmStatusSourceClient* Source() const { return m_source.get(); }
    // The adapter's events since Connect, as the Events History shows them.
    std::vector<std::string> EventLines();
    const std::string& Root() const { return m_root; }

private:
    // Records the adapter's status events (they arrive on the library's thread).
    class EventLog : public WcAdapterEventSink {
    public:
        void OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter* adapter) override;
        std::vector<std::string> Lines();

    private:
        std::mutex m_mutex;
        std::vector<std::string> m_lines;
    };

    std::string m_root;
    EventLog m_events;
    bool m_listening = false;
    ResourceLibrary* m_oem = nullptr;
    Zelcore* m_client = nullptr;
    std::unique_ptr<WmStatusSourceClient> m_source;
};

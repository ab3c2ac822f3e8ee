#pragma once
// A fresh ZELVO_ROOT per test and small file helpers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>

class FreshRoot {
public:
    FreshRoot() {
        char pattern[] = "/tmp/zelvo-start-XXXXXX";
        if (mkdtemp(pattern)) m_path = pattern;
        setenv("ZELVO_ROOT", m_path.c_str(), 1);
        unsetenv("ZELVO_MESSAGEBOX_LOG");
        unsetenv("ZELVO_ANSWERS");
        unsetenv("ZELVO_READONLY_HIVES");
    }
    ~FreshRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FreshRoot(const FreshRoot&) = delete;
    FreshRoot& operator=(const FreshRoot&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::binary);
        out << text;
    }
    std::filesystem::rename(temp, path);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Trace lines without their time and thread prefix ("H:MM:SS.mmm [    TID] ").
inline std::vector<std::string> TraceMessages(const std::string& path) {
    std::vector<std::string> messages;
    for (const std::string& line : ReadLines(path)) {
        const size_t end = line.find("] ");
        messages.push_back(end == std::string::npos ? line : line.substr(end + 2));
    }
    return messages;
}

// True when `wanted` appear in `lines` in that order (other lines may come between).
inline bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    size_t next = 0;
    for (const std::string& line : lines)
        if (next < wanted.size() && line == wanted[next]) ++next;
    return next == wanted.size();
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& wanted) {
    for (const std::string& line : lines)
        if (line == wanted) return true;
    return false;
}

// Runs the event loop until done() or the time is up.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Machine settings as a hive file: "name" -> number.
inline std::string MachineHive(const std::vector<std::pair<std::string, unsigned>>& values) {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovanta\\Zelvo\\Settings]\r\n";
    char line[160];
    for (const auto& [name, value] : values) {
        std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\r\n", name.c_str(), value);
        text += line;
    }
    return text;
}

inline std::string UserHive(const std::vector<std::pair<std::string, unsigned>>& values) {
    std::string text = MachineHive(values);
    text.replace(text.find("HKEY_LOCAL_MACHINE"), 18, "HKEY_CURRENT_USER");
    return text;
}

#pragma once
// Profile files (".prf"): one profile in the shared line syntax, first line "ZELVO-PROFILE 1".
// Every field of the record is written, secrets included; reading validates the whole file.
#include <string>
#include <string_view>

#include "zelcore/WcProfileData.h"
#include "zelcore/WcStatus.h"

class SimProfileFile {
public:
    static constexpr std::string_view kMagic = "ZELVO-PROFILE";
    static constexpr uint32_t kVersion = 1;

    // The file's text; `comment` (one line, may be empty) becomes a comment line.
    static std::string Format(const WcProfileData& record, std::string_view comment);
    // Fields absent from the file keep the value they have in `defaults`. WC_STATUS_BAD_FILE
    // for anything malformed; `record` changes only on success.
    static WcStatus Parse(std::string_view text, const WcProfileData& defaults, WcProfileData* record,
                          std::string* error = nullptr);
    // WC_STATUS_NOT_FOUND when absent, WC_STATUS_BAD_FILE when unreadable, larger than 1 MiB or
    // malformed.
    static WcStatus Read(const std::string& path, const WcProfileData& defaults, WcProfileData* record,
                         std::string* error = nullptr);
    // Replaces the file in one step, mode 0600. WC_STATUS_INVALID_ARGUMENT for a comment with a
    // line break or another control character, WC_STATUS_STORAGE_ERROR_WRITE when it cannot be written.
    static WcStatus Write(const std::string& path, const WcProfileData& record, std::string_view comment);
};

#include "zelcore/sim/SimProfileFile.h"

#include "zelcore/sim/SimProfileStorage.h"
#include "zelcore/sim/SimProfileText.h"

std::string SimProfileFile::Format(const WcProfileData& record, std::string_view comment) {
    std::string out = SimProfileText::Header(kMagic, kVersion);
    if (!comment.empty()) out += "# " + std::string(comment) + "\n";
    SimProfileText::WriteRecord(record, &out);
    out += "end\n";
    return out;
}

WcStatus SimProfileFile::Parse(std::string_view text, const WcProfileData& defaults, WcProfileData* record,
                               std::string* error) {
    SimProfileText::Document document;
    if (!SimProfileText::Parse(text, kMagic, kVersion, &document, error)) return WC_STATUS_BAD_FILE;
    if (!document.blocks.empty()) {
        if (error) *error = "profile blocks are not allowed in a profile file";
        return WC_STATUS_BAD_FILE;
    }
    WcProfileData parsed = defaults;
    if (!SimProfileText::ReadRecord(document.entries, &parsed, error)) return WC_STATUS_BAD_FILE;
    *record = std::move(parsed);
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileFile::Read(const std::string& path, const WcProfileData& defaults, WcProfileData* record,
                              std::string* error) {
    std::string text;
    const WcStatus status = SimProfileStorage::ReadFile(path, SimProfileText::kMaxFileSize, &text);
    if (status == WC_STATUS_NOT_FOUND) return status;
    if (status != WC_STATUS_SUCCESS) {
        if (error) *error = "cannot read the file";
        return WC_STATUS_BAD_FILE;
    }
    return Parse(text, defaults, record, error);
}

WcStatus SimProfileFile::Write(const std::string& path, const WcProfileData& record, std::string_view comment) {
    if (path.empty() || !SimProfileText::IsValidUtf8(comment)) return WC_STATUS_INVALID_ARGUMENT;
    for (char c : comment)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return WC_STATUS_INVALID_ARGUMENT;
    return SimProfileStorage::WriteFileAtomic(path, Format(record, comment)) ? WC_STATUS_SUCCESS
                                                                              : WC_STATUS_STORAGE_ERROR_WRITE;
}

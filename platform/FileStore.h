#pragma once
// Whole-file reads and replacing writes; the list file needs nothing finer.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace yomorina {

struct FileWriteOutcome {
    bool Succeeded = false;
    std::string Failure;  // the system's description, for the error message
};

struct FileReadOutcome {
    std::optional<std::string> Bytes;  // empty when the file is missing or cannot be read
    bool Missing = false;
    std::string Failure;  // the system's description, for the error message
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool Exists(std::string_view path) const = 0;
    // A file that exists but cannot be read (held by another program without
    // sharing, denied, not yet downloaded) is tried again until `patience` is up.
    virtual FileReadOutcome Read(std::string_view path, std::chrono::milliseconds patience) const = 0;
    // Either the file holds exactly these bytes afterwards, or it is as it was,
    // or (the swap cut short after the old file went) the file is missing and
    // InterruptedReplacement holds the bytes. A file that another program holds
    // for a moment is waited for briefly.
    virtual FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) = 0;
    // While the file is missing, what a replacement of it had written before it
    // was cut short, whole or not; empty when there is none or the file exists.
    virtual std::optional<std::string> InterruptedReplacement(std::string_view path) const = 0;
    // Removes what a replacement cut short left beside the file, once the file
    // itself is known to be whole.
    virtual void DiscardInterruptedReplacement(std::string_view path) = 0;

    // One try; empty when the file cannot be opened or read.
    std::optional<std::string> ReadAll(std::string_view path) const {
        return Read(path, std::chrono::milliseconds(0)).Bytes;
    }
};

}  // namespace yomorina

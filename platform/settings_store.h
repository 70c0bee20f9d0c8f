// The settings store: 32-bit numbers and strings addressed by (section, value name) under the
// application key "Software\VELMAR\ORBEX" of the current user. The store is one text file in
// the registry-export format:
//
//     Windows Registry Editor Version 5.00
//
//     [HKEY_CURRENT_USER\Software\VELMAR\ORBEX\CONFIG]
//     "CONNECT"=dword:00000001
//     "LOGPATH"="/home/user/logs/"
//
// Section and value names compare without case and keep the case first written. Every read
// goes to the file (no cache), so other processes and threads see each other's writes. Every
// write re-reads the file, changes one value and replaces the file atomically (temporary file,
// flush, rename) under an exclusive lock on a lock file beside it. Lines that cannot be read
// are skipped, silently, and written back as they were when the file is rewritten, so one
// broken line neither hides the other settings nor is lost.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orbex {

// The value types a registry file can hold; numbers as in the registry.
enum class StoredType : std::uint32_t {
    String = 1,  // REG_SZ: "text"
    ExpandString = 2,
    Binary = 3,  // hex:..
    Number = 4,  // REG_DWORD: dword:xxxxxxxx
    MultiString = 7,
    Quad = 11,
};

struct StoredValue {
    std::string name;  // case as first written
    StoredType type = StoredType::String;
    std::string bytes;  // raw data: a string with its terminating NUL, a number little-endian
};

struct StoredKey {
    std::string path;  // full key path, e.g. HKEY_CURRENT_USER\Software\VELMAR\ORBEX\CONFIG
    std::vector<StoredValue> values;
    std::vector<std::string> keptLines;  // lines under the key that could not be read
};

// The parsed content of one registry file.
class RegistryDocument {
  public:
    // Parses the text, keeping every line it cannot read for Serialise; false, with the first
    // such line described in `problem`, when there was one. What could be read is held either way.
    bool Parse(const std::string& text, std::string& problem);
    std::string Serialise() const;

    const StoredKey* FindKey(const std::string& path) const;
    StoredKey& FindOrAddKey(const std::string& path);
    static const StoredValue* FindValue(const StoredKey& key, const std::string& name);
    static void SetValue(StoredKey& key, const std::string& name, StoredType type,
                         std::string bytes);

    const std::vector<StoredKey>& keys() const { return keys_; }

  private:
    std::vector<StoredKey> keys_;
    std::vector<std::string> keptLines_;  // unreadable lines before the first key
};

class SettingsStore {
  public:
    static constexpr const char* kApplicationKey = "Software\\VELMAR\\ORBEX";

    // The store file: $ORBEX_REGISTRY, else $XDG_CONFIG_HOME/VELMAR/ORBEX.reg, else
    // ~/.config/VELMAR/ORBEX.reg.
    static std::string DefaultPath();

    explicit SettingsStore(std::string path = DefaultPath());

    // An empty path means "no application key": every operation fails and does nothing.
    void SetPath(std::string path);
    std::string path() const;

    // True when the value exists and holds at least 4 bytes; value is untouched otherwise.
    // The stored type is not tested: the first 4 bytes are taken as they are.
    bool ReadNumber(const std::string& section, const std::string& name, std::int32_t& value);
    // True when the value exists; text receives its characters up to the first NUL.
    bool ReadString(const std::string& section, const std::string& name, std::string& text);
    bool WriteNumber(const std::string& section, const std::string& name, std::int32_t value);
    // False for a null text.
    bool WriteString(const std::string& section, const std::string& name, const char* text);

  private:
    std::optional<StoredValue> Find(const std::string& section, const std::string& name);
    bool Write(const std::string& section, const std::string& name, StoredType type,
               std::string bytes);
    // Loads the file into doc. A missing file gives an empty document. False only for I/O
    // failures.
    bool Load(const std::string& path, RegistryDocument& doc);
    std::string SectionPath(const std::string& section) const;

    mutable std::mutex mutex_;  // guards path_ (the store is shared by threads)
    std::string path_;
};

// The process-wide store the program's parts share, and its four operations.
SettingsStore& SharedSettingsStore();
bool ReadNumber(const std::string& section, const std::string& name, std::int32_t& value);
bool ReadString(const std::string& section, const std::string& name, std::string& text);
bool WriteNumber(const std::string& section, const std::string& name, std::int32_t value);
bool WriteString(const std::string& section, const std::string& name, const char* text);

}  // namespace orbex

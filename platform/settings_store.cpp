#include "platform/settings_store.h"

#include "platform/hex_digit.h"
#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orbex {

namespace {

constexpr const char* kHeaderV5 = "Windows Registry Editor Version 5.00";
constexpr const char* kHeaderV4 = "REGEDIT4";
constexpr const char* kRoot = "HKEY_CURRENT_USER";

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Trim(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// Registry exports of version 5 are often UTF-16LE with a byte order mark; Orbex writes UTF-8.
// Characters outside the basic plane do not occur in setting names or paths of this program.
std::string ToUtf8(const std::string& raw) {
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE) {
        std::string out;
        for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
            unsigned c = static_cast<unsigned char>(raw[i]) |
                         (static_cast<unsigned>(static_cast<unsigned char>(raw[i + 1])) << 8);
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (c >> 12));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }
    if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return raw.substr(3);
    }
    return raw;
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool ParseQuoted(const std::string& text, std::size_t& pos, std::string& out) {
    if (pos >= text.size() || text[pos] != '"') {
        return false;
    }
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (++pos >= text.size()) {
                return false;
            }
            c = text[pos];
        }
        out += c;
    }
    return false;
}

// "aa,bb,cc" (blanks allowed around the commas) into bytes.
bool ParseHexList(const std::string& list, std::string& bytes) {
    std::string trimmed = Trim(list);
    if (trimmed.empty()) {
        return true;
    }
    std::stringstream items(trimmed);
    std::string item;
    while (std::getline(items, item, ',')) {
        item = Trim(item);
        if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) {
            return false;
        }
        bytes += static_cast<char>(HexDigit(item[0]) * 16 + HexDigit(item[1]));
    }
    return true;
}

// The data part of a value line: "text", dword:xxxxxxxx, hex:.. or hex(N):..
bool ParseData(const std::string& data, StoredType& type, std::string& bytes) {
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        std::string text;
        if (!ParseQuoted(data, pos, text) || !Trim(data.substr(pos)).empty()) {
            return false;
        }
        type = StoredType::String;
        bytes = text + '\0';
        return true;
    }
    if (data.rfind("dword:", 0) == 0) {
        std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        std::uint32_t value = 0;
        for (char c : digits) {
            int d = HexDigit(c);
            if (d < 0) {
                return false;
            }
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        type = StoredType::Number;
        bytes.clear();
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return true;
    }
    if (data.rfind("hex:", 0) == 0) {
        type = StoredType::Binary;
        return ParseHexList(data.substr(4), bytes);
    }
    if (data.rfind("hex(", 0) == 0) {
        std::size_t close = data.find("):");
        if (close == std::string::npos || close == 4) {
            return false;
        }
        std::uint32_t number = 0;
        for (std::size_t i = 4; i < close; ++i) {
            int d = HexDigit(data[i]);
            if (d < 0 || close - 4 > 8) {
                return false;
            }
            number = number * 16 + static_cast<std::uint32_t>(d);
        }
        type = static_cast<StoredType>(number);
        return ParseHexList(data.substr(close + 2), bytes);
    }
    return false;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string HexList(const std::string& bytes) {
    std::string out;
    char item[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(item, sizeof item, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i) {
            out += ',';
        }
        out += item;
    }
    return out;
}

// A string is written in quotes when it reads back the same: one NUL at its end, no line break.
bool QuotableString(const std::string& bytes) {
    if (bytes.empty() || bytes.back() != '\0') {
        return false;
    }
    return bytes.find_first_of(std::string("\r\n\0", 3)) == bytes.size() - 1;
}

// An exclusive lock on "<store>.lock" for as long as the object lives. flock locks belong to
// the open file, so they also keep the threads of this process apart.
class StoreLock {
  public:
    explicit StoreLock(const std::string& storePath) {
        fd_ = ::open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // Waits for the writer that holds the lock: a write takes milliseconds.
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~StoreLock() {
        if (fd_ >= 0) {
            ::close(fd_);  // releases the lock
        }
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

bool ReadWholeFile(const std::string& path, std::string& text, bool& missing) {
    missing = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        missing = errno == ENOENT;
        return missing;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

}  // namespace

// --- RegistryDocument ---------------------------------------------------------------------

bool RegistryDocument::Parse(const std::string& raw, std::string& problem) {
    keys_.clear();
    keptLines_.clear();
    std::string text = ToUtf8(raw);
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }

    bool headerSeen = false;
    StoredKey* current = nullptr;
    bool skippingKey = false;  // inside a "[-key]" deletion entry
    bool brokenKey = false;    // under a key line that could not be read
    problem.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t first = i;
        std::string entry = Trim(lines[i]);
        // Long hex lists continue on the next line after a trailing backslash.
        while (!entry.empty() && entry.back() == '\\' && entry.find("=hex") != std::string::npos &&
               i + 1 < lines.size()) {
            entry.pop_back();
            entry += Trim(lines[++i]);
        }
        if (entry.empty() || entry[0] == ';') {
            continue;
        }
        // A line that cannot be read is kept as it was, where it was, and written back with the
        // rest; the first one is described in `problem`.
        const auto keep = [&](const char* what) {
            if (problem.empty()) {
                problem = "line " + std::to_string(first + 1) + ": " + what;
            }
            std::vector<std::string>& kept = current ? current->keptLines : keptLines_;
            kept.insert(kept.end(), lines.begin() + static_cast<std::ptrdiff_t>(first),
                        lines.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        };
        if (entry == kHeaderV5 || entry == kHeaderV4) {
            headerSeen = true;
            continue;
        }
        if (!headerSeen && keys_.empty() && entry[0] != '[') {
            keep("not a registry file header");
            continue;
        }
        if (entry[0] == '[') {
            if (entry.back() != ']' || entry.size() < 3) {
                // The values below a broken key line belong to no key the program knows: they
                // are kept with it, under the key before.
                keep("broken key line");
                skippingKey = false;
                brokenKey = true;
                continue;
            }
            brokenKey = false;
            std::string path = entry.substr(1, entry.size() - 2);
            skippingKey = path[0] == '-';
            current = skippingKey ? nullptr : &FindOrAddKey(path);
            continue;
        }
        if (skippingKey) {
            continue;
        }
        if (brokenKey || !current) {
            keep(brokenKey ? "value under a broken key line" : "value outside a key");
            continue;
        }
        std::string name;
        std::size_t pos = 0;
        if (entry[0] == '@') {
            pos = 1;
        } else if (!ParseQuoted(entry, pos, name)) {
            keep("broken value name");
            continue;
        }
        std::string rest = Trim(entry.substr(pos));
        if (rest.empty() || rest[0] != '=') {
            keep("missing \"=\"");
            continue;
        }
        std::string data = Trim(rest.substr(1));
        if (data == "-") {
            continue;  // a deletion entry: nothing to keep
        }
        StoredType type{};
        std::string bytes;
        if (!ParseData(data, type, bytes)) {
            keep("unreadable value data");
            continue;
        }
        SetValue(*current, name, type, std::move(bytes));
    }
    return problem.empty();
}

std::string RegistryDocument::Serialise() const {
    std::string out = std::string(kHeaderV5) + "\n";
    for (const std::string& line : keptLines_) {
        out += line + "\n";
    }
    for (const StoredKey& key : keys_) {
        out += "\n[" + key.path + "]\n";
        for (const StoredValue& value : key.values) {
            out += value.name.empty() ? "@=" : "\"" + Escape(value.name) + "\"=";
            if (value.type == StoredType::String && QuotableString(value.bytes)) {
                out += "\"" + Escape(value.bytes.substr(0, value.bytes.size() - 1)) + "\"";
            } else if (value.type == StoredType::Number && value.bytes.size() == 4) {
                std::uint32_t number = 0;
                for (int i = 3; i >= 0; --i) {
                    number = number << 8 | static_cast<unsigned char>(value.bytes[i]);
                }
                char digits[16];
                std::snprintf(digits, sizeof digits, "dword:%08x", number);
                out += digits;
            } else if (value.type == StoredType::Binary) {
                out += "hex:" + HexList(value.bytes);
            } else {
                char type[16];
                std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
                out += type + HexList(value.bytes);
            }
            out += "\n";
        }
        for (const std::string& line : key.keptLines) {
            out += line + "\n";
        }
    }
    return out;
}

const StoredKey* RegistryDocument::FindKey(const std::string& path) const {
    for (const StoredKey& key : keys_) {
        if (SameName(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

StoredKey& RegistryDocument::FindOrAddKey(const std::string& path) {
    for (StoredKey& key : keys_) {
        if (SameName(key.path, path)) {
            return key;
        }
    }
    keys_.push_back(StoredKey{path, {}, {}});
    return keys_.back();
}

const StoredValue* RegistryDocument::FindValue(const StoredKey& key, const std::string& name) {
    for (const StoredValue& value : key.values) {
        if (SameName(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

void RegistryDocument::SetValue(StoredKey& key, const std::string& name, StoredType type,
                                std::string bytes) {
    for (StoredValue& value : key.values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.bytes = std::move(bytes);
            return;
        }
    }
    key.values.push_back(StoredValue{name, type, std::move(bytes)});
}

// --- SettingsStore ------------------------------------------------------------------------

std::string SettingsStore::DefaultPath() {
    if (const char* explicitPath = std::getenv("ORBEX_REGISTRY"); explicitPath && *explicitPath) {
        return explicitPath;
    }
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        return {};
    }
    return base + "/VELMAR/ORBEX.reg";
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

void SettingsStore::SetPath(std::string path) {
    std::lock_guard lock(mutex_);  // path_ is read by every operation on any thread
    path_ = std::move(path);
}

std::string SettingsStore::path() const {
    std::lock_guard lock(mutex_);  // see SetPath
    return path_;
}

std::string SettingsStore::SectionPath(const std::string& section) const {
    return std::string(kRoot) + "\\" + kApplicationKey + "\\" + section;
}

bool SettingsStore::Load(const std::string& path, RegistryDocument& doc) {
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(path, text, missing)) {
        return false;
    }
    // What cannot be read is skipped here and kept in the document, so a rewrite loses nothing
    // of the user's file; as registry failures are, this is silent.
    std::string problem;
    if (!missing) {
        doc.Parse(text, problem);
    }
    return true;
}

std::optional<StoredValue> SettingsStore::Find(const std::string& section,
                                               const std::string& name) {
    std::string path = this->path();
    if (path.empty()) {
        return std::nullopt;
    }
    RegistryDocument doc;
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(path, text, missing) || missing) {
        return std::nullopt;
    }
    // Writers replace the file atomically, so no lock is needed to see a whole file; lines
    // that cannot be read are skipped.
    std::string problem;
    doc.Parse(text, problem);
    const StoredKey* key = doc.FindKey(SectionPath(section));
    if (!key) {
        return std::nullopt;
    }
    const StoredValue* value = RegistryDocument::FindValue(*key, name);
    return value ? std::optional<StoredValue>(*value) : std::nullopt;
}

bool SettingsStore::Write(const std::string& section, const std::string& name, StoredType type,
                          std::string bytes) {
    std::string path = this->path();
    if (path.empty()) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    bool written = false;
    {
        StoreLock lock(path);
        RegistryDocument doc;
        if (lock.held() && Load(path, doc)) {
            doc.FindOrAddKey(std::string(kRoot) + "\\" + kApplicationKey);
            RegistryDocument::SetValue(doc.FindOrAddKey(SectionPath(section)), name, type,
                                       std::move(bytes));
            std::string error;  // the store's callers learn only that it failed
            written = ReplaceWholeFile(path, doc.Serialise(), error);
        }
    }
    return written;
}

bool SettingsStore::ReadNumber(const std::string& section, const std::string& name,
                               std::int32_t& value) {
    std::optional<StoredValue> stored = Find(section, name);
    if (!stored || stored->bytes.size() < 4) {
        return false;
    }
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) {
        number = number << 8 | static_cast<unsigned char>(stored->bytes[i]);
    }
    value = static_cast<std::int32_t>(number);
    return true;
}

bool SettingsStore::ReadString(const std::string& section, const std::string& name,
                               std::string& text) {
    std::optional<StoredValue> stored = Find(section, name);
    if (!stored) {
        return false;
    }
    text = stored->bytes.substr(0, stored->bytes.find('\0'));
    return true;
}

bool SettingsStore::WriteNumber(const std::string& section, const std::string& name,
                                std::int32_t value) {
    std::string bytes;
    auto number = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    }
    return Write(section, name, StoredType::Number, std::move(bytes));
}

bool SettingsStore::WriteString(const std::string& section, const std::string& name,
                                const char* text) {
    if (!text) {
        return false;
    }
    return Write(section, name, StoredType::String, std::string(text) + '\0');
}

SettingsStore& SharedSettingsStore() {
    static SettingsStore store;
    return store;
}

bool ReadNumber(const std::string& section, const std::string& name, std::int32_t& value) {
    return SharedSettingsStore().ReadNumber(section, name, value);
}

bool ReadString(const std::string& section, const std::string& name, std::string& text) {
    return SharedSettingsStore().ReadString(section, name, text);
}

bool WriteNumber(const std::string& section, const std::string& name, std::int32_t value) {
    return SharedSettingsStore().WriteNumber(section, name, value);
}

bool WriteString(const std::string& section, const std::string& name, const char* text) {
    return SharedSettingsStore().WriteString(section, name, text);
}

}  // namespace orbex

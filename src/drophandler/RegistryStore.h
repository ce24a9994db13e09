#pragma once
#include "ObjectProtocol.h"

#include <map>
#include <string>
#include <string_view>

namespace drophandler {

/** Value types as the registry numbers them; any other number is kept as it is. */
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

/** Orders names ignoring the case of ASCII letters, as the registry compares them. */
struct CaseInsensitiveLess {
    bool operator()(std::string_view a, std::string_view b) const;
    using is_transparent = void;
};

/** One named value of a key: its type and raw bytes. The default value has the empty name. */
struct RegistryValue {
    std::string name;
    DWORD type = REG_SZ;
    std::string data;

    /** The bytes read as text, whatever the type: everything before the first zero byte. */
    std::string text() const;
};

/** One key, named by its full path from the root ("HKEY_CLASSES_ROOT\CLSID\{...}"). */
struct RegistryKey {
    std::string path;
    std::map<std::string, RegistryValue, CaseInsensitiveLess> values;
};

/**
 * The registry that Tamsel and its host share, kept as a text file in .reg syntax. Key paths
 * join names with "\" and start with their root; key and value names compare ignoring the case
 * of ASCII letters. A key exists when it is listed or when a key below it is listed.
 */
class RegistryStore {
public:
    /** $TAMSEL_REGISTRY when set, else ~/.config/tamsel/registry.reg; empty when no home is known. */
    static std::string defaultFilePath();

    /** True when @p path has a root and no empty name ("A\\\\B", "\\A" and "" are not paths). */
    static bool isValidPath(std::string_view path);

    /**
     * Replaces the contents with the file at @p filePath. A missing file is an empty registry.
     * False, with the store left empty, when the file cannot be read or is not valid .reg text.
     * Only a regular file (or a link to one) is read; the file is opened without waiting, so a
     * FIFO or a device in its place cannot be read and is never waited on.
     */
    bool load(const std::string &filePath);

    /**
     * Writes the file atomically (a temporary file renamed over it); false on any failure. The
     * temporary file is readable by the owner alone until it is whole; then it takes the old
     * file's owner, group (as far as the process may set them) and permissions, or for a new
     * file 0666 without the bits of the process's umask. A symbolic link to a regular file is
     * written through: the file it leads to is replaced and the link stays. Anything else that
     * is not a regular file (a dangling link included) is never replaced: false.
     */
    bool save(const std::string &filePath) const;

    bool keyExists(std::string_view path) const;
    bool hasSubkeys(std::string_view path) const;
    const RegistryKey *findKey(std::string_view path) const;
    const RegistryValue *findValue(std::string_view keyPath, std::string_view name) const;

    /** Creates the key when it is not listed yet; false for an invalid path. */
    bool createKey(std::string_view path);
    /** Sets a value, creating its key; false for an invalid path. */
    bool setValue(std::string_view keyPath, std::string_view name, DWORD type, std::string data);
    /** Sets a REG_SZ value: the text and its terminating zero. */
    bool setString(std::string_view keyPath, std::string_view name, std::string_view text);
    bool deleteValue(std::string_view keyPath, std::string_view name);
    /** Deletes one listed key; fails when it does not exist or still has subkeys. */
    bool deleteKey(std::string_view path);
    /** Deletes a key and everything below it. */
    void deleteTree(std::string_view path);
    void clear();

    const std::map<std::string, RegistryKey, CaseInsensitiveLess> &keys() const { return keys_; }

private:
    std::map<std::string, RegistryKey, CaseInsensitiveLess> keys_;
};

} // namespace drophandler

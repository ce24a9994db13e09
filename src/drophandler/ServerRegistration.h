#pragma once
#include "ObjectProtocol.h"

#include <string>

namespace drophandler {

/**
 * The class registration of the library:
 *   HKEY_CLASSES_ROOT\CLSID\{class id}                 @ = "Wyncourt"
 *   HKEY_CLASSES_ROOT\CLSID\{class id}\InprocServer32  @ = library path,
 *                                                      "ThreadingModel" = "Apartment"
 * The registry file is read whole, changed in memory and written back atomically, keeping its
 * owner, group and permissions; a link to it is written through. A registry that is no regular
 * file (a FIFO, a folder, a device, a dangling link) cannot be read or written: E_UNEXPECTED, at
 * once, and nothing is changed.
 */
class ServerRegistration {
public:
    /** Writes the registration; E_UNEXPECTED when the file cannot be read, parsed or written. */
    static HRESULT registerServer(const std::string &registryFile, const std::string &libraryPath);

    /**
     * Deletes the InprocServer32 key, then the class key. E_UNEXPECTED when a key is missing
     * or still has subkeys; a deletion that succeeded before the failure is kept.
     */
    static HRESULT unregisterServer(const std::string &registryFile);

    /** The full path of this library file; empty when it cannot be found. */
    static std::string libraryPath();

    /** "HKEY_CLASSES_ROOT\CLSID\{class id}". */
    static std::string classKey();
};

} // namespace drophandler

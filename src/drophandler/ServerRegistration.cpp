#include "ServerRegistration.h"

#include "DropHandlerClass.h"
#include "RegistryStore.h"

#include <cstdlib>
#include <dlfcn.h>

namespace drophandler {

namespace {

constexpr char InprocServerKey[] = "\\InprocServer32";
constexpr char ThreadingModelValue[] = "ThreadingModel";
constexpr char ApartmentModel[] = "Apartment";

/** Any object of this library; its address tells which file the library was loaded from. */
const char LibraryAnchor = 0;

} // namespace

std::string ServerRegistration::classKey()
{
    return std::string(ClassesRoot) + "\\CLSID\\" + GuidToString(CLSID_DropTargetObject);
}

std::string ServerRegistration::libraryPath()
{
    Dl_info info{};
    if (dladdr(&LibraryAnchor, &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return {};
    char *resolved = realpath(info.dli_fname, nullptr);
    if (!resolved)
        return {};
    std::string path(resolved);
    std::free(resolved);
    return path;
}

HRESULT ServerRegistration::registerServer(const std::string &registryFile,
                                           const std::string &libraryPath)
{
    if (libraryPath.empty())
        return E_UNEXPECTED;
    RegistryStore registry;
    if (!registry.load(registryFile))
        return E_UNEXPECTED;
    const std::string key = classKey();
    const std::string serverKey = key + InprocServerKey;
    registry.setString(key, "", RegisteredName);
    registry.setString(serverKey, "", libraryPath);
    registry.setString(serverKey, ThreadingModelValue, ApartmentModel);
    return registry.save(registryFile) ? S_OK : E_UNEXPECTED;
}

HRESULT ServerRegistration::unregisterServer(const std::string &registryFile)
{
    RegistryStore registry;
    if (!registry.load(registryFile))
        return E_UNEXPECTED;
    const std::string key = classKey();
    if (!registry.deleteKey(key + InprocServerKey))
        return E_UNEXPECTED;
    const bool classKeyDeleted = registry.deleteKey(key);
    if (!registry.save(registryFile))
        return E_UNEXPECTED;
    return classKeyDeleted ? S_OK : E_UNEXPECTED;
}

} // namespace drophandler

// The four functions the library exports to its host. Everything else is hidden.
#include "ClassFactory.h"
#include "DropHandlerClass.h"
#include "RegistryStore.h"
#include "ServerCount.h"
#include "ServerRegistration.h"

#include <exception>

using namespace drophandler;

#define TAMSEL_EXPORT extern "C" __attribute__((visibility("default")))

TAMSEL_EXPORT HRESULT DllGetClassObject(const CLSID &classId, const IID &riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(classId, CLSID_DropTargetObject))
        return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory *factory = ClassFactory::create(ServerCount::instance());
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(riid, ppv);
    factory->Release();
    return result;
}

TAMSEL_EXPORT HRESULT DllCanUnloadNow()
{
    return ServerCount::instance().isZero() ? S_OK : S_FALSE;
}

TAMSEL_EXPORT HRESULT DllRegisterServer()
{
    try {
        return ServerRegistration::registerServer(RegistryStore::defaultFilePath(),
                                                  ServerRegistration::libraryPath());
    } catch (const std::exception &) {
        return E_UNEXPECTED;
    }
}

TAMSEL_EXPORT HRESULT DllUnregisterServer()
{
    try {
        return ServerRegistration::unregisterServer(RegistryStore::defaultFilePath());
    } catch (const std::exception &) {
        return E_UNEXPECTED;
    }
}

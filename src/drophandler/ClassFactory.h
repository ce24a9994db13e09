#pragma once
#include "ObjectProtocol.h"

#include <atomic>

namespace drophandler {

class ServerCount;

/**
 * Makes drop-target objects. Its ClassTable lists the interfaces an object can be asked for at
 * creation; any other identifier gets E_NOTIMPL from CreateInstance().
 */
class ClassFactory final : public IClassFactory {
public:
    /** Creates a factory with count 1 and one unit of @p serverCount; null when out of memory. */
    static ClassFactory *create(ServerCount &serverCount);

    HRESULT QueryInterface(const IID &riid, void **ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown *outer, const IID &riid, void **ppvObject) override;
    HRESULT LockServer(BOOL lock) override;

private:
    explicit ClassFactory(ServerCount &serverCount);
    ~ClassFactory() = default;

    std::atomic<ULONG> references_{1};
    ServerCount &serverCount_;
};

} // namespace drophandler

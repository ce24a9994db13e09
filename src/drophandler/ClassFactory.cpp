#include "ClassFactory.h"

#include "DropTargetObject.h"
#include "ServerCount.h"

#include <new>

namespace drophandler {

namespace {

/** Creates an object with count 1 and hands out its IUnknown; null when out of memory. */
using Creator = IUnknown *(*)(ServerCount &serverCount);

IUnknown *createDropTarget(ServerCount &serverCount)
{
    return static_cast<IPersistFile *>(DropTargetObject::create(serverCount));
}

struct ClassTableEntry {
    const IID *iid;
    Creator create;
};

/** The interfaces CreateInstance answers, in the order they are looked up. */
constexpr ClassTableEntry ClassTable[] = {
    {&IID_IUnknown, createDropTarget},
    {&IID_IPersistFile, createDropTarget},
    {&IID_IDropTarget, createDropTarget},
};

} // namespace

ClassFactory *ClassFactory::create(ServerCount &serverCount)
{
    return new (std::nothrow) ClassFactory(serverCount);
}

ClassFactory::ClassFactory(ServerCount &serverCount) : serverCount_(serverCount)
{
    serverCount_.increment();
}

HRESULT ClassFactory::QueryInterface(const IID &riid, void **ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IClassFactory)) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IClassFactory *>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::AddRef()
{
    return references_.fetch_add(1) + 1;
}

ULONG ClassFactory::Release()
{
    const ULONG left = references_.fetch_sub(1) - 1;
    if (left == 0) {
        ServerCount &serverCount = serverCount_;
        delete this;
        serverCount.decrement();
    }
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown *outer, const IID &riid, void **ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    for (const ClassTableEntry &entry : ClassTable) {
        if (!IsEqualGUID(*entry.iid, riid))
            continue;
        IUnknown *object = entry.create(serverCount_);
        if (!object)
            return E_OUTOFMEMORY;
        const HRESULT result = object->QueryInterface(riid, ppvObject);
        object->Release();
        return result;
    }
    return E_NOTIMPL;
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        serverCount_.lock();
    else
        serverCount_.unlock();
    return S_OK;
}

} // namespace drophandler

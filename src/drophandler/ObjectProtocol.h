#pragma once
/**
 * @file
 * The minimal object protocol that Tamsel speaks with its host (the file manager that plays the
 * shell): identifiers, result codes, the interfaces as abstract classes whose virtual functions
 * are declared in the protocol's slot order (hosts call them by position), the data formats of a
 * file drop, and the memory block that carries them. Header only, so that a host can include it without linking anything.
 */
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace drophandler {

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
/** One UTF-16 code unit, the character type of paths handed over in wide form. */
using OLECHAR = char16_t;

/** A 128-bit identifier of a class or interface, laid out as its 16 bytes. */
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::array<std::uint8_t, 8> Data4;
};
using IID = GUID;
using CLSID = GUID;
static_assert(sizeof(GUID) == 16);

/** Compares all 16 bytes of two identifiers. */
inline bool IsEqualGUID(const GUID &a, const GUID &b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

/** The registry text form: braces, upper-case hex digits in groups of 8-4-4-4-12 (38 characters). */
inline std::string GuidToString(const GUID &id)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "{";
    const auto hex = [&](std::uint64_t value, int count) {
        for (int shift = (count - 1) * 4; shift >= 0; shift -= 4)
            text += digits[(value >> shift) & 0xF];
    };
    hex(id.Data1, 8);
    text += '-';
    hex(id.Data2, 4);
    text += '-';
    hex(id.Data3, 4);
    text += '-';
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 2)
            text += '-';
        hex(id.Data4[i], 2);
    }
    text += '}';
    return text;
}

inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IPersistFile{0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
/** Returned by a data object that does not offer the requested format. */
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);

inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;

inline constexpr std::uint16_t CF_HDROP = 15;
inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD TYMED_NULL = 0;
inline constexpr DWORD TYMED_HGLOBAL = 1;

/**
 * A memory block handed from one module to another (the role of a global memory handle). The
 * module that allocates it sets @c release, so the block is always freed by its own allocator.
 */
struct GlobalMemory {
    void *bytes;
    std::size_t size;
    void (*release)(GlobalMemory *block);
};
using HGLOBAL = GlobalMemory *;

/** Allocates a zeroed block of @p size bytes; null when out of memory. */
inline HGLOBAL GlobalAlloc(std::size_t size)
{
    auto *block = static_cast<GlobalMemory *>(std::malloc(sizeof(GlobalMemory)));
    if (!block)
        return nullptr;
    block->bytes = std::calloc(size ? size : 1, 1);
    if (!block->bytes) {
        std::free(block);
        return nullptr;
    }
    block->size = size;
    block->release = [](GlobalMemory *self) {
        std::free(self->bytes);
        std::free(self);
    };
    return block;
}

/** Frees a block through the allocator of the module that made it. */
inline void GlobalFree(HGLOBAL block)
{
    if (block && block->release)
        block->release(block);
}

/** The block's bytes, or null for a null handle. */
inline void *GlobalLock(HGLOBAL block) { return block ? block->bytes : nullptr; }
inline void GlobalUnlock(HGLOBAL) {}
/** The number of bytes the block holds; 0 for a null handle. */
inline std::size_t GlobalSize(HGLOBAL block) { return block ? block->size : 0; }

struct POINTL {
    std::int32_t x;
    std::int32_t y;
};

/** Describes the data asked of a data object. */
struct FORMATETC {
    std::uint16_t cfFormat;
    void *ptd;
    DWORD dwAspect;
    std::int32_t lindex;
    DWORD tymed;
};

class IUnknown;

/** The data a data object hands over; the receiver frees it with ReleaseStgMedium(). */
struct STGMEDIUM {
    DWORD tymed;
    HGLOBAL hGlobal;
    IUnknown *pUnkForRelease;
};

/**
 * Head of a file-drop block (the CF_HDROP format), followed at offset @c pFiles by the dropped
 * paths, each ending in a zero character, the list ending in one more zero character. With
 * @c fWide zero the paths are 8-bit file-system names, otherwise UTF-16 in native byte order.
 */
struct DROPFILES {
    DWORD pFiles;
    POINTL pt;
    BOOL fNC;
    BOOL fWide;
};
static_assert(sizeof(DROPFILES) == 20);

/** Identity and reference counting shared by every interface. */
class IUnknown {
public:
    virtual HRESULT QueryInterface(const IID &riid, void **ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

/** Creates the objects of one class. */
class IClassFactory : public IUnknown {
public:
    virtual HRESULT CreateInstance(IUnknown *outer, const IID &riid, void **ppvObject) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

/** An object that is told which file it stands for. */
class IPersistFile : public IUnknown {
public:
    virtual HRESULT GetClassID(CLSID *classId) = 0;
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(const OLECHAR *fileName, DWORD mode) = 0;
    virtual HRESULT Save(const OLECHAR *fileName, BOOL remember) = 0;
    virtual HRESULT SaveCompleted(const OLECHAR *fileName) = 0;
    virtual HRESULT GetCurFile(OLECHAR **fileName) = 0;

protected:
    ~IPersistFile() = default;
};

/**
 * Data being dragged. The enumerator and advise-sink arguments are typed as IUnknown: this
 * protocol has no use for them beyond keeping their slots.
 */
class IDataObject : public IUnknown {
public:
    virtual HRESULT GetData(FORMATETC *format, STGMEDIUM *medium) = 0;
    virtual HRESULT GetDataHere(FORMATETC *format, STGMEDIUM *medium) = 0;
    virtual HRESULT QueryGetData(FORMATETC *format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC *in, FORMATETC *out) = 0;
    virtual HRESULT SetData(FORMATETC *format, STGMEDIUM *medium, BOOL release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, IUnknown **enumerator) = 0;
    virtual HRESULT DAdvise(FORMATETC *format, DWORD flags, IUnknown *sink, DWORD *connection) = 0;
    virtual HRESULT DUnadvise(DWORD connection) = 0;
    virtual HRESULT EnumDAdvise(IUnknown **enumerator) = 0;

protected:
    ~IDataObject() = default;
};

/** Receives a drag: enter, moves over, leave or drop. */
class IDropTarget : public IUnknown {
public:
    virtual HRESULT DragEnter(IDataObject *data, DWORD keyState, POINTL pt, DWORD *effect) = 0;
    virtual HRESULT DragOver(DWORD keyState, POINTL pt, DWORD *effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject *data, DWORD keyState, POINTL pt, DWORD *effect) = 0;

protected:
    ~IDropTarget() = default;
};

/**
 * Frees what a medium holds: when it names an owner to release, that owner is released;
 * otherwise its memory block is freed. The medium is left empty.
 */
inline void ReleaseStgMedium(STGMEDIUM *medium)
{
    if (!medium)
        return;
    if (medium->pUnkForRelease)
        medium->pUnkForRelease->Release();
    else if (medium->tymed == TYMED_HGLOBAL)
        GlobalFree(medium->hGlobal);
    *medium = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
}

/** Signatures of the four functions an in-process server exports (C linkage). */
using DllGetClassObjectFunction = HRESULT (*)(const CLSID &classId, const IID &riid, void **ppv);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

} // namespace drophandler

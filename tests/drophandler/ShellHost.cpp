#include "ShellHost.h"

#include "DropHandlerClass.h"

#include <QString>
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <sstream>
#include <thread>

namespace shellhost {

namespace {

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

template <typename Function>
Function symbol(void *handle, const char *name)
{
    return reinterpret_cast<Function>(dlsym(handle, name));
}

} // namespace

TamselLibrary &TamselLibrary::instance()
{
    static TamselLibrary library = [] {
        TamselLibrary loaded;
        loaded.handle = dlopen(TAMSEL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!loaded.handle)
            return loaded;
        loaded.getClassObject = symbol<DllGetClassObjectFunction>(loaded.handle, "DllGetClassObject");
        loaded.canUnloadNow = symbol<DllCanUnloadNowFunction>(loaded.handle, "DllCanUnloadNow");
        loaded.registerServer = symbol<DllRegisterServerFunction>(loaded.handle, "DllRegisterServer");
        loaded.unregisterServer =
            symbol<DllUnregisterServerFunction>(loaded.handle, "DllUnregisterServer");
        return loaded;
    }();
    return library;
}

std::u16string utf16(const std::string &text)
{
    const QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return std::u16string(reinterpret_cast<const char16_t *>(converted.utf16()),
                          static_cast<std::size_t>(converted.size()));
}

std::string dropFilesBlock(const std::vector<std::string> &paths, bool wide)
{
    DROPFILES head{sizeof(DROPFILES), {0, 0}, 0, wide ? 1 : 0};
    std::string block(reinterpret_cast<const char *>(&head), sizeof head);
    for (const std::string &path : paths) {
        if (wide) {
            const std::u16string units = utf16(path) + u'\0';
            block.append(reinterpret_cast<const char *>(units.data()), units.size() * 2);
        } else {
            block += path;
            block += '\0';
        }
    }
    block.append(wide ? 2 : 1, '\0');
    return block;
}

std::string regString(const std::string &text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::atomic<int> TestDataObject::freed_{0};

TestDataObject::TestDataObject(std::string block, HRESULT getDataResult)
    : block_(std::move(block)), getDataResult_(getDataResult)
{
}

HRESULT TestDataObject::QueryInterface(const IID &riid, void **ppvObject)
{
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDataObject)) {
        *ppvObject = static_cast<IDataObject *>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

ULONG TestDataObject::AddRef()
{
    return ++references_;
}

ULONG TestDataObject::Release()
{
    // Test objects live on the stack; the count only shows that every AddRef was matched.
    return --references_;
}

HRESULT TestDataObject::GetData(FORMATETC *format, STGMEDIUM *medium)
{
    if (FAILED(getDataResult_))
        return getDataResult_;
    if (format->cfFormat != CF_HDROP || format->dwAspect != DVASPECT_CONTENT
        || format->lindex != -1 || !(format->tymed & TYMED_HGLOBAL) || format->ptd)
        return DV_E_FORMATETC;
    HGLOBAL block = GlobalAlloc(block_.size());
    if (!block)
        return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(block), block_.data(), block_.size());
    GlobalUnlock(block);
    block->release = [](GlobalMemory *self) {
        ++freed_;
        std::free(self->bytes);
        std::free(self);
    };
    ++handedOut_;
    *medium = STGMEDIUM{TYMED_HGLOBAL, block, nullptr};
    return S_OK;
}

void ShellTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    ASSERT_NE(TamselLibrary::instance().handle, nullptr) << dlerror();
    setenv("TAMSEL_REGISTRY", path("registry.reg").c_str(), 1);
    setenv("TAMSEL_MESSAGE_LOG", path("messages.log").c_str(), 1);
    setenv("TAMSEL_TEST_RECORD", path("record").c_str(), 1);
    ASSERT_EQ(TamselLibrary::instance().registerServer(), S_OK);
}

void ShellTest::TearDown()
{
    EXPECT_EQ(TamselLibrary::instance().canUnloadNow(), S_OK) << "an object or lock was left alive";
    unsetenv("TAMSEL_REGISTRY");
    unsetenv("TAMSEL_MESSAGE_LOG");
    unsetenv("TAMSEL_TEST_RECORD");
}

std::string ShellTest::path(const std::string &name) const
{
    return folder.filePath(QString::fromStdString(name)).toStdString();
}

void ShellTest::addToRegistry(const std::string &text) const
{
    std::ofstream out(path("registry.reg"), std::ios::binary | std::ios::app);
    out << '\n' << text << '\n';
    ASSERT_TRUE(out.good());
}

std::string ShellTest::registryText() const
{
    return readAll(path("registry.reg"));
}

std::string ShellTest::messages() const
{
    return readAll(path("messages.log"));
}

bool ShellTest::recordingExists() const
{
    return std::ifstream(path("record")).good();
}

std::optional<Recording> ShellTest::takeRecording() const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!recordingExists()) {
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Recording recording;
    const std::string record = readAll(path("record"));
    for (std::size_t start = 0; start < record.size();) {
        const std::size_t end = record.find('\0', start);
        recording.argv.push_back(record.substr(start, end - start));
        start = end + 1;
    }
    recording.commandLine = readAll(path("record.line"));
    std::remove(path("record").c_str());
    std::remove(path("record.line").c_str());
    return recording;
}

IPersistFile *ShellTest::createDropTarget() const
{
    IClassFactory *factory = nullptr;
    if (TamselLibrary::instance().getClassObject(CLSID_DropTargetObject, IID_IClassFactory,
                                                 reinterpret_cast<void **>(&factory))
        != S_OK)
        return nullptr;
    IPersistFile *object = nullptr;
    factory->CreateInstance(nullptr, IID_IPersistFile, reinterpret_cast<void **>(&object));
    factory->Release();
    return object;
}

} // namespace shellhost

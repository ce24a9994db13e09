#pragma once
// The test's side of the object protocol: it plays the file manager that loads libtamsel.so,
// keeps the registry file, and drags data objects onto a drop target.
#include "ObjectProtocol.h"

#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace shellhost {

using namespace drophandler;

/** libtamsel.so, opened once for the whole test program, and its four exports. */
struct TamselLibrary {
    void *handle = nullptr;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllCanUnloadNowFunction canUnloadNow = nullptr;
    DllRegisterServerFunction registerServer = nullptr;
    DllUnregisterServerFunction unregisterServer = nullptr;

    static TamselLibrary &instance();
};

/** A file-drop block listing @p paths (UTF-8), as 8-bit names or as UTF-16. */
std::string dropFilesBlock(const std::vector<std::string> &paths, bool wide = false);

/** UTF-8 to UTF-16, for paths handed to Load. */
std::u16string utf16(const std::string &text);

/** A .reg quoted string for @p text (backslashes and double quotes escaped). */
std::string regString(const std::string &text);

/**
 * A data object that offers one file-drop block, or fails GetData with a given result. It
 * counts the memory blocks it hands out and those freed again.
 */
class TestDataObject final : public IDataObject {
public:
    explicit TestDataObject(std::string block, HRESULT getDataResult = S_OK);

    HRESULT QueryInterface(const IID &riid, void **ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetData(FORMATETC *format, STGMEDIUM *medium) override;
    HRESULT GetDataHere(FORMATETC *, STGMEDIUM *) override { return E_NOTIMPL; }
    HRESULT QueryGetData(FORMATETC *) override { return E_NOTIMPL; }
    HRESULT GetCanonicalFormatEtc(FORMATETC *, FORMATETC *) override { return E_NOTIMPL; }
    HRESULT SetData(FORMATETC *, STGMEDIUM *, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, IUnknown **) override { return E_NOTIMPL; }
    HRESULT DAdvise(FORMATETC *, DWORD, IUnknown *, DWORD *) override { return E_NOTIMPL; }
    HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT EnumDAdvise(IUnknown **) override { return E_NOTIMPL; }

    ULONG references() const { return references_; }
    int blocksHandedOut() const { return handedOut_; }
    static int blocksFreed() { return freed_; }

private:
    std::string block_;
    HRESULT getDataResult_;
    ULONG references_ = 1;
    int handedOut_ = 0;
    static std::atomic<int> freed_;
};

/** What the recorder program wrote: its argument vector and the command line it was handed. */
struct Recording {
    std::vector<std::string> argv;
    std::string commandLine;
};

/**
 * A temporary folder with the registry file, the message file and the recorder's output,
 * named to the library through its environment variables; the library is registered there.
 */
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string path(const std::string &name) const;
    /** Appends .reg text (keys and values) to the registry file. */
    void addToRegistry(const std::string &text) const;
    /** The registry file's whole text. */
    std::string registryText() const;
    /** The message file's whole text; empty when nothing was shown. */
    std::string messages() const;
    /** Waits for the recorder's output and removes it, so the next drop records afresh. */
    std::optional<Recording> takeRecording() const;
    bool recordingExists() const;

    /** A drop target made through the class factory, as its IPersistFile pointer. */
    IPersistFile *createDropTarget() const;

    QTemporaryDir folder;
};

} // namespace shellhost

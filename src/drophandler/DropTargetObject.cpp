#include "DropTargetObject.h"

#include "DropFileList.h"
#include "DropHandlerClass.h"
#include "MessageSink.h"
#include "ProgramLauncher.h"
#include "RegistryStore.h"
#include "ServerCount.h"
#include "TextConversion.h"

#include <cerrno>
#include <new>
#include <stdexcept>

namespace drophandler {

namespace {

/** Releases an interface pointer when it goes out of scope. */
class ReleaseOnExit {
public:
    explicit ReleaseOnExit(IUnknown *object) : object_(object) {}
    ~ReleaseOnExit() { object_->Release(); }
    ReleaseOnExit(const ReleaseOnExit &) = delete;
    ReleaseOnExit &operator=(const ReleaseOnExit &) = delete;

private:
    IUnknown *object_;
};

/** Hands a storage medium back to its owner when it goes out of scope. */
class MediumOnExit {
public:
    explicit MediumOnExit(STGMEDIUM &medium) : medium_(medium) {}
    ~MediumOnExit() { ReleaseStgMedium(&medium_); }
    MediumOnExit(const MediumOnExit &) = delete;
    MediumOnExit &operator=(const MediumOnExit &) = delete;

private:
    STGMEDIUM &medium_;
};

std::string classesRootKey(const std::string &subkey)
{
    return std::string(ClassesRoot) + '\\' + subkey;
}

void showCouldNotRun(const std::string &program, int error)
{
    std::string text =
        error == E2BIG ? DropTargetObject::TooManyPathsMessage : DropTargetObject::CouldNotRunMessage;
    text.replace(text.find("%s"), 2, program);
    MessageSink::show(RegisteredName, text);
}

} // namespace

DropTargetObject *DropTargetObject::create(ServerCount &serverCount)
{
    return new (std::nothrow) DropTargetObject(serverCount);
}

DropTargetObject::DropTargetObject(ServerCount &serverCount) : serverCount_(serverCount)
{
    serverCount_.increment();
}

HRESULT DropTargetObject::QueryInterface(const IID &riid, void **ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IPersistFile)) {
        *ppvObject = static_cast<IPersistFile *>(this);
    } else if (IsEqualGUID(riid, IID_IDropTarget)) {
        *ppvObject = static_cast<IDropTarget *>(this);
    } else {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG DropTargetObject::AddRef()
{
    return references_.fetch_add(1) + 1;
}

ULONG DropTargetObject::Release()
{
    const ULONG left = references_.fetch_sub(1) - 1;
    if (left == 0) {
        ServerCount &serverCount = serverCount_;
        delete this;
        serverCount.decrement();
    }
    return left;
}

HRESULT DropTargetObject::GetClassID(CLSID *)
{
    return E_NOTIMPL;
}

HRESULT DropTargetObject::IsDirty()
{
    return E_NOTIMPL;
}

HRESULT DropTargetObject::Save(const OLECHAR *, BOOL)
{
    return E_NOTIMPL;
}

HRESULT DropTargetObject::SaveCompleted(const OLECHAR *)
{
    return E_NOTIMPL;
}

HRESULT DropTargetObject::GetCurFile(OLECHAR **)
{
    return E_NOTIMPL;
}

std::string DropTargetObject::extensionOf(const std::string &path)
{
    for (std::size_t i = path.size(); i-- > 0;) {
        if (path[i] == '.')
            return path.substr(i);
        if (path[i] == '/')
            break;
    }
    return {};
}

HRESULT DropTargetObject::Load(const OLECHAR *fileName, DWORD)
{
    try {
        return loadTarget(fileName);
    } catch (const std::exception &) {
    }
    programPath_.clear();
    loadedLine_ = CommandLine();
    line_.reset();
    return E_OUTOFMEMORY;
}

HRESULT DropTargetObject::loadTarget(const OLECHAR *fileName)
{
    programPath_.clear();
    loadedLine_ = CommandLine();
    line_.reset();
    if (!fileName)
        return E_INVALIDARG;
    std::string target;
    if (!Utf16ToUtf8(fileName, target))
        return E_INVALIDARG;
    line_.emplace();

    // A "\" would make the extension a path of several keys; no file type is named like that.
    const std::string extension = extensionOf(target);
    if (extension.empty() || extension.find('\\') != std::string::npos)
        return S_OK;

    // A registry file that cannot be read counts as empty: its values are absent.
    RegistryStore registry;
    registry.load(RegistryStore::defaultFilePath());
    const RegistryValue *fileType = registry.findValue(classesRootKey(extension), "");
    const std::string progId = fileType ? fileType->text() : std::string();
    if (progId.empty())
        return S_OK;

    const std::string handlerKey = classesRootKey(progId + HandlerKeySuffix);
    if (const RegistryValue *program = registry.findValue(handlerKey, ""))
        programPath_ = program->text();
    const RegistryValue *arguments = registry.findValue(handlerKey, ArgumentsValue);
    bool omitTarget = registry.findValue(handlerKey, OmitTargetValue) != nullptr;

    // Without a program of its own the file type opens the target itself, with the items.
    if (programPath_.empty()) {
        programPath_ = target;
        omitTarget = true;
    }
    loadedLine_ = CommandLine(arguments ? arguments->text() : std::string(),
                              omitTarget ? std::nullopt : std::optional<std::string>(target));
    line_ = loadedLine_;
    return S_OK;
}

HRESULT DropTargetObject::DragEnter(IDataObject *data, DWORD, POINTL, DWORD *effect)
{
    if (effect)
        *effect = DROPEFFECT_NONE;
    HRESULT result = E_OUTOFMEMORY;
    try {
        result = gather(data);
    } catch (const std::exception &) {
    }
    if (SUCCEEDED(result)) {
        if (effect)
            *effect = DROPEFFECT_COPY;
    } else {
        line_.reset();
    }
    return result;
}

HRESULT DropTargetObject::gather(IDataObject *data)
{
    if (programPath_.empty())
        return E_FAIL;
    if (!data)
        return E_INVALIDARG;
    IDataObject *dataObject = nullptr;
    HRESULT result = data->QueryInterface(IID_IDataObject, reinterpret_cast<void **>(&dataObject));
    if (FAILED(result))
        return result;
    if (!dataObject)
        return E_INVALIDARG;
    const ReleaseOnExit releaseData(dataObject);

    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{TYMED_NULL, nullptr, nullptr};
    result = dataObject->GetData(&format, &medium);
    if (FAILED(result))
        return result;

    std::vector<std::string> items;
    {
        const MediumOnExit releaseMedium(medium);
        if (medium.tymed == TYMED_HGLOBAL) {
            if (const void *bytes = GlobalLock(medium.hGlobal)) {
                items = DropFileList::parse(bytes, GlobalSize(medium.hGlobal));
                GlobalUnlock(medium.hGlobal);
            }
        }
    }
    if (items.empty())
        return E_INVALIDARG;

    CommandLine line = loadedLine_;
    line.setItems(std::move(items));
    line_ = std::move(line);
    return S_OK;
}

HRESULT DropTargetObject::DragOver(DWORD, POINTL, DWORD *)
{
    return E_NOTIMPL;
}

HRESULT DropTargetObject::DragLeave()
{
    line_.reset();
    return S_OK;
}

HRESULT DropTargetObject::Drop(IDataObject *, DWORD, POINTL, DWORD *effect)
{
    int error = 0;
    try {
        const CommandLine line = line_.value_or(CommandLine());
        error = ProgramLauncher::start(programPath_, line.arguments(), line.text());
    } catch (const std::exception &) {
        error = ENOMEM;
    }
    if (error != 0) {
        try {
            showCouldNotRun(programPath_, error);
        } catch (const std::exception &) {
        }
    }
    line_.reset();
    if (effect)
        *effect = DROPEFFECT_COPY;
    return S_OK;
}

} // namespace drophandler

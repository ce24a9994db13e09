#pragma once
#include "CommandLine.h"
#include "ObjectProtocol.h"

#include <atomic>
#include <optional>
#include <string>

namespace drophandler {

class ServerCount;

/**
 * The drop target the host creates for a file of a registered type. Load() tells it which file
 * the user drags onto (the target) and looks up what the file type starts; DragEnter() gathers
 * the dragged paths into a command line; Drop() starts the program with it.
 *
 * Its IPersistFile pointer is its identity; both interfaces share one reference count. The
 * expected order is Load, DragEnter, then DragLeave or Drop. Each DragEnter builds the line
 * afresh from what Load found, so a second DragEnter, or one after a finished drop, never
 * repeats items or loses the target.
 */
class DropTargetObject final : public IPersistFile, public IDropTarget {
public:
    /** Creates an object with count 1 and one unit of @p serverCount; null when out of memory. */
    static DropTargetObject *create(ServerCount &serverCount);

    HRESULT QueryInterface(const IID &riid, void **ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetClassID(CLSID *classId) override;
    HRESULT IsDirty() override;
    HRESULT Load(const OLECHAR *fileName, DWORD mode) override;
    HRESULT Save(const OLECHAR *fileName, BOOL remember) override;
    HRESULT SaveCompleted(const OLECHAR *fileName) override;
    HRESULT GetCurFile(OLECHAR **fileName) override;

    HRESULT DragEnter(IDataObject *data, DWORD keyState, POINTL pt, DWORD *effect) override;
    HRESULT DragOver(DWORD keyState, POINTL pt, DWORD *effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject *data, DWORD keyState, POINTL pt, DWORD *effect) override;

    /** The extension of @p path ("." included) or empty: the scan back stops at "." or "/". */
    static std::string extensionOf(const std::string &path);

    /** The message shown when the program cannot be started; %s stands for its path. */
    static constexpr const char *CouldNotRunMessage = "Couldn't run \"%s\"!";
    /** The message of a start the system refused because the paths do not fit its limits. */
    static constexpr const char *TooManyPathsMessage = "There are too many or too long paths to start \"%s\"!";

private:
    explicit DropTargetObject(ServerCount &serverCount);
    ~DropTargetObject() = default;

    HRESULT loadTarget(const OLECHAR *fileName);
    HRESULT gather(IDataObject *data);

    std::atomic<ULONG> references_{1};
    ServerCount &serverCount_;
    /** The program a drop starts; empty until a Load finds one. */
    std::string programPath_;
    /** The line as Load leaves it: "Arguments" value and target, no items. */
    CommandLine loadedLine_;
    /** The line a drop would use; none before Load and after DragLeave, Drop or a failed DragEnter. */
    std::optional<CommandLine> line_;
};

} // namespace drophandler

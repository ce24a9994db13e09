#pragma once
/**
 * The owner's side of a window hook (CSubclass): chosen messages of the hooked window, before
 * and after the window's own handling. `ISubclass` and `ISubclass2` have the same operations
 * and are distinct types, so that one owner can take the messages of two hooked windows apart.
 */
#include <QtGlobal>
#include <cstdint>

class QObject;

namespace filelist {

template <int Kind>
class SubclassOwner {
public:
    virtual ~SubclassOwner() = default;
    /** After the window's own handling; `lReturn` holds its result (1 when the window took the
     *  event, 0 otherwise) and may be changed. */
    virtual void After(int32_t &lReturn, QObject *hWnd, int32_t uMsg, qintptr wParam, qintptr lParam) = 0;
    /** Before the window's own handling. Setting `bHandled` ends the message with `lReturn`:
     *  neither the window nor After sees it. Changed values reach After. */
    virtual void Before(bool &bHandled, int32_t &lReturn, QObject *&hWnd, int32_t &uMsg, qintptr &wParam,
                        qintptr &lParam) = 0;
};

using ISubclass = SubclassOwner<1>;
using ISubclass2 = SubclassOwner<2>;

} // namespace filelist

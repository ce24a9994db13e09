#pragma once
/**
 * The second owner interface of a window hook (CSubclass), with the same operations as
 * ISubclass, so that one owner can take the messages of two hooked windows apart: chosen
 * messages of the hooked window, before and after the window's own handling.
 */
#include <QtGlobal>
#include <cstdint>

class QObject;

namespace filelist {

class ISubclass2 {
public:
    virtual ~ISubclass2() = default;
    /** After the window's own handling; `lReturn` holds its result (1 when the window took the
     *  event, 0 otherwise) and may be changed. */
    virtual void After(int32_t &lReturn, QObject *hWnd, int32_t uMsg, qintptr wParam, qintptr lParam) = 0;
    /** Before the window's own handling. Setting `bHandled` ends the message with `lReturn`:
     *  neither the window nor After sees it. Changed values reach After. */
    virtual void Before(bool &bHandled, int32_t &lReturn, QObject *&hWnd, int32_t &uMsg, qintptr &wParam,
                        qintptr &lParam) = 0;
};

} // namespace filelist

#pragma once
/**
 * The window messages the list's hooks speak of, under their classic numbers, and the header of
 * a notification message. The hooks translate the toolkit's events into these (CSubclass).
 */
#include <QtGlobal>
#include <cstdint>

class QObject;

namespace filelist::wm {

constexpr int32_t WM_SIZE = 5;
constexpr int32_t WM_SETFOCUS = 7;
constexpr int32_t WM_KILLFOCUS = 8;
constexpr int32_t WM_PAINT = 15;
constexpr int32_t WM_NOTIFY = 78;
constexpr int32_t WM_CONTEXTMENU = 123;
constexpr int32_t WM_KEYDOWN = 256;
constexpr int32_t WM_KEYUP = 257;
constexpr int32_t WM_HSCROLL = 276;
constexpr int32_t WM_VSCROLL = 277;
constexpr int32_t WM_MOUSEMOVE = 512;
constexpr int32_t WM_LBUTTONDOWN = 513;
constexpr int32_t WM_LBUTTONUP = 514;
constexpr int32_t WM_LBUTTONDBLCLK = 515;
constexpr int32_t WM_RBUTTONDOWN = 516;
constexpr int32_t WM_RBUTTONUP = 517;
constexpr int32_t WM_MBUTTONDOWN = 519;
constexpr int32_t WM_MBUTTONUP = 520;
constexpr int32_t WM_MOUSEWHEEL = 522;
constexpr int32_t WM_DROPFILES = 563;
/** Events without a classic message arrive as WM_APP + the event's type number. */
constexpr int32_t WM_APP = 0x8000;

/** Key and button state of mouse messages (wParam). */
constexpr qintptr MK_LBUTTON = 0x1;
constexpr qintptr MK_RBUTTON = 0x2;
constexpr qintptr MK_SHIFT = 0x4;
constexpr qintptr MK_CONTROL = 0x8;
constexpr qintptr MK_MBUTTON = 0x10;

/** A header item is about to change (a column being resized). */
constexpr int32_t HDN_ITEMCHANGINGA = -300;

/** What the lParam of WM_NOTIFY points to. */
struct NotifyHeader {
    QObject *hwndFrom = nullptr;
    qintptr idFrom = 0;
    int32_t code = 0;
};

/** x in the low and y in the high 16 bits, both signed, as mouse messages carry a point. */
constexpr qintptr MakePointParam(int x, int y)
{
    return qintptr((uint32_t(uint16_t(int16_t(x)))) | (uint32_t(uint16_t(int16_t(y))) << 16));
}
constexpr int PointParamX(qintptr lParam) { return int16_t(uint16_t(lParam & 0xFFFF)); }
constexpr int PointParamY(qintptr lParam) { return int16_t(uint16_t((lParam >> 16) & 0xFFFF)); }

} // namespace filelist::wm

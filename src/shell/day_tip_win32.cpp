#include "shell/day_tip_win32.h"

#include <commctrl.h>

#include "dialogs/controls_win32.h"

namespace tavoli {

DayTip::~DayTip() { Destroy(); }

void DayTip::Destroy() {
    if (tip_) DestroyWindow(tip_);
    tip_ = nullptr;
    text_.clear();
}

void DayTip::Follow(HWND owner, const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (!tip_) {
        if (text.empty()) return;
        EnsureCommonControls();
        tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)), nullptr);
        if (!tip_) return;
        // The whole client area is the one tool; the tip relays the pointer's moves itself
        // and asks for its text each time it shows.
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = owner;
        tool.uId = reinterpret_cast<UINT_PTR>(owner);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        // Lines as the text breaks them, none wider than a good half of a small screen.
        SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
        // Long enough to read a list.
        SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
        // The move that made it is the tip's first: a pointer that rests from here on
        // still brings it up.
        MSG move = {};
        move.hwnd = owner;
        move.message = WM_MOUSEMOVE;
        GetCursorPos(&move.pt);
        POINT client = move.pt;
        ScreenToClient(owner, &client);
        move.lParam = MAKELPARAM(client.x, client.y);
        move.time = GetMessageTime();
        SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
        return;
    }
    SendMessageA(tip_, TTM_POP, 0, 0);
}

bool DayTip::Answer(const NMHDR& header) {
    if (!tip_ || header.hwndFrom != tip_ || header.code != TTN_GETDISPINFOA) return false;
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(const_cast<NMHDR&>(header));
    info.lpszText = const_cast<char*>(text_.c_str());
    return true;
}

}  // namespace tavoli

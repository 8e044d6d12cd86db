// The wait window and the box through Win32.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "driver/finestra.h"

namespace {

constexpr wchar_t classe_attesa[] = L"scenario_builder_attesa";

std::wstring largo(const std::string& testo) {
    if (testo.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), w.data(), n);
    return w;
}

// The window is the program's to close: the title bar's close waits for
// the end of the build.
LRESULT CALLBACK procedura_attesa(HWND w, UINT messaggio, WPARAM wp, LPARAM lp) {
    if (messaggio == WM_CLOSE) return 0;
    return ::DefWindowProcW(w, messaggio, wp, lp);
}

bool registra_classe(HINSTANCE istanza) {
    WNDCLASSW c{};
    c.lpfnWndProc = procedura_attesa;
    c.hInstance = istanza;
    c.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
    c.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    c.lpszClassName = classe_attesa;
    return ::RegisterClassW(&c) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The screen's dots per inch, which twips and points are scaled by.
int dpi_schermo() {
    HDC schermo = ::GetDC(nullptr);
    const int dpi = schermo != nullptr ? ::GetDeviceCaps(schermo, LOGPIXELSY) : 96;
    if (schermo != nullptr) ::ReleaseDC(nullptr, schermo);
    return dpi > 0 ? dpi : 96;
}

class attesa_win32 final : public finestra_attesa {
public:
    attesa_win32(HWND finestra, HFONT carattere) : finestra_(finestra), carattere_(carattere) {}
    ~attesa_win32() override {
        ::DestroyWindow(finestra_);
        if (carattere_ != nullptr) ::DeleteObject(carattere_);
    }
    attesa_win32(const attesa_win32&) = delete;
    attesa_win32& operator=(const attesa_win32&) = delete;

private:
    HWND finestra_;
    HFONT carattere_;
};

}  // namespace

std::unique_ptr<finestra_attesa> apri_attesa(const std::string& titolo, const std::string& etichetta) {
    HINSTANCE istanza = ::GetModuleHandleW(nullptr);
    if (!registra_classe(istanza)) return nullptr;
    const int dpi = dpi_schermo();
    const auto px = [dpi](int twip) { return pixel_da_twip(twip, dpi); };

    // A fixed dialog border around the client area, centred on the screen.
    const DWORD stile = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const DWORD stile_esteso = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, px(larghezza_attesa_twip), px(altezza_attesa_twip)};
    ::AdjustWindowRectEx(&r, stile, FALSE, stile_esteso);
    const int larghezza = r.right - r.left, altezza = r.bottom - r.top;
    const int x = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - larghezza) / 2);
    const int y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - altezza) / 2);
    HWND finestra = ::CreateWindowExW(stile_esteso, classe_attesa, largo(titolo).c_str(), stile, x, y, larghezza,
                                      altezza, nullptr, nullptr, istanza, nullptr);
    if (finestra == nullptr) return nullptr;

    const rettangolo_twip& e = etichetta_attesa_twip;
    HWND label =
        ::CreateWindowExW(0, L"STATIC", largo(etichetta).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, px(e.sinistra),
                          px(e.alto), px(e.larghezza), px(e.altezza), finestra, nullptr, istanza, nullptr);
    HFONT carattere = ::CreateFontW(-pixel_da_punti(punti_etichetta, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, largo(carattere_etichetta).c_str());
    if (label != nullptr && carattere != nullptr)
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(carattere), FALSE);
    auto f = std::make_unique<attesa_win32>(finestra, carattere);

    // Shown, then painted at once with the label: the build that follows
    // handles no messages.
    ::ShowWindow(finestra, SW_SHOWNORMAL);
    ::RedrawWindow(finestra, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return f;
}

void mostra_riquadro(const std::string& titolo, const std::string& testo) {
    // No owner: task-modal, so the wait window waits for it too.
    ::MessageBoxW(nullptr, largo(testo).c_str(), largo(titolo).c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

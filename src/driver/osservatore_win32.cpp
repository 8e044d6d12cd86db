// For the tests: finds a window of another program by its title and tells
// what the window system knows of it.
//   osservatore_win32 attesa TITLE     the client size, and each visible
//                                      child's class, text and place in the
//                                      client area
//   osservatore_win32 riquadro TITLE   the same for the message box
//   osservatore_win32 ok TITLE         presses the message box's OK
// Each waits up to a minute for the window; status 1 when none came.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// UTF-16 to UTF-8, for printing.
std::string stretto(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring largo(const char* s) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
    w.resize(w.size() - 1);
    return w;
}

std::wstring classe_di(HWND w) {
    wchar_t buffer[256] = {};
    ::GetClassNameW(w, buffer, 256);
    return buffer;
}

// The text the window system keeps for the window: no message is sent, so
// a program that handles none (the builder while it builds) still answers.
std::wstring testo_di(HWND w) {
    wchar_t buffer[512] = {};
    ::InternalGetWindowText(w, buffer, 512);
    return buffer;
}

// A static control's icon; asking takes a message, answered only by a
// program that handles them (the box does), so it is given a second.
bool ha_icona(HWND w) {
    DWORD_PTR icona = 0;
    return classe_di(w) == L"Static" &&
           ::SendMessageTimeoutW(w, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &icona) != 0 && icona != 0;
}

HWND aspetta(const wchar_t* classe, const std::wstring& titolo) {
    for (int i = 0; i < 1200; ++i) {
        if (HWND w = ::FindWindowW(classe, titolo.c_str()); w != nullptr && ::IsWindowVisible(w)) return w;
        ::Sleep(50);
    }
    return nullptr;
}

BOOL CALLBACK stampa_figlia(HWND figlia, LPARAM padre) {
    if (!::IsWindowVisible(figlia)) return TRUE;
    RECT r{};
    ::GetWindowRect(figlia, &r);
    ::MapWindowPoints(nullptr, reinterpret_cast<HWND>(padre), reinterpret_cast<POINT*>(&r), 2);
    std::printf("child %s \"%s\" %ld,%ld %ldx%ld id %d%s\n", stretto(classe_di(figlia)).c_str(),
                stretto(testo_di(figlia)).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                ::GetDlgCtrlID(figlia), ha_icona(figlia) ? " icon" : "");
    return TRUE;
}

void descrivi(HWND w) {
    RECT r{};
    ::GetClientRect(w, &r);
    std::printf("client %ldx%ld\n", r.right - r.left, r.bottom - r.top);
    ::EnumChildWindows(w, stampa_figlia, reinterpret_cast<LPARAM>(w));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string cosa = argc == 3 ? argv[1] : "";
    if (cosa != "attesa" && cosa != "riquadro" && cosa != "ok") {
        std::fprintf(stderr, "usage: osservatore_win32 attesa|riquadro|ok TITLE\n");
        return 2;
    }
    // A message box is a dialog of class #32770.
    HWND w = aspetta(cosa == "attesa" ? nullptr : L"#32770", largo(argv[2]));
    if (w == nullptr) {
        std::fprintf(stderr, "no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (cosa != "ok") {
        descrivi(w);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    HWND ok = ::GetDlgItem(w, IDOK);
    return ok != nullptr && ::PostMessageW(ok, BM_CLICK, 0, 0) ? 0 : 1;
}

#include "host_window.h"

HostWindow& HostWindow::shared() {
    static HostWindow host;
    return host;
}

HostWindow::HostWindow() {
    WNDCLASSEXA hostClass{};
    hostClass.cbSize = sizeof hostClass;
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    hostClass.lpszClassName = "QuorvaneTestHost";
    RegisterClassExA(&hostClass);
    RECT frame{0, 0, 520, 440};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE;
    AdjustWindowRect(&frame, style, FALSE);
    window = CreateWindowExA(0, hostClass.lpszClassName, "Quorvane test host", style, 600, 400, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    pumpMessages();
}

HWND HostWindow::editorWindow() const { return FindWindowExA(window, nullptr, "ZuWinQuorvane", nullptr); }

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<std::uint8_t> readWindowPixels(HWND window, int width, int height) {
    const HDC windowDc = GetDC(window);
    const HDC copyDc = CreateCompatibleDC(windowDc);
    const HBITMAP copy = CreateCompatibleBitmap(windowDc, width, height);
    const HGDIOBJ saved = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(copyDc, saved);

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(width) * height * 4);
    GetDIBits(copyDc, copy, 0, static_cast<UINT>(height), bgrx.data(), &format, DIB_RGB_COLORS);
    DeleteObject(copy);
    DeleteDC(copyDc);
    ReleaseDC(window, windowDc);

    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t pixel = 0; pixel < rgb.size() / 3; ++pixel) {
        rgb[pixel * 3] = bgrx[pixel * 4 + 2];
        rgb[pixel * 3 + 1] = bgrx[pixel * 4 + 1];
        rgb[pixel * 3 + 2] = bgrx[pixel * 4];
    }
    return rgb;
}

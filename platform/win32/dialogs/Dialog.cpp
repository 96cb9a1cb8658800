#include "platform/win32/dialogs/Dialog.h"

#include <algorithm>

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

FontEmphasis EmphasisOf(FontRole role) {
    switch (role) {
    case FontRole::Bold: return FontEmphasis::Bold;
    case FontRole::Underline: return FontEmphasis::Underline;
    default: return FontEmphasis::None;
    }
}

}  // namespace

void DialogLayout::Create(HWND parent, HINSTANCE instance, const std::vector<ControlPlacement>& placements, UINT dpi) {
    parent_ = parent;
    placements_ = placements;
    for (const ControlPlacement& placement : placements_) {
        if (!placement.className) {
            windows_.push_back(GetDlgItem(parent, placement.id));
            continue;
        }
        windows_.push_back(CreateWindowExW(placement.exStyle, placement.className, ToWide(placement.text).c_str(),
                                           WS_CHILD | WS_VISIBLE | placement.style, 0, 0, 0, 0, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)), instance,
                                           nullptr));
    }
    Apply(dpi);
}

void DialogLayout::Apply(UINT dpi) {
    std::map<std::pair<double, FontRole>, UniqueFont> fonts;
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        const ControlPlacement& placement = placements_[i];
        auto& font = fonts[{placement.points, placement.role}];
        if (!font) font = CreateDialogFont(placement.points, dpi, EmphasisOf(placement.role));
        SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    // The controls hold the new fonts before the old ones go.
    fonts_ = std::move(fonts);
    const std::vector<RECT> places = FitCaptions(dpi);
    int tableRight = 0, right = 0;
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        const RECT& place = places[i];
        SetWindowPos(windows_[i], nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        tableRight = std::max(tableRight, TwipsToPixels(placements_[i].left + placements_[i].width, dpi));
        right = std::max(right, static_cast<int>(place.right));
    }
    extraWidth_ = std::max(0, right - tableRight);
    if (parent_) InvalidateRect(parent_, nullptr, TRUE);
}

std::vector<RECT> DialogLayout::FitCaptions(UINT dpi) const {
    const std::size_t count = placements_.size();
    std::vector<int> widths(count), overflows(count), nextEdges(count);
    std::map<int, int> moves;  // each column edge's move, by the table's left
    for (std::size_t i = 0; i < count; ++i) {
        const ControlPlacement& placement = placements_[i];
        moves[placement.left] = 0;
        const int width = TwipsToPixels(placement.width, dpi);
        const int caption = placement.className ? CaptionWidth(windows_[i], Font(placement.id), dpi) : 0;
        widths[i] = std::max(width, caption);
        for (const ControlPlacement& other : placements_) {
            const bool onItsRow = placement.top < other.top + other.height && other.top < placement.top + placement.height;
            if (onItsRow && other.left > placement.left && (!nextEdges[i] || other.left < nextEdges[i])) {
                nextEdges[i] = other.left;
            }
        }
        const int room = nextEdges[i] ? TwipsToPixels(nextEdges[i] - placement.left - CaptionGap, dpi) : width;
        overflows[i] = std::max(0, caption - room);
    }
    // From the left: a control moved with its column moves the next column on its row at least as far.
    for (auto& [edge, move] : moves) {
        for (std::size_t i = 0; i < count; ++i) {
            if (nextEdges[i] == edge) move = std::max(move, moves[placements_[i].left] + overflows[i]);
        }
    }
    std::vector<RECT> places;
    for (std::size_t i = 0; i < count; ++i) {
        const ControlPlacement& placement = placements_[i];
        const int left = TwipsToPixels(placement.left, dpi) + moves[placement.left];
        const int top = TwipsToPixels(placement.top, dpi);
        places.push_back({left, top, left + widths[i], top + TwipsToPixels(placement.height, dpi)});
    }
    return places;
}

HWND DialogLayout::Control(int id) const {
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        if (placements_[i].id == id) return windows_[i];
    }
    return nullptr;
}

const ControlPlacement* DialogLayout::Placement(int id) const {
    for (const ControlPlacement& placement : placements_) {
        if (placement.id == id) return &placement;
    }
    return nullptr;
}

HFONT DialogLayout::Font(int id) const {
    const ControlPlacement* placement = Placement(id);
    if (!placement) return nullptr;
    const auto font = fonts_.find({placement->points, placement->role});
    return font == fonts_.end() ? nullptr : font->second.get();
}

Dialog::~Dialog() = default;

bool Dialog::CreateDialogWindow(const Frame& frame) {
    frame_ = frame;
    Register(instance_, frame.className, DialogBackgroundBrush(), frame.icon);
    Create(instance_, frame.className, ToWide(frame.title).c_str(), frame.style, frame.exStyle, CW_USEDEFAULT,
           CW_USEDEFAULT, 100, 100, owner_);
    return Handle() != nullptr;
}

void Dialog::CreateControls(const std::vector<ControlPlacement>& placements) {
    if (!Handle()) return;
    const UINT dpi = InitialDpi();
    layout_.Create(Handle(), instance_, placements, dpi);
    OnLaidOut(dpi);
    Place(dpi);
}

UINT Dialog::InitialDpi() const {
    // A box placed over its owner shows on the owner's monitor.
    if (frame_.placement == Placement::CentredOverOwner && owner_) return WindowDpi(owner_);
    return WindowDpi(Handle());
}

void Dialog::Place(UINT dpi) {
    RECT outer{0, 0, TwipsToPixels(frame_.clientWidthTwips, dpi) + layout_.ExtraWidth(),
               TwipsToPixels(frame_.clientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&outer, frame_.style, FALSE, frame_.exStyle, dpi);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;

    RECT around{};
    const bool overOwner = frame_.placement == Placement::CentredOverOwner && owner_ && IsWindowVisible(owner_) &&
                           GetWindowRect(owner_, &around);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (overOwner) {
        GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
    } else {
        GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
        around = monitor.rcWork;
    }
    // Kept whole on the monitor's work area, however large the owner or small the screen.
    const RECT& work = monitor.rcWork;
    const int left = std::clamp((around.left + around.right - width) / 2, work.left,
                                std::max(work.left, work.right - width));
    const int top = std::clamp((around.top + around.bottom - height) / 2, work.top,
                               std::max(work.top, work.bottom - height));
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::RunModal(HWND firstFocus) {
    if (!Handle()) return;
    if (owner_) EnableWindow(owner_, FALSE);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(firstFocus ? firstFocus : Handle());
    MSG message;
    while (Handle()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: close, and let the outer loop see the quit too.
            CloseDialog();
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (Handle() && IsDialogMessageW(Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (owner_ && !IsWindowEnabled(owner_)) EnableWindow(owner_, TRUE);
}

void Dialog::CloseDialog() {
    if (owner_ && !IsWindowEnabled(owner_)) EnableWindow(owner_, TRUE);
    if (Handle()) DestroyWindow(Handle());
}

LRESULT Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || item->CtlType != ODT_BUTTON) break;
        DrawOrangeButton(*item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, TextColour(reinterpret_cast<HWND>(lParam)));
        return PaintOnDialogBackground(dc);
    }
    case WM_DPICHANGED: {
        const UINT dpi = HIWORD(wParam);
        layout_.Apply(dpi);
        OnLaidOut(dpi);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        // The captions' own widths do not scale with the DPI as the table does: the width then follows them.
        RECT outer{0, 0, TwipsToPixels(frame_.clientWidthTwips, dpi) + layout_.ExtraWidth(), 0};
        AdjustWindowRectExForDpi(&outer, frame_.style, FALSE, frame_.exStyle, dpi);
        const int width = layout_.ExtraWidth() ? outer.right - outer.left : suggested->right - suggested->left;
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, width, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return OnDialogMessage(message, wParam, lParam);
}

LRESULT Dialog::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace yomorina::win32

#pragma once
// The one base of the program's dialogs: a placement table in twips with a
// font role per control, the look (yellow ground, orange buttons, ＭＳ Ｐゴシック),
// a new layout at every DPI change, placement on screen and one modal loop.
// A dialog is its placement table plus its command handlers.

#include <windows.h>

#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/dialogs/DialogLook.h"

namespace yomorina::win32 {

enum class FontRole { Normal, Bold, Underline };

struct ControlPlacement {
    int id;
    const wchar_t* className;  // null: a child the dialog made itself, found by its id
    std::string_view text;     // UTF-8
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // twips, from the client area's corner
    double points;                 // font size
    FontRole role = FontRole::Normal;
};

// The child controls of one dialog, created in the order given (which is the
// tab order) and placed again whenever the DPI changes.
//
// The table's places are for the texts it was drawn with. A caption longer
// than its room (its width, or up to a gap before the next control on its
// row) widens its control and moves the next column along, every control that
// starts at that column's edge on any row, so that columns stay aligned; the
// dialog widens by what the rightmost control moved out. Captions that fit
// leave the table's places exactly as they are.
class DialogLayout {
public:
    void Create(HWND parent, HINSTANCE instance, const std::vector<ControlPlacement>& placements, UINT dpi);
    void Apply(UINT dpi);
    // How much wider than the table the captions made the client area at the last layout, in pixels.
    int ExtraWidth() const { return extraWidth_; }
    HWND Control(int id) const;
    const ControlPlacement* Placement(int id) const;
    // The font a control was given at the last layout.
    HFONT Font(int id) const;

private:
    std::vector<RECT> FitCaptions(UINT dpi) const;

    HWND parent_ = nullptr;
    int extraWidth_ = 0;
    std::vector<ControlPlacement> placements_;
    std::vector<HWND> windows_;
    std::map<std::pair<double, FontRole>, UniqueFont> fonts_;
};

class Dialog : public BaseWindow<Dialog> {
public:
    enum class Placement { CentredOnMonitor, CentredOverOwner };

    struct Frame {
        const wchar_t* className;
        std::string_view title;  // UTF-8
        DWORD style;
        DWORD exStyle;
        int clientWidthTwips, clientHeightTwips;
        Placement placement;
        HICON icon = nullptr;
    };

    ~Dialog() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

protected:
    Dialog(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}

    // Makes the window, hidden; false if it could not be made. Children the
    // dialog makes itself come next, then the table's controls.
    bool CreateDialogWindow(const Frame& frame);
    // Makes the table's controls, lays them out at the window's DPI and places the window.
    void CreateControls(const std::vector<ControlPlacement>& placements);
    // Shows the dialog with its owner disabled and returns when it has closed.
    void RunModal(HWND firstFocus);
    // Closes it; a modal dialog's owner is enabled first, so that it, not some other program, is activated.
    void CloseDialog();

    HINSTANCE Instance() const { return instance_; }
    HWND Owner() const { return owner_; }
    HWND Control(int id) const { return layout_.Control(id); }
    const DialogLayout& Layout() const { return layout_; }

    // What a dialog adds to the shared handling; DefWindowProc for anything it leaves.
    virtual LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // After every layout, at creation and at a new DPI.
    virtual void OnLaidOut(UINT) {}
    // The colour of a static control's text on the yellow ground.
    virtual COLORREF TextColour(HWND) const { return RGB(0, 0, 0); }

private:
    UINT InitialDpi() const;
    void Place(UINT dpi);

    HINSTANCE instance_;
    HWND owner_;
    Frame frame_{};
    DialogLayout layout_;
};

}  // namespace yomorina::win32

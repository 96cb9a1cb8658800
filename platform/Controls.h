#pragma once
// The controls the dialogs' logic reads and sets. Each is as narrow as its
// callers; the windows behind them only report events and draw.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Dimensions.h"

namespace yomorina {

// The list grid: row 0 is the fixed header, rows 1..30 the entries; column 0
// the name, column 1 the path. Exactly 31 rows, always. It shows what it is
// given; the entries themselves are the options' logic's.
inline constexpr int GridColumnCount = 2;
inline constexpr int GridFirstEntryRow = 1;
inline constexpr int GridLastEntryRow = LaunchSlotCount;
inline constexpr int GridRowCount = GridLastEntryRow + 1;

class Grid {
public:
    virtual ~Grid() = default;
    virtual void SetText(int row, int column, std::string_view text) = 0;
    // The selected entry row, 1..30.
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
    virtual void SetColumnWidth(int column, int twips) = 0;
    virtual void SetRowHeight(int row, int twips) = 0;
};

struct SliderSetup {
    int Min = 0;
    int Max = 10;
    int LargeChange = 1;
    int SmallChange = 1;
    int TickFrequency = 1;
};

class Slider {
public:
    virtual ~Slider() = default;
    virtual void Configure(const SliderSetup& setup) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
};

// Option buttons of one group, indexed from 0.
class OptionGroup {
public:
    virtual ~OptionGroup() = default;
    // The first selected button, or -1 when none is.
    virtual int Selected() const = 0;
    virtual void Select(int index) = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void SetCaption(std::string_view caption) = 0;
};

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

class CheckBox {
public:
    virtual ~CheckBox() = default;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// The common hot-key control: the combination the user pressed, coded as the
// call key is (core/CallKey.h); 0 while it is empty.

class KeyBox {
public:
    virtual ~KeyBox() = default;
    virtual std::uint16_t Key() const = 0;
    virtual void SetKey(std::uint16_t key) = 0;
};

// The icon preview under the grid: a persistent picture on a white ground.
class PreviewBox {
public:
    virtual ~PreviewBox() = default;
    virtual void Clear() = 0;
    // The recycle-bin picture, as the recycle-bin tile shows it.
    virtual void ShowRecycleBin() = 0;
    // Draws the target's icon over what the picture holds.
    virtual void DrawTargetIcon(std::string_view path) = 0;
};

// A dialog's own window, as its logic needs it.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    // Closes and unloads the dialog.
    virtual void Close() = 0;
};

}  // namespace yomorina

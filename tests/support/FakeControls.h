#pragma once
// In-memory controls for the dialogs' logic: they hold what they are given and
// record what was asked of them.

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/DirectorySearch.h"
#include "platform/EntryEditorDialog.h"
#include "platform/FileOpenDialog.h"
#include "tests/support/Fakes.h"

namespace yomorina::testing {

class FakeGrid final : public Grid {
public:
    std::array<std::array<std::string, GridColumnCount>, GridRowCount> cells{};
    int row = 1;

    void SetText(int r, int c, std::string_view text) override { cells.at(Checked(r)).at(c) = std::string(text); }
    int Row() const override { return row; }
    void SetRow(int r) override { row = Checked(r); }
    void SetColumnWidth(int, int) override {}
    void SetRowHeight(int r, int) override { Checked(r); }

private:
    static int Checked(int r) {
        if (r < 0 || r >= GridRowCount) throw std::out_of_range("grid row " + std::to_string(r));
        return r;
    }
};

class FakeSlider final : public Slider {
public:
    SliderSetup setup;
    int position = 0;
    void Configure(const SliderSetup& s) override { setup = s; }
    int Position() const override { return position; }
    // A real slider keeps its thumb inside its range.
    void SetPosition(int p) override {
        if (p < setup.Min || p > setup.Max) throw std::out_of_range("slider position " + std::to_string(p));
        position = p;
    }
};

class FakeOptionGroup final : public OptionGroup {
public:
    int selected = -1;
    int Selected() const override { return selected; }
    void Select(int index) override {
        if (index < 0 || index > 3) throw std::out_of_range("option " + std::to_string(index));
        selected = index;
    }
};

class FakeLabel final : public Label {
public:
    std::string caption = "0";
    void SetCaption(std::string_view c) override { caption = std::string(c); }
};

class FakeTextBox final : public TextBox {
public:
    std::string text;
    std::string Text() const override { return text; }
    void SetText(std::string_view t) override { text = std::string(t); }
};

class FakeCheckBox final : public CheckBox {
public:
    bool checked = false;
    bool Checked() const override { return checked; }
    void SetChecked(bool c) override { checked = c; }
};

class FakeKeyBox final : public KeyBox {
public:
    std::uint16_t key = 0;
    std::uint16_t Key() const override { return key; }
    void SetKey(std::uint16_t k) override { key = k; }
};

class FakePreviewBox final : public PreviewBox {
public:
    // What the picture shows now: "" (white), "recycle bin" or the path whose icon was drawn.
    std::string shows = "untouched";
    std::vector<std::string> calls;
    void Clear() override {
        calls.push_back("clear");
        shows.clear();
    }
    void ShowRecycleBin() override {
        calls.push_back("recycle bin");
        shows = "recycle bin";
    }
    void DrawTargetIcon(std::string_view path) override {
        calls.push_back("icon " + std::string(path));
        shows = std::string(path);
    }
};

class FakeDialogWindow final : public DialogWindow {
public:
    explicit FakeDialogWindow(std::function<void()> onClose = {}) : onClose_(std::move(onClose)) {}
    int closes = 0;
    void Close() override {
        ++closes;
        if (onClose_) onClose_();
    }

private:
    std::function<void()> onClose_;
};

class FakeFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<std::string> choice;  // empty: the user cancels
    std::vector<std::string> filters;
    std::optional<std::string> ChooseFile(std::string_view filter) override {
        filters.emplace_back(filter);
        return choice;
    }
};

// Records each opening; a test may act inside the modal editor through onShow,
// which gives what the editor hands back (none: cancelled).
class FakeEntryEditorDialog final : public EntryEditorDialog {
public:
    std::vector<EntryEditorPreset> shown;
    std::function<std::optional<LaunchEntry>(const EntryEditorPreset&)> onShow;
    std::optional<LaunchEntry> ShowModal(const EntryEditorPreset& preset) override {
        shown.push_back(preset);
        return onShow ? onShow(preset) : std::nullopt;
    }
};

}  // namespace yomorina::testing

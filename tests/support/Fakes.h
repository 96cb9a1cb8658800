#pragma once
// In-memory stand-ins for the platform, recording what the logic asked of them.

#include <map>
#include <string>
#include <vector>

#include "platform/FileStore.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessInfo.h"
#include "platform/TrayIcon.h"

namespace yomorina::testing {

// One journal shared by several fakes, so a test can check the order of effects.
using Journal = std::vector<std::string>;

class FakeFileStore final : public FileStore {
public:
    explicit FakeFileStore(Journal* journal = nullptr) : journal_(journal) {}
    std::map<std::string, std::string> files;
    bool failWrites = false;
    int writes = 0;

    bool Exists(std::string_view path) const override { return files.count(std::string(path)) != 0; }
    std::optional<std::string> ReadAll(std::string_view path) const override {
        if (journal_) journal_->push_back("read " + std::string(path));
        const auto found = files.find(std::string(path));
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) override {
        ++writes;
        if (failWrites) return {false, "アクセスが拒否されました。 (5)"};
        files[std::string(path)] = std::string(bytes);
        return {true, {}};
    }

private:
    Journal* journal_;
};

class FakeProcessInfo final : public ProcessInfo {
public:
    std::string folder = "C:\\Tools\\Yomorina";
    std::string ExecutableFolder() const override { return folder; }
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string title;
        MessageButtons buttons;
    };
    explicit FakeMessageBoxes(Journal* journal = nullptr) : journal_(journal) {}
    std::vector<Shown> shown;
    MessageAnswer answer = MessageAnswer::Yes;

    MessageAnswer Show(std::string_view text, std::string_view title, MessageButtons buttons) override {
        shown.push_back({std::string(text), std::string(title), buttons});
        if (journal_) journal_->push_back("message " + std::string(title) + ": " + std::string(text));
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }

private:
    Journal* journal_;
};

class FakeTrayIcon final : public TrayIcon {
public:
    explicit FakeTrayIcon(Journal& journal) : journal_(journal) {}
    bool present = false;
    bool Add(std::string_view tip) override {
        journal_.push_back("tray add " + std::string(tip));
        present = true;
        return true;
    }
    void Remove() override {
        journal_.push_back("tray remove");
        present = false;
    }

private:
    Journal& journal_;
};

class FakeMainWindow : public MainWindow {
public:
    explicit FakeMainWindow(Journal& journal) : journal_(journal) {}
    bool visible = true;  // until someone hides it
    std::vector<bool> tileVisible = std::vector<bool>(TileCount, true);
    std::vector<bool> captionVisible = std::vector<bool>(TileCount, true);
    bool closed = false;

    void Hide() override {
        journal_.push_back("hide window");
        visible = false;
    }
    void HideTile(int index) override {
        journal_.push_back("hide tile " + std::to_string(index));
        tileVisible.at(index) = false;
    }
    void HideCaption(int index) override {
        journal_.push_back("hide caption " + std::to_string(index));
        captionVisible.at(index) = false;
    }
    void Close() override {
        journal_.push_back("close window");
        closed = true;
    }

protected:
    Journal& journal_;
};

}  // namespace yomorina::testing

#pragma once
// The about box's behaviour: help, the maker's two links and closing. Every
// action asks the browser object for a new instance and keeps only the newest
// in currentBrowser_, which its quit event empties again.

#include <memory>
#include <string>

#include "platform/AboutWindow.h"
#include "platform/Browser.h"
#include "platform/DirectorySearch.h"
#include "platform/ExecutableFolder.h"
#include "platform/MessageBoxes.h"

namespace yomorina {

// The help page's address: the program's folder and the page of the user's language, with one "\" between.
std::string HelpPageAddress(std::string_view programFolder);
std::string MailAddressUrl(std::string_view mailAddress);

class AboutBox final : public AboutWindowEvents, public BrowserQuitListener {
public:
    AboutBox(AboutWindow& window, Browser& browser, const ExecutableFolder& executableFolder,
             const DirectorySearch& search, MessageBoxes& messages);

    void OnClose() override;
    void OnHelp() override;
    void OnHomePage() override;
    void OnMailAddress() override;

    // The quit event of an instance; only the one in currentBrowser_ is listened to.
    void OnQuit(BrowserInstance& instance) override;

    const BrowserInstance* CurrentBrowser() const { return currentBrowser_.get(); }

private:
    void OpenInNewInstance(const std::string& address, bool visible);

    AboutWindow& window_;
    Browser& browser_;
    const ExecutableFolder& executableFolder_;
    const DirectorySearch& search_;
    MessageBoxes& messages_;
    std::shared_ptr<BrowserInstance> currentBrowser_;
};

}  // namespace yomorina

#include "about/AboutBox.h"

#include "about/MakerLinks.h"
#include "core/PathText.h"
#include "core/Texts.h"

namespace yomorina {

std::string HelpPageAddress(std::string_view programFolder) {
    return JoinFolderAndName(programFolder, CurrentLanguage().HelpPage);
}

std::string MailAddressUrl(std::string_view mailAddress) { return "mailto:" + std::string(mailAddress); }

AboutBox::AboutBox(AboutWindow& window, Browser& browser, const ExecutableFolder& executableFolder,
                   const DirectorySearch& search, MessageBoxes& messages)
    : window_(window), browser_(browser), executableFolder_(executableFolder), search_(search), messages_(messages) {}

void AboutBox::OnClose() { window_.Close(); }

void AboutBox::OnHelp() {
    const std::string address = HelpPageAddress(executableFolder_.Path());
    // Handed to the shell, a missing page fails without a word to the user.
    if (!search_.FindsEntry(address)) {
        // The page's full path on a line of its own.
        messages_.Show(std::string(Text(TextId::MissingHelpMessage)) + "\n" + address, Text(TextId::TitleError),
                       MessageButtons::Ok);
        return;
    }
    OpenInNewInstance(address, true);
}

void AboutBox::OnHomePage() { OpenInNewInstance(std::string(MakerHomePage), true); }

// Only the mail program shows up: the instance itself stays hidden.
void AboutBox::OnMailAddress() { OpenInNewInstance(MailAddressUrl(MakerMailAddress), false); }

void AboutBox::OnQuit(BrowserInstance& instance) {
    if (&instance == currentBrowser_.get()) currentBrowser_.reset();
}

void AboutBox::OpenInNewInstance(const std::string& address, bool visible) {
    // The new instance is created before the old one is released; the old
    // one's window, if any, stays open.
    currentBrowser_ = browser_.CreateInstance(*this);
    // Held here too: an instance that ends while navigating empties
    // currentBrowser_, and must not be destroyed under its own call.
    const std::shared_ptr<BrowserInstance> instance = currentBrowser_;
    if (!instance) return;
    instance->Navigate(address);
    if (visible && currentBrowser_ == instance) instance->SetVisible(true);
}

}  // namespace yomorina

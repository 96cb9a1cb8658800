#include "about/frmAbout.h"

#include "about/MakerLinks.h"
#include "core/PathText.h"

namespace yomorina {

std::string HelpPageAddress(std::string_view programFolder) {
    return JoinFolderAndName(programFolder, HelpFileName);
}

std::string MailAddressUrl(std::string_view mailAddress) { return "mailto:" + std::string(mailAddress); }

frmAbout::frmAbout(AboutWindow& window, Browser& browser, const ProcessInfo& process, const DirectorySearch& search,
                   MessageBoxes& messages)
    : window_(window), browser_(browser), process_(process), search_(search), messages_(messages) {}

void frmAbout::Command1_Click() { window_.Close(); }

void frmAbout::Command2_Click() {
    const std::string address = HelpPageAddress(process_.ExecutableFolder());
    // Handed to the shell, a missing page fails without a word to the user.
    if (!search_.FindsEntry(address)) {
        messages_.Show(std::string(MissingHelpMessage) + "\n" + address, TitleError, MessageButtons::Ok);
        return;
    }
    OpenInNewInstance(address, true);
}

void frmAbout::Label3_Click() { OpenInNewInstance(std::string(MakerHomePage), true); }

// Only the mail program shows up: the instance itself stays hidden.
void frmAbout::Label5_Click() { OpenInNewInstance(MailAddressUrl(MakerMailAddress), false); }

void frmAbout::OnQuit(BrowserInstance& instance) {
    if (&instance == mIE.get()) mIE.reset();
}

void frmAbout::OpenInNewInstance(const std::string& address, bool visible) {
    // The new instance is created before the old one is released; the old
    // one's window, if any, stays open.
    mIE = browser_.CreateInstance(*this);
    // Held here too: an instance that ends while navigating empties mIE, and
    // must not be destroyed under its own call.
    const std::shared_ptr<BrowserInstance> instance = mIE;
    if (!instance) return;
    instance->Navigate(address);
    if (visible && mIE == instance) instance->SetVisible(true);
}

}  // namespace yomorina

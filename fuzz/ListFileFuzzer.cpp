// Any bytes read as filelist.txt: no crash, and what we write back reads back
// as the same model, so one save makes the file a fixed point. Files without a
// byte-order mark are read as UTF-8 or code page 932 by their bytes: what we
// write in code page 932 must never be taken for UTF-8 on the way back. The
// call key's line 65 leaves the 64 lines before it as an older reader knows them.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/ListFile.h"
#include "tests/support/IconvCodePage932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const yomorina::testing::IconvCodePage932 codePage;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    yomorina::ScatterSettings settings;
    yomorina::LaunchList list;
    yomorina::DecodeListFile(bytes, settings, list, codePage);

    // Texts read from a file never hold a line break, so they survive a save.
    const std::string saved = yomorina::EncodeListFile(settings, list, codePage);
    yomorina::ScatterSettings resettings;
    yomorina::LaunchList relist;
    yomorina::DecodeListFile(saved, resettings, relist, codePage);
    if (!(resettings == settings) || !(relist == list)) std::abort();
    if (yomorina::EncodeListFile(resettings, relist, codePage) != saved) std::abort();

    // A reader that knows only 64 lines finds all but the call key in them.
    std::size_t end = 0;
    for (int line = 0; line < yomorina::ListFileLineCount; ++line) end = saved.find("\r\n", end) + 2;
    yomorina::ScatterSettings oldSettings;
    yomorina::LaunchList oldList;
    yomorina::DecodeListFile(std::string_view(saved).substr(0, end), oldSettings, oldList, codePage);
    oldSettings.CallKey = settings.CallKey;
    if (!(oldSettings == settings) || !(oldList == list)) std::abort();
    return 0;
}

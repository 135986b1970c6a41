#include "app/start_program.h"

#include "base/numbers.h"
#include "base/text.h"

namespace orvelle {

CommandLineChoice ParseCommandLine(std::string_view rawArguments) {
    std::string text = ToUpperAscii(TrimSpaces(rawArguments));
    std::string sw = text.substr(0, 2);
    CommandLineChoice choice;
    if (sw == "/C") {
        choice.mode = RunMode::Configure;
        std::string_view rest = text;
        rest.remove_prefix(2);
        while (!rest.empty() &&
               (rest.front() == ':' || rest.front() == ' ' || rest.front() == '\t')) {
            rest.remove_prefix(1);
        }
        choice.parentWindow = rest.empty() ? 0 : LeadingInt32(rest);
    } else if (sw == "/A") {
        choice.mode = RunMode::ChangePassword;
        choice.parentWindow = rawArguments.size() > 2 ? LeadingInt32(rawArguments.substr(2)) : 0;
    } else if (sw.empty() || sw == "/S") {
        choice.mode = RunMode::Saver;
    } else if (sw == "/P") {
        choice.mode = RunMode::Preview;
    } else {
        choice.mode = RunMode::SaverKeepTaskbar;
    }
    return choice;
}

std::string ArgumentsAfterProgramName(std::string_view commandLine) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == '"') {
        // A quoted name runs to the closing quote; blanks inside it belong to the name.
        i = commandLine.find('"', 1);
        i = i == std::string_view::npos ? n : i + 1;
    } else {
        while (i < n && !blank(commandLine[i])) {
            ++i;
        }
    }
    while (i < n && blank(commandLine[i])) {
        ++i;
    }
    return std::string(commandLine.substr(i));
}

void HidePointer(AppHost& host, std::int32_t platformId) {
    if (platformId == kPlatformNT) {
        // Bounded, in case a system never lets the counter fall.
        for (int i = 0; i < 1000 && host.HidePointerOnce() >= -5; ++i) {
        }
    } else {
        host.SetPointerPosition(host.ScreenWidthTwips() + 12, host.ScreenHeightTwips() + 12);
    }
}

std::int32_t StartProgram(AppHost& host) {
    std::int32_t platformId = host.QueryPlatform();
    std::string raw = host.CommandLineArguments();
    CommandLineChoice choice = ParseCommandLine(raw);
    // The preview lives as long as the display settings show it, beside the settings and the
    // saver they start: it neither takes the single-instance lock nor yields to it.
    if (choice.mode != RunMode::Preview && host.PreviousInstanceRunning()) {
        return platformId;
    }
    switch (choice.mode) {
        case RunMode::Configure:
            host.OpenConfiguration(choice.parentWindow);
            break;
        case RunMode::ChangePassword:
            host.ChangePassword(choice.parentWindow);
            break;
        case RunMode::Saver:
            HidePointer(host, platformId);
            host.HideTaskbar();
            host.OpenSaver(platformId);
            break;
        case RunMode::Preview:
            host.ShowPreview(raw);
            break;
        case RunMode::SaverKeepTaskbar:
            HidePointer(host, platformId);
            host.OpenSaver(platformId);
            break;
    }
    return platformId;
}

}  // namespace orvelle

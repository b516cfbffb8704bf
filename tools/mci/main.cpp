// cindral-mci: runs media-command strings, one per line from standard input,
// through the same layer and command routine the saver uses, and prints for
// each one line: the numeric code, a tab, the reply text (on failure, the
// description of the code). Devices close when the input ends.

#include <iostream>
#include <string>

#include "config/settings.h"
#include "music/bgm.h"
#include "platform/audio/media_commands.h"

int main() {
    const auto commands = cindral::platform::audio::CreateLinuxMediaCommands();
    const cindral::config::Settings settings;
    cindral::music::Cindral_BGM bgm(*commands, settings);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string reply;
        const std::int32_t code = bgm.MciSend(line, reply);
        std::cout << code << '\t' << reply << std::endl;
    }
    return 0;
}

#include "mci_process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "test_media.h"

namespace cindral::platform::audio::test_support {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

MciRun RunMci(const std::string& input, const std::vector<std::string>& environment, double seconds,
              const std::string& scratchDir) {
    const std::string in = scratchDir + "/mci-in.txt";
    const std::string out = scratchDir + "/mci-out.txt";
    const std::string err = scratchDir + "/mci-err.txt";
    WriteBytes(in, input);
    std::string command = "env SDL_AUDIODRIVER=dummy";
    for (const std::string& setting : environment) command += " " + Quoted(setting);
    // timeout answers 124 when it had to stop the program.
    command += " timeout -k 1 " + std::to_string(seconds) + " " + Quoted(CINDRAL_MCI_PATH) + " < " +
               Quoted(in) + " > " + Quoted(out) + " 2> " + Quoted(err);
    const int status = std::system(command.c_str());
    MciRun run;
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) != 124 && WEXITSTATUS(status) != 137;
    std::ifstream lines(out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    run.errors = Slurp(err);
    return run;
}

}  // namespace cindral::platform::audio::test_support

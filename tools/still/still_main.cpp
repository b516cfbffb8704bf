// cindral-still --kind K --frames N [--seed S] [--depth 16|32] --out FILE.png

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "display/ports.h"
#include "png_file.h"
#include "still_render.h"

int main(int argc, char** argv) {
    using namespace cindral::still;
    StillOptions options;
    const std::string problem =
        ParseStillArgs(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!problem.empty()) {
        std::cerr << "cindral-still: " << problem << "\n"
                  << "usage: cindral-still --kind K --frames N [--seed S] [--depth 16|32] "
                     "--out FILE.png\n";
        return 2;
    }
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const int seconds = local ? local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec : 0;
    const std::vector<std::uint8_t> rgb = RenderStill(options, seconds);
    if (rgb.empty()) {
        std::cerr << "cindral-still: fire kind " << options.kind << " has no palette\n";
        return 1;
    }
    const std::string error =
        WritePngRgb(options.out, cindral::display::kBackWidth, cindral::display::kBackHeight, rgb);
    if (!error.empty()) {
        std::cerr << "cindral-still: " << error << "\n";
        return 1;
    }
    std::cout << "cindral-still: wrote " << options.out << "\n";
    return 0;
}
